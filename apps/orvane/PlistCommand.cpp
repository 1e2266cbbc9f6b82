// `orvane plist`: reads and changes store files in the documents directory (set
// ORVANE_DOCUMENTS_DIR to choose it).
//
//   orvane plist get settings.plist            the whole dictionary
//   orvane plist get settings.plist volume     one value
//   orvane plist set settings.plist volume 0.8 VALUE as JSON (fragments too), else as text
#include <cstdio>
#include <string>

#include "Command.h"
#include "orvane/core/OVPlist.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/network/JSONSerialization.h"

namespace orvane::cli {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane plist: %s\n", message.c_str());
    return 1;
}

ov::Value parseValue(const std::string& text) {
    const auto json = ov::JSONSerialization::JSONObjectWithData(ov::Data::fromString(text),
                                                                {.fragmentsAllowed = true});
    return json ? json.value() : ov::Value(ov::String(text));
}

int get(const ov::String& file, Arguments keys) {
    const auto dictionary = ov::OVPlist::read(file);
    if (!dictionary) return fail(file.toUtf8() + " is not a dictionary property list");
    if (keys.empty()) {
        printLine(dictionary->description());
        return 0;
    }
    const ov::Value& value = dictionary->objectForKey(keys[0]);
    if (value.isAbsent()) return fail("no value for key " + std::string(keys[0]));
    printLine(value.description());
    return 0;
}

int set(const ov::String& file, const ov::String& key, const std::string& text) {
    const ov::Value value = parseValue(text);
    const auto check = ov::PropertyListSerialization::dataWithPropertyList(value);
    if (!check) {
        return fail("a property list cannot hold " + text + ": " +
                    check.error()
                        .userInfo()
                        .objectForKey(ov::NSDebugDescriptionErrorKey)
                        .description()
                        .toUtf8());
    }
    if (!ov::OVPlist::read(file)) return fail(file.toUtf8() + " is not a dictionary property list");
    ov::OVPlist::appendObject(value, key, file);
    return 0;
}

int run(Arguments arguments) {
    if (arguments.size() < 2) return usage("plist");
    const std::string verb = arguments[0];
    const ov::String file = arguments[1];
    if (verb == "get" && arguments.size() <= 3) return get(file, arguments.subspan(2));
    if (verb == "set" && arguments.size() == 4) return set(file, arguments[2], arguments[3]);
    return usage("plist");
}

}  // namespace

static const Command kPlist{"plist", "plist get FILE [KEY] | plist set FILE KEY VALUE", run};

}  // namespace orvane::cli
