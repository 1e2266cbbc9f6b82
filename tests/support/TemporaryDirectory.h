#pragma once
// A fresh folder for one test, removed with everything in it at the end; and a variant that
// is also the documents directory while it lives.
//
//   ov::test::TemporaryDocumentsDirectory documents;
//   ov::OVPlist::appendObject(1, "a", "settings.plist");    // lands in documents.path()
//   ov::String strings = documents.file("en.lproj/Localizable.strings");  // folder made

#include <cstdlib>
#include <filesystem>
#include <string>

#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/values/String.h"

namespace ov::test {

class TemporaryDirectory {
  public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    String path() const { return String(m_path); }
    // The path of `relative` inside the folder; the folders on the way are made.
    String file(const std::string& relative) const {
        const std::filesystem::path full = std::filesystem::path(m_path) / relative;
        std::error_code ignored;
        std::filesystem::create_directories(full.parent_path(), ignored);
        return String(full.string());
    }

  private:
    std::string m_path;
};

class TemporaryDocumentsDirectory : public TemporaryDirectory {
  public:
    TemporaryDocumentsDirectory() { FileManager::defaultManager().setDocumentsDirectory(path()); }
    ~TemporaryDocumentsDirectory() { FileManager::defaultManager().setDocumentsDirectory(""); }
};

}  // namespace ov::test
