#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "orvane/platform/files/FileLock.h"
#include "orvane/platform/files/FileManager.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

namespace fs = std::filesystem;

// Sets (or unsets) environment variables for one test and puts them back afterwards.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~EnvironmentVariable() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

Data bytes(const std::string& text) {
    return Data::fromString(text);
}

TEST(FileManagerTest, DocumentsDirectoryResolvesHostThenEnvironmentThenDataFolder) {
    test::TemporaryDirectory root;
    auto& files = FileManager::defaultManager();
    EnvironmentVariable data("XDG_DATA_HOME", root.path().toUtf8() + "/data");
    EnvironmentVariable documents(FileManager::kDocumentsEnvironmentVariable, std::nullopt);

    EXPECT_EQ(files.applicationIdentifier(), "org.orvane.app");
    EXPECT_EQ(files.documentsDirectory(), root.path() + "/data/org.orvane.app/Documents");
    files.setApplicationIdentifier("com.example.weather");
    EXPECT_EQ(files.documentsDirectory(), root.path() + "/data/com.example.weather/Documents");
    files.setApplicationIdentifier("");
    EXPECT_TRUE(fs::is_directory(root.path().toUtf8() + "/data/org.orvane.app/Documents"));

    EnvironmentVariable fromEnvironment(FileManager::kDocumentsEnvironmentVariable,
                                        root.path().toUtf8() + "/env/");
    EXPECT_EQ(files.documentsDirectory(), root.path() + "/env");
    files.setDocumentsDirectory(root.path() + "/host");
    EXPECT_EQ(files.documentsDirectory(), root.path() + "/host");
    EXPECT_TRUE(fs::is_directory(root.path().toUtf8() + "/host"));
    files.setDocumentsDirectory("");
    EXPECT_EQ(files.documentsDirectory(), root.path() + "/env");
}

TEST(FileManagerTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFiles) {
    test::TemporaryDirectory folder;
    auto& files = FileManager::defaultManager();
    const String path = folder.file("store.plist");

    EXPECT_TRUE(files.writeAtomically(path, bytes("first version")));
    EXPECT_TRUE(files.writeAtomically(path, bytes("second")));
    EXPECT_EQ(files.contentsAtPath(path), bytes("second"));
    EXPECT_TRUE(files.writeAtomically(path, Data()));
    EXPECT_EQ(files.contentsAtPath(path), Data());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path().toUtf8()), {}), 1);

    Error error(NSCocoaErrorDomain, 0);
    EXPECT_FALSE(files.writeAtomically(folder.path() + "/missing/store.plist", bytes("x"), &error));
    EXPECT_EQ(error.code(), 4);
    EXPECT_FALSE(files.writeAtomically(folder.path() + "/", bytes("x")));
}

TEST(FileManagerTest, CopyRemoveAndCreateFollowThePlatform) {
    test::TemporaryDirectory folder;
    auto& files = FileManager::defaultManager();
    const String source = folder.file("tree/a/b.txt");
    ASSERT_TRUE(files.writeAtomically(source, bytes("leaf")));

    EXPECT_TRUE(files.copyItemAtPath(folder.path() + "/tree", folder.path() + "/copy"));
    EXPECT_EQ(files.contentsAtPath(folder.path() + "/copy/a/b.txt"), bytes("leaf"));
    Error error(NSCocoaErrorDomain, 0);
    EXPECT_FALSE(files.copyItemAtPath(source, folder.path() + "/copy/a/b.txt", &error));
    EXPECT_EQ(error.code(), 516);
    EXPECT_FALSE(files.copyItemAtPath(folder.path() + "/none", folder.path() + "/x"));

    EXPECT_TRUE(files.isDirectory(folder.path() + "/copy"));
    EXPECT_FALSE(files.isDirectory(source));
    EXPECT_TRUE(files.removeItemAtPath(folder.path() + "/copy"));
    EXPECT_FALSE(files.fileExistsAtPath(folder.path() + "/copy"));
    EXPECT_FALSE(files.removeItemAtPath(folder.path() + "/copy"));

    EXPECT_FALSE(files.createDirectoryAtPath(folder.path() + "/x/y", false));
    EXPECT_TRUE(files.createDirectoryAtPath(folder.path() + "/x/y", true));
    EXPECT_TRUE(files.createDirectoryAtPath(folder.path() + "/x/y", true));
    EXPECT_FALSE(files.createDirectoryAtPath(folder.path() + "/x/y", false));
    EXPECT_FALSE(files.createDirectoryAtPath(source, true));
    EXPECT_EQ(files.contentsAtPath(folder.path() + "/x"), std::nullopt);
    EXPECT_EQ(files.contentsAtPath(folder.path() + "/missing"), std::nullopt);
}

// Each round reads a number, adds one and writes it back: any overlap loses an increment.
void incrementUnderLock(const String& path, int rounds) {
    auto& files = FileManager::defaultManager();
    for (int i = 0; i < rounds; ++i) {
        FileLock lock(path);
        const auto old = files.contentsAtPath(path);
        const int value = old ? std::stoi(std::string(old->view())) : 0;
        files.writeAtomically(path, bytes(std::to_string(value + 1)));
    }
}

TEST(FileLockTest, ReadChangeWriteCyclesDoNotOverlapBetweenThreadsOrProcesses) {
    test::TemporaryDirectory folder;
    const String path = folder.file("counter");
    constexpr int kRounds = 25;

    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            incrementUnderLock(path, kRounds);
            ::_exit(0);
        }
        children.push_back(pid);
    }
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
        threads.emplace_back(incrementUnderLock, path, kRounds);
    for (auto& thread : threads)
        thread.join();
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(FileManager::defaultManager().contentsAtPath(path),
              bytes(std::to_string(6 * kRounds)));
    EXPECT_TRUE(fs::exists(folder.path().toUtf8() + "/counter.lock"));
}

TEST(FileLockTest, StillSeparatesThreadsWhereNoSidecarCanBeMade) {
    const String path = "/proc/orvane-no-such-folder/file";
    int inside = 0;
    int overlaps = 0;
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                FileLock lock(path);
                EXPECT_FALSE(lock.holdsProcessLock());
                if (++inside != 1) ++overlaps;
                --inside;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(overlaps, 0);
}

}  // namespace
}  // namespace ov
