#pragma once
// A bundle folder written for a test: Info.plist, localisation tables and images, in a
// temporary directory that goes away with the object.

#include <string>

#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/files/PropertyList.h"
#include "support/TemporaryDirectory.h"
#include "support/TestImages.h"

namespace ov::test {

class TestBundle {
  public:
    explicit TestBundle(const Dictionary& info = {}) {
        if (!info.isEmpty()) writeDictionaryToFile(info, m_folder.file("Info.plist"), true);
    }

    // `relative` such as "en.lproj/Localizable.strings".
    TestBundle& write(const std::string& relative, std::string_view text) {
        writeFile(m_folder.file(relative).toUtf8(), Data::fromString(text));
        return *this;
    }
    TestBundle& write(const std::string& relative, const Data& data) {
        writeFile(m_folder.file(relative).toUtf8(), data);
        return *this;
    }

    String path() const { return m_folder.path(); }
    std::shared_ptr<Bundle> bundle() const { return Bundle::bundleWithPath(path()); }

  private:
    TemporaryDirectory m_folder;
};

}  // namespace ov::test
