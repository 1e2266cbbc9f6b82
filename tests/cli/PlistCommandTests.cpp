#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CliRunner.h"
#include "support/FileSizeLimitScope.h"
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

TEST_F(PlistCommandTest, SetFailsWhenNothingWasStored) {
    const std::string path = m_documents.path().toUtf8();
    // The store's temporary file gets a longer name than the folder allows.
    const std::string longName = std::string(NAME_MAX - 6, 'n') + ".plist";
    ASSERT_EQ(plist({"set", "s.plist", "volume", "0.5"}).exitCode, 0);
    std::filesystem::copy_file(path + "/s.plist", path + "/" + longName);
    const std::string before = contents("s.plist");

    const auto tooLong = plist({"set", longName, "volume", "0.9"});
    EXPECT_EQ(tooLong.exitCode, 1);
    EXPECT_NE(tooLong.err.find("orvane plist: cannot store volume in " + path + "/" + longName),
              std::string::npos)
        << tooLong.err;
    EXPECT_EQ(contents(longName), before);

    {
        test::FileSizeLimitScope full(before.size());
        const auto diskFull = plist({"set", "s.plist", "name", "Ada Lovelace"});
        EXPECT_EQ(diskFull.exitCode, 1);
        EXPECT_NE(diskFull.err.find("cannot store name in"), std::string::npos);
    }
    EXPECT_EQ(contents("s.plist"), before);

    // Permission bits do not hold root back.
    if (::geteuid() != 0) {
        std::filesystem::permissions(
            path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(plist({"set", "s.plist", "volume", "0.9"}).exitCode, 1);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        EXPECT_EQ(contents("s.plist"), before);
    }
}

TEST_F(PlistCommandTest, FilesThatCannotBeReadOrMadeSayWhy) {
    const std::string path = m_documents.path().toUtf8();
    std::filesystem::create_directory(path + "/folder.plist");
    std::filesystem::create_symlink("loop.plist", path + "/loop.plist");
    std::ofstream(path + "/file") << "not a folder";
    const std::pair<test::CliResult, std::string> cases[] = {
        {plist({"get", "folder.plist"}), path + "/folder.plist is a directory"},
        {plist({"set", "folder.plist", "k", "1"}), path + "/folder.plist is a directory"},
        {plist({"get", "loop.plist"}),
         "cannot read " + path + "/loop.plist: Too many levels of symbolic links"},
        {test::runCli({"plist", "set", "s.plist", "k", "1"}, {},
                      {"ORVANE_DOCUMENTS_DIR=" + path + "/file/documents"}),
         "cannot create " + path + "/file/documents/s.plist"},
    };
    for (const auto& [result, message] : cases) {
        EXPECT_EQ(result.exitCode, 1) << message;
        EXPECT_NE(result.err.find("orvane plist: " + message + "\n"), std::string::npos)
            << result.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(path + "/folder.plist"));
    EXPECT_TRUE(std::filesystem::is_symlink(path + "/loop.plist"));
}

}  // namespace
}  // namespace ov
