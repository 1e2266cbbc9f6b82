#pragma once
// Small settings files ("store files") in the host application's documents directory: each is
// one dictionary written as an XML property list, read whole, changed one key at a time and
// written back whole. Every operation is a class operation addressed by a file name
// ("settings.plist"); nothing is cached between calls.
//
//   ov::OVPlist::appendObject(ov::Value(0.8), "volume", "settings.plist");
//   std::optional<ov::Dictionary> settings = ov::OVPlist::read("settings.plist");
//   ov::OVPlist::createLocalFilePath("defaults.plist");   // seeded once from the bundle
//   ov::OVPlist::saveObject(cat, "cat.archive");           // a keyed archive of its own
//
// Each read-change-write of one file is exclusive between threads and between processes
// (FileLock on the file), and every write replaces the file atomically, so concurrent changes
// to different keys all arrive and a crash never leaves a part-written file. A file that is
// not a dictionary property list (damaged, or an array at the top) is never changed: reading
// it gives none and the changing operations leave it as it is.

#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov {

class OVPlist {
  public:
    // Holds no state; kept for hosts that ask for it.
    static OVPlist& sharedInstance();

    // The documents directory with the file name appended.
    static String filesPath(const String& fileName);
    // The text before the first "." (the whole name when it has none).
    static String getFileNameOf(const String& fileName);

    // Writes an empty dictionary when no file is there yet.
    static void createPlistFile(const String& fileName);
    static bool write(const Dictionary& dictionary, const String& filePath);
    // Creates the file empty first when it is missing; none when it is not a dictionary.
    static std::optional<Dictionary> read(const String& fileName);

    static void clear(const String& fileName);
    static void appendObject(const Value& object, const String& forKey, const String& path);
    static void removeObjectforKey(const String& key, const String& path);
    // The absent value removes the key.
    static void updateValue(const Value& value, const String& forKey, const String& path);

    // Seeds the store file from the bundle's "<text before the first .>.plist" once; later
    // calls leave the (possibly changed) file alone.
    static void createLocalFilePath(const String& fileName);
    // The bundle's "<resourceName>.plist" as a dictionary.
    static std::optional<Dictionary> loadLocalFile(const String& resourceName);

    // A keyed archive of the object (any Value, archivable objects included) in a file.
    static bool saveObject(const Value& object, const String& toFile);
    // The absent value when the file is missing or is not a keyed archive.
    static Value readObjectFromFile(const String& fileName);

  private:
    OVPlist() = default;
};

}  // namespace ov
