#pragma once
// Files and folders (the platform's NSFileManager), and the application's documents directory.
//
//   auto& files = ov::FileManager::defaultManager();
//   ov::String path = files.documentsDirectory() + "/settings.plist";
//   if (!files.writeAtomically(path, bytes)) ...;
//   std::optional<ov::Data> back = files.contentsAtPath(path);
//
// The documents directory is, first that applies:
//   1. the folder the host sets with setDocumentsDirectory();
//   2. the folder in the environment variable ORVANE_DOCUMENTS_DIR;
//   3. <data>/<application identifier>/Documents, where <data> is $XDG_DATA_HOME or
//      ~/.local/share, and the application identifier is what the host sets with
//      setApplicationIdentifier() ("org.orvane.app" until then).
// It is created, with its parents, whenever it is asked for and missing (where it can be).
//
// Paths are UTF-8 on disk. Every operation is thread-safe. Operations that can fail answer
// false and, when `error` is given, fill it in (NSCocoaErrorDomain, with the system's reason).

#include <mutex>
#include <optional>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/String.h"

namespace ov {

class FileManager {
  public:
    static constexpr const char* kDefaultApplicationIdentifier = "org.orvane.app";
    static constexpr const char* kDocumentsEnvironmentVariable = "ORVANE_DOCUMENTS_DIR";
    // The platform's error codes, in NSCocoaErrorDomain.
    static constexpr long long kFileNoSuchFileError = 4;
    static constexpr long long kFileWriteUnknownError = 512;
    static constexpr long long kFileWriteFileExistsError = 516;

    static FileManager& defaultManager();

    String applicationIdentifier() const;
    // Names the folder under the user's data directory; empty restores the default.
    void setApplicationIdentifier(const String& identifier);
    // Absolute path without a trailing slash.
    String documentsDirectory() const;
    // An empty path goes back to the default resolution.
    void setDocumentsDirectory(const String& path);

    bool fileExistsAtPath(const String& path) const;
    bool isDirectory(const String& path) const;
    // Fails when `to` exists already, as the platform does. Folders are copied whole.
    bool copyItemAtPath(const String& from, const String& to, Error* error = nullptr) const;
    // Removes a file or a whole folder.
    bool removeItemAtPath(const String& path, Error* error = nullptr) const;
    bool createDirectoryAtPath(const String& path, bool withIntermediateDirectories,
                               Error* error = nullptr) const;
    std::optional<Data> contentsAtPath(const String& path) const;

    // Writes a temporary file in the same folder, flushes it to disk and renames it over
    // `path`, then flushes the folder: after a crash at any point the file holds either its
    // old content or the new one, never a part. The new file keeps the old one's mode (and,
    // for root, its owner); a symbolic link stays and its file is replaced; a pipe or a device
    // is written in place. Temporary files of writers that died are cleared on the way.
    bool writeAtomically(const String& path, const Data& data, Error* error = nullptr) const;

  private:
    FileManager() = default;

    mutable std::mutex m_mutex;
    String m_applicationIdentifier;
    String m_documentsDirectory;
};

}  // namespace ov
