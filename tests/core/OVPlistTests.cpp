#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "orvane/core/OVPlist.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

class OVPlistTest : public ::testing::Test {
  protected:
    std::optional<Data> bytesOf(const std::string& name) const {
        return FileManager::defaultManager().contentsAtPath(m_documents.file(name));
    }
    void writeBytes(const std::string& name, const std::string& bytes) const {
        FileManager::defaultManager().writeAtomically(m_documents.file(name),
                                                      Data::fromString(bytes));
    }
    bool contains(const std::vector<std::string>& entries, const std::string& entry) const {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }

    test::TemporaryDocumentsDirectory m_documents;
};

TEST_F(OVPlistTest, ReadOfAMissingFileCreatesAnEmptyStoreFile) {
    SystemLogCapture log;
    EXPECT_EQ(OVPlist::read("settings.plist"), Dictionary());
    EXPECT_TRUE(contains(log.entries(), "createPlistFile filePath = settings.plist"));
    EXPECT_EQ(dictionaryWithContentsOfFile(m_documents.file("settings.plist")), Dictionary());
    EXPECT_EQ(OVPlist::filesPath("settings.plist"), m_documents.file("settings.plist"));
    EXPECT_EQ(&OVPlist::sharedInstance(), &OVPlist::sharedInstance());

    log.clear();
    OVPlist::read("settings.plist");
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(OVPlistTest, ChangingOperationsRewriteOneKey) {
    OVPlist::appendObject(Value("dark"), "theme", "settings.plist");
    EXPECT_EQ(OVPlist::read("settings.plist"), (Dictionary{{"theme", "dark"}}));

    OVPlist::appendObject(Value(0.5), "volume", "settings.plist");
    OVPlist::appendObject(Value("light"), "theme", "settings.plist");
    OVPlist::updateValue(Value(Array{1, 2}), "recent", "settings.plist");
    EXPECT_EQ(OVPlist::read("settings.plist"),
              (Dictionary{{"theme", "light"}, {"volume", 0.5}, {"recent", Array{1, 2}}}));

    OVPlist::updateValue(Value(), "recent", "settings.plist");
    OVPlist::removeObjectforKey("volume", "settings.plist");
    const auto before = bytesOf("settings.plist");
    OVPlist::removeObjectforKey("no such key", "settings.plist");
    OVPlist::appendObject(Value(), "theme", "settings.plist");
    EXPECT_EQ(bytesOf("settings.plist"), before);
    EXPECT_EQ(OVPlist::read("settings.plist"), (Dictionary{{"theme", "light"}}));

    OVPlist::clear("settings.plist");
    EXPECT_EQ(dictionaryWithContentsOfFile(m_documents.file("settings.plist")), Dictionary());
}

TEST_F(OVPlistTest, CreateAndWriteKeepOrReplaceContentAsAsked) {
    EXPECT_TRUE(OVPlist::write(Dictionary{{"a", 1}}, "store.plist"));
    OVPlist::createPlistFile("store.plist");
    EXPECT_EQ(OVPlist::read("store.plist"), (Dictionary{{"a", 1}}));
    EXPECT_FALSE(OVPlist::write(Dictionary{{"a", Value::null()}}, "store.plist"));
    EXPECT_FALSE(OVPlist::write(Dictionary{{"a", 1}}, "missing/store.plist"));
    EXPECT_EQ(OVPlist::read("store.plist"), (Dictionary{{"a", 1}}));
}

TEST_F(OVPlistTest, DamagedStoreFilesAreNeverReplaced) {
    const std::string array =
        std::string(PropertyListSerialization::dataWithPropertyList(Array{1}).value().view());
    for (const std::string& damaged : {std::string("<plist><dict><key>a"), std::string(), array}) {
        writeBytes("damaged.plist", damaged);
        EXPECT_EQ(OVPlist::read("damaged.plist"), std::nullopt);
        OVPlist::clear("damaged.plist");
        OVPlist::appendObject(Value(1), "a", "damaged.plist");
        OVPlist::removeObjectforKey("a", "damaged.plist");
        OVPlist::updateValue(Value(2), "b", "damaged.plist");
        OVPlist::createPlistFile("damaged.plist");
        EXPECT_EQ(bytesOf("damaged.plist"), Data::fromString(damaged));
    }
}

TEST_F(OVPlistTest, FileNamesAreCutAtTheFirstDot) {
    SystemLogCapture log;
    EXPECT_EQ(OVPlist::getFileNameOf("a.b.plist"), "a");
    EXPECT_EQ(log.entries().front(), "fileName a.b.plist");
    EXPECT_EQ(OVPlist::getFileNameOf("defaults"), "defaults");
    EXPECT_EQ(OVPlist::getFileNameOf(".hidden"), "");
}

TEST_F(OVPlistTest, BundleDefaultsSeedTheStoreOnce) {
    test::TemporaryDirectory bundle;
    writeDictionaryToFile(Dictionary{{"speed", 3}}, bundle.file("a.plist"), true);
    // A binary resource comes out in the store's XML form.
    FileManager::defaultManager().writeAtomically(
        bundle.file("binary.plist"), PropertyListSerialization::dataWithPropertyList(
                                         Dictionary{{"b", true}}, PropertyListFormat::Binary)
                                         .value());
    Bundle::setMainBundlePath(bundle.path());

    OVPlist::createLocalFilePath("a.b.plist");
    EXPECT_EQ(OVPlist::read("a.b.plist"), (Dictionary{{"speed", 3}}));
    OVPlist::appendObject(Value(4), "speed", "a.b.plist");
    OVPlist::createLocalFilePath("a.b.plist");
    EXPECT_EQ(OVPlist::read("a.b.plist"), (Dictionary{{"speed", 4}}));

    OVPlist::createLocalFilePath("binary.plist");
    EXPECT_TRUE(bytesOf("binary.plist")->view().starts_with("<?xml"));

    OVPlist::createLocalFilePath("missing.plist");
    EXPECT_FALSE(FileManager::defaultManager().fileExistsAtPath(m_documents.file("missing.plist")));

    SystemLogCapture log;
    EXPECT_EQ(OVPlist::loadLocalFile("a"), (Dictionary{{"speed", 3}}));
    EXPECT_EQ(OVPlist::loadLocalFile("missing"), std::nullopt);
    EXPECT_EQ(log.entries(), (std::vector<std::string>{"loadLocalFile={\n    speed = 3;\n}",
                                                       "loadLocalFile=(null)"}));
    Bundle::setMainBundlePath("");
}

TEST_F(OVPlistTest, ArchivedObjectsRoundTripThroughTheirOwnFiles) {
    const Value cats = Dictionary{{"names", Array{"Tom", "Felix"}}, {"when", Date()}};
    EXPECT_TRUE(OVPlist::saveObject(cats, "cats.archive"));
    EXPECT_EQ(OVPlist::readObjectFromFile("cats.archive"), cats);
    EXPECT_TRUE(OVPlist::readObjectFromFile("none.archive").isAbsent());
    writeBytes("bad.archive", "garbage");
    EXPECT_TRUE(OVPlist::readObjectFromFile("bad.archive").isAbsent());

    SystemLogCapture log;
    EXPECT_FALSE(OVPlist::saveObject(cats, "missing/cats.archive"));
    ASSERT_EQ(log.entries().size(), 1u);
    EXPECT_TRUE(
        log.entries()[0].starts_with("Save Cats Data error: Error Domain=NSCocoaErrorDomain"));
}

TEST_F(OVPlistTest, ConcurrentChangesFromThreadsAndProcessesAllArrive) {
    constexpr int kKeys = 25;
    auto appendAll = [](const std::string& prefix) {
        for (int i = 0; i < kKeys; ++i)
            OVPlist::appendObject(Value(i), String(prefix + std::to_string(i)), "shared.plist");
    };
    std::vector<pid_t> children;
    for (const char* prefix : {"p", "q"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            appendAll(prefix);
            ::_exit(0);
        }
        children.push_back(pid);
    }
    std::vector<std::thread> threads;
    for (const char* prefix : {"a", "b", "c", "d"})
        threads.emplace_back(appendAll, prefix);
    for (auto& thread : threads)
        thread.join();
    for (const pid_t pid : children)
        ::waitpid(pid, nullptr, 0);
    const auto dictionary = OVPlist::read("shared.plist");
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(dictionary->count(), 6u * kKeys);
}

TEST_F(OVPlistTest, AWriterKilledMidWriteLeavesAWholeStoreFile) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            // Every version is whole only if all its 2000 entries hold the same round number.
            for (int round = 0;; ++round) {
                Dictionary dictionary;
                for (int i = 0; i < 2000; ++i)
                    dictionary.setObject(Value(round), String("k" + std::to_string(i)));
                OVPlist::write(dictionary, "crash.plist");
                if (round == 2) (void)!::write(ready[1], "r", 1);
            }
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(ready[0]);

        const auto dictionary = dictionaryWithContentsOfFile(m_documents.file("crash.plist"));
        ASSERT_TRUE(dictionary);
        ASSERT_EQ(dictionary->count(), 2000u);
        const Value first = dictionary->objectForKey("k0");
        for (const auto& [key, value] : *dictionary)
            ASSERT_EQ(value, first);
    }
}

}  // namespace
}  // namespace ov
