#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/CliRunner.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

class PlistCommandTest : public ::testing::Test {
  protected:
    test::CliResult plist(const std::vector<std::string>& arguments) {
        std::vector<std::string> full{"plist"};
        full.insert(full.end(), arguments.begin(), arguments.end());
        return test::runCli(full, {}, {"ORVANE_DOCUMENTS_DIR=" + m_documents.path().toUtf8()});
    }
    std::string contents(const std::string& name) {
        std::ifstream file(m_documents.file(name).toUtf8());
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    test::TemporaryDirectory m_documents;
};

TEST_F(PlistCommandTest, SetStoresJsonOrTextAndGetPrintsDescriptions) {
    EXPECT_EQ(plist({"set", "s.plist", "volume", "0.5"}).exitCode, 0);
    EXPECT_EQ(plist({"set", "s.plist", "name", "Ada Lovelace"}).exitCode, 0);
    EXPECT_EQ(plist({"set", "s.plist", "recent", "[1, \"two\"]"}).exitCode, 0);
    EXPECT_EQ(plist({"set", "s.plist", "on", "true"}).exitCode, 0);

    const auto volume = plist({"get", "s.plist", "volume"});
    EXPECT_EQ(volume.exitCode, 0);
    EXPECT_EQ(volume.out, "0.5\n");
    EXPECT_EQ(plist({"get", "s.plist", "name"}).out, "Ada Lovelace\n");
    EXPECT_EQ(plist({"get", "s.plist", "recent"}).out, "(\n    1,\n    two\n)\n");
    EXPECT_EQ(plist({"get", "s.plist"}).out,
              "{\n    volume = \"0.5\";\n    name = \"Ada Lovelace\";\n    recent =     (\n"
              "        1,\n        two\n    );\n    on = 1;\n}\n");
    EXPECT_NE(contents("s.plist").find("<key>on</key>\n\t<true/>"), std::string::npos);
}

TEST_F(PlistCommandTest, FailuresLeaveTheFileAndSayWhy) {
    const auto fresh = plist({"get", "new.plist"});
    EXPECT_EQ(fresh.exitCode, 0);
    EXPECT_EQ(fresh.out, "{\n}\n");
    EXPECT_NE(fresh.err.find("createPlistFile filePath = new.plist"), std::string::npos);

    const auto missing = plist({"get", "new.plist", "nothing"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");

    const auto null = plist({"set", "new.plist", "n", "null"});
    EXPECT_EQ(null.exitCode, 1);
    EXPECT_NE(null.err.find("null marker"), std::string::npos);

    std::ofstream(m_documents.file("bad.plist").toUtf8()) << "<plist><dict>";
    EXPECT_EQ(plist({"set", "bad.plist", "k", "1"}).exitCode, 1);
    EXPECT_EQ(plist({"get", "bad.plist"}).exitCode, 1);
    EXPECT_EQ(contents("bad.plist"), "<plist><dict>");

    EXPECT_EQ(plist({"set", "new.plist", "k"}).exitCode, 2);
    EXPECT_EQ(plist({"drop", "new.plist"}).exitCode, 2);
}

}  // namespace
}  // namespace ov
