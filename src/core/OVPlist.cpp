#include "orvane/core/OVPlist.h"

#include <functional>

#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/files/FileLock.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

constexpr const char* kResourceType = "plist";

std::optional<String> pathForResource(const String& name) {
    const auto bundle = Bundle::mainBundle();
    return bundle ? bundle->pathForResource(name, String(kResourceType)) : std::nullopt;
}

// The parts below expect the caller to hold the file's lock.

void createPlistFileLocked(const String& fileName, const String& path) {
    systemLog("createPlistFile filePath = %@", fileName);
    if (!FileManager::defaultManager().fileExistsAtPath(path))
        writeDictionaryToFile(Dictionary(), path, true);
}

std::optional<Dictionary> readLocked(const String& fileName, const String& path) {
    if (!FileManager::defaultManager().fileExistsAtPath(path))
        createPlistFileLocked(fileName, path);
    return dictionaryWithContentsOfFile(path);
}

// Read, change, write back, with no other change to the file in between. A file that does not
// read as a dictionary is left alone.
void change(const String& fileName, const std::function<void(Dictionary&)>& apply) {
    const String path = OVPlist::filesPath(fileName);
    FileLock lock(path);
    std::optional<Dictionary> dictionary = readLocked(fileName, path);
    if (!dictionary) return;
    apply(*dictionary);
    writeDictionaryToFile(*dictionary, path, true);
}

}  // namespace

OVPlist& OVPlist::sharedInstance() {
    static OVPlist instance;
    return instance;
}

String OVPlist::filesPath(const String& fileName) {
    return FileManager::defaultManager().documentsDirectory() + "/" + fileName;
}

String OVPlist::getFileNameOf(const String& fileName) {
    systemLog("fileName %@", fileName);
    const Range dot = fileName.rangeOfString(".");
    const uint64_t length = dot.location == NSNotFound ? fileName.length() : dot.location;
    return NSString_NSString::cutStringFromIndex(0, length, fileName);
}

void OVPlist::createPlistFile(const String& fileName) {
    const String path = filesPath(fileName);
    FileLock lock(path);
    createPlistFileLocked(fileName, path);
}

bool OVPlist::write(const Dictionary& dictionary, const String& filePath) {
    const String path = filesPath(filePath);
    FileLock lock(path);
    return writeDictionaryToFile(dictionary, path, true);
}

std::optional<Dictionary> OVPlist::read(const String& fileName) {
    const String path = filesPath(fileName);
    if (!FileManager::defaultManager().fileExistsAtPath(path)) createPlistFile(fileName);
    // Writes replace the file by renaming, so an unlocked read sees one whole version.
    return dictionaryWithContentsOfFile(path);
}

void OVPlist::clear(const String& fileName) {
    change(fileName, [](Dictionary& dictionary) { dictionary.removeAllObjects(); });
}

void OVPlist::appendObject(const Value& object, const String& forKey, const String& path) {
    // The platform cannot store nil; an absent value leaves the file as it is.
    if (object.isAbsent()) return;
    change(path, [&](Dictionary& dictionary) { dictionary.setObject(object, forKey); });
}

void OVPlist::removeObjectforKey(const String& key, const String& path) {
    change(path, [&](Dictionary& dictionary) { dictionary.removeObjectForKey(key); });
}

void OVPlist::updateValue(const Value& value, const String& forKey, const String& path) {
    change(path, [&](Dictionary& dictionary) { dictionary.setObject(value, forKey); });
}

void OVPlist::createLocalFilePath(const String& fileName) {
    const String path = filesPath(fileName);
    FileLock lock(path);
    auto& files = FileManager::defaultManager();
    if (files.fileExistsAtPath(path)) return;
    const auto resource = pathForResource(getFileNameOf(fileName));
    if (!resource) return;
    const auto contents = files.contentsAtPath(*resource);
    if (!contents) return;
    // Rewritten in the store's own form when it reads as a dictionary, copied as it is
    // otherwise; either way through an atomic write, so a crash leaves no half copy.
    if (const auto dictionary = dictionaryWithContentsOfFile(*resource)) {
        writeDictionaryToFile(*dictionary, path, true);
    } else {
        files.writeAtomically(path, *contents);
    }
}

std::optional<Dictionary> OVPlist::loadLocalFile(const String& resourceName) {
    const auto resource = pathForResource(resourceName);
    std::optional<Dictionary> dictionary;
    if (resource) dictionary = dictionaryWithContentsOfFile(*resource);
    systemLog("loadLocalFile=%@", dictionary ? Value(*dictionary) : Value());
    return dictionary;
}

bool OVPlist::saveObject(const Value& object, const String& toFile) {
    const auto archive = KeyedArchiver::archivedDataWithRootObject(object);
    Error error(NSCocoaErrorDomain, 0);
    if (archive &&
        FileManager::defaultManager().writeAtomically(filesPath(toFile), archive.value(), &error))
        return true;
    if (!archive) error = archive.error();
    systemLog("Save Cats Data error: %@", error.description());
    return false;
}

Value OVPlist::readObjectFromFile(const String& fileName) {
    const auto contents = FileManager::defaultManager().contentsAtPath(filesPath(fileName));
    if (!contents) return {};
    auto object = KeyedUnarchiver::unarchiveObjectWithData(*contents);
    return object ? std::move(object).value() : Value();
}

}  // namespace ov
