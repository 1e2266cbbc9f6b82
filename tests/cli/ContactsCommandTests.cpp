#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/CliRunner.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

class ContactsCommandTest : public ::testing::Test {
  protected:
    test::CliResult contacts(const std::vector<std::string>& arguments,
                             const std::string& database = "book.sqlite3") {
        std::vector<std::string> full{"contacts", "--db",
                                      m_folder.path().toUtf8() + "/" + database};
        full.insert(full.end(), arguments.begin(), arguments.end());
        return test::runCli(full);
    }
    // The identifier the tool printed, without its line feed.
    std::string added(const std::vector<std::string>& arguments) {
        std::vector<std::string> full{"add"};
        full.insert(full.end(), arguments.begin(), arguments.end());
        const auto result = contacts(full);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out.substr(0, result.out.find('\n'));
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = m_folder.path().toUtf8() + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    test::TemporaryDirectory m_folder;
};

TEST_F(ContactsCommandTest, AddListShowAndDelete) {
    const std::string ada =
        added({"--given", "Ada", "--family", "Lovelace", "--phone", "1", "--phone", "+44 2",
               "--email", "ada@example.org", "--url", "https://ada.example"});
    const std::string zoe = added({"--given", "Zoë"});
    EXPECT_EQ(ada.size(), 45u);
    EXPECT_TRUE(ada.ends_with(":ABPerson"));

    const auto listed = contacts({"list"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, ada + "\tAda Lovelace\t1,+44 2\n" + zoe + "\tZoë\t\n");

    const auto shown = contacts({"show", ada});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_TRUE(shown.out.starts_with("BEGIN:VCARD\r\nVERSION:4.0\r\nUID:" + ada + "\r\n"));
    EXPECT_NE(shown.out.find("\r\nN:Lovelace;Ada;;;\r\n"), std::string::npos);
    EXPECT_NE(shown.out.find("\r\nEMAIL;X-LABEL=\"emailAddresses\":ada@example.org\r\n"),
              std::string::npos);
    EXPECT_TRUE(shown.out.ends_with("END:VCARD\r\n"));

    EXPECT_EQ(contacts({"delete", ada}).exitCode, 0);
    EXPECT_EQ(contacts({"list"}).out, zoe + "\tZoë\t\n");
    for (const char* verb : {"show", "delete"}) {
        const auto unknown = contacts({verb, ada});
        EXPECT_EQ(unknown.exitCode, 1);
        EXPECT_EQ(unknown.out, "");
        EXPECT_EQ(unknown.err, "orvane contacts: no contact with identifier " + ada + "\n");
    }
}

TEST_F(ContactsCommandTest, ExportAndImportMoveABookWithoutCopies) {
    const std::string ada = added({"--given", "Ada", "--phone", "1"});
    const std::string bob = added({"--given", "Bob", "--family", "O'Neil, Jr."});
    const auto exported = contacts({"export"});
    ASSERT_EQ(exported.exitCode, 0);
    const std::string file = write("all.vcf", exported.out);

    for (int round = 0; round < 2; ++round) {
        const auto imported = contacts({"import", file}, "other.sqlite3");
        EXPECT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(imported.out, ada + "\n" + bob + "\n");
    }
    EXPECT_EQ(contacts({"list"}, "other.sqlite3").out, contacts({"list"}).out);
    EXPECT_EQ(contacts({"export"}, "other.sqlite3").out, exported.out);

    const auto foreign = contacts(
        {"import", write("foreign.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Grace\nEND:VCARD\n")});
    EXPECT_EQ(foreign.exitCode, 0);
    EXPECT_EQ(foreign.out.size(), 46u);
}

TEST_F(ContactsCommandTest, UnreadableFilesAndBadArgumentsSayWhy) {
    const std::string missing = m_folder.path().toUtf8() + "/missing.vcf";
    const auto absent = contacts({"import", missing});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err,
              "orvane contacts: cannot read " + missing + ": No such file or directory\n");
    const auto folder = contacts({"import", m_folder.path().toUtf8()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("is a directory"), std::string::npos);
    const auto malformed = contacts({"import", write("bad.vcf", "BEGIN:VCARD\nFN:x\n")});
    EXPECT_EQ(malformed.exitCode, 1);
    EXPECT_NE(malformed.err.find("line 2: the card has no END:VCARD"), std::string::npos);
    EXPECT_EQ(contacts({"list"}).out, "");

    const std::string damaged = write("damaged.sqlite3", std::string(1024, 'z'));
    const auto refused = contacts({"add", "--given", "Ada"}, "damaged.sqlite3");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("error executeSaveRequest: "), std::string::npos);
    EXPECT_EQ(contacts({"list"}, "damaged.sqlite3").exitCode, 1);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {}, {"add", "--family", "x"}, {"add", "--given", "a", "--fax", "1"}, {"list", "x"}}) {
        EXPECT_EQ(contacts(bad).exitCode, 2);
    }
}

}  // namespace
}  // namespace ov
