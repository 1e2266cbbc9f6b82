#include "orvane/core/NSBundle+OVBundle.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/values/Format.h"

namespace ov::NSBundle_OVBundle {

namespace {

Value localized(const char* key) {
    return Bundle::mainBundle()->objectForInfoDictionaryKey(key);
}

const Value& member(const Value& dictionary, const char* key) {
    const Dictionary* entries = dictionary.ifDictionary();
    return entries ? entries->objectForKey(key) : Value::absent();
}

}  // namespace

Dictionary dictionary() {
    return Bundle::mainBundle()->infoDictionary();
}

Value CFBundleIdentifier() {
    return dictionary().objectForKey("CFBundleIdentifier");
}

bool isCFBundleIdentifierEqualTo(const String& identifier) {
    return CFBundleIdentifier() == Value(identifier);
}

Value CFBundleDisplayName() {
    return localized("CFBundleDisplayName");
}

Value CFBundleShortVersionString() {
    return localized("CFBundleShortVersionString");
}

Value CFBundleVersion() {
    return localized("CFBundleVersion");
}

String formattedAppVersion() {
    return stringWithFormat("%@v", CFBundleShortVersionString());
}

String formattedCFBundleVersion() {
    return stringWithFormat("(%@)", CFBundleVersion());
}

String formattedFullCFBundleVersion() {
    return stringWithFormat("%@ %@", formattedAppVersion(), formattedCFBundleVersion());
}

std::shared_ptr<Image> appIcon() {
    const Value icons = dictionary().objectForKey("CFBundleIcons");
    const Value& files = member(member(icons, "CFBundlePrimaryIcon"), "CFBundleIconFiles");
    const Array* names = files.ifArray();
    if (!names || names->isEmpty()) return nullptr;
    const String* last = names->objectAtIndex(names->count() - 1).ifString();
    return last ? Image::imageNamed(*last) : nullptr;
}

}  // namespace ov::NSBundle_OVBundle
