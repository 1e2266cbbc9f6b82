// `orvane plist`: reads and changes store files in the documents directory (set
// ORVANE_DOCUMENTS_DIR to choose it).
//
//   orvane plist get settings.plist            the whole dictionary
//   orvane plist get settings.plist volume     one value
//   orvane plist set settings.plist volume 0.8 VALUE as JSON (fragments too), else as text
//
// The store reports no failed write, so `set` reads the value back before it answers success.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "Command.h"
#include "orvane/core/OVPlist.h"
#include "orvane/platform/files/FileManager.h"
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

// Why the store file at `path` cannot be read, if it is there and cannot; a missing file (or a
// missing folder) is for the store's first read to make.
std::optional<std::string> unreadable(const std::string& path) {
    // Non-blocking, so that a pipe without a writer is looked at and not waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        return "cannot read " + path + ": " + std::strerror(errno);
    }
    struct stat found {};
    const bool folder = ::fstat(fd, &found) == 0 && S_ISDIR(found.st_mode);
    ::close(fd);
    if (folder) return path + " is a directory";
    return std::nullopt;
}

// The store file's dictionary, made empty first when the file is missing; none after saying
// why it cannot be had.
std::optional<ov::Dictionary> readStore(const ov::String& file) {
    const std::string path = ov::OVPlist::filesPath(file).toUtf8();
    if (const auto problem = unreadable(path)) {
        fail(*problem);
        return std::nullopt;
    }
    auto dictionary = ov::OVPlist::read(file);
    if (dictionary) return dictionary;
    if (!ov::FileManager::defaultManager().fileExistsAtPath(ov::String(path)))
        fail("cannot create " + path);
    else
        fail(file.toUtf8() + " is not a dictionary property list");
    return std::nullopt;
}

int get(const ov::String& file, Arguments keys) {
    const auto dictionary = readStore(file);
    if (!dictionary) return 1;
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
    const auto stored = ov::PropertyListSerialization::dataWithPropertyList(value);
    if (!stored) {
        return fail("a property list cannot hold " + text + ": " +
                    stored.error()
                        .userInfo()
                        .objectForKey(ov::NSDebugDescriptionErrorKey)
                        .description()
                        .toUtf8());
    }
    if (!readStore(file)) return 1;
    ov::OVPlist::appendObject(value, key, file);
    // Compared in stored form, as the file gives it back (integers as long long, say).
    const auto expected = ov::PropertyListSerialization::propertyListWithData(stored.value());
    const auto after = ov::OVPlist::read(file);
    if (!expected || !after || !(after->objectForKey(key) == expected.value()))
        return fail("cannot store " + key.toUtf8() + " in " +
                    ov::OVPlist::filesPath(file).toUtf8());
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
