#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

TEST(FileManagerTest, AtomicWriteKeepsTheModeAndWritesThroughLinks) {
    test::TemporaryDirectory folder;
    auto& files = FileManager::defaultManager();
    const String token = folder.file("private/token.plist");
    ASSERT_TRUE(files.writeAtomically(token, bytes("old")));
    fs::permissions(token.toUtf8(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(files.writeAtomically(token, bytes("new")));
    EXPECT_EQ(fs::status(token.toUtf8()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A relative link to a link to the file; and a link to a file not made yet.
    const std::string link = folder.file("links/token.plist").toUtf8();
    fs::create_symlink("../private/token.plist", folder.file("links/hop").toUtf8());
    fs::create_symlink("hop", link);
    fs::create_symlink("../private/later.plist", folder.file("links/later.plist").toUtf8());
    ASSERT_TRUE(files.writeAtomically(String(link), bytes("through")));
    ASSERT_TRUE(files.writeAtomically(folder.path() + "/links/later.plist", bytes("made")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(files.contentsAtPath(token), bytes("through"));
    EXPECT_EQ(files.contentsAtPath(folder.path() + "/private/later.plist"), bytes("made"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path().toUtf8() + "/links"), {}), 3);

    const std::string loop = folder.file("loop.plist").toUtf8();
    fs::create_symlink("loop.plist", loop);
    EXPECT_FALSE(files.writeAtomically(String(loop), bytes("x")));
    EXPECT_TRUE(fs::is_symlink(loop));
}

TEST(FileManagerTest, AtomicWriteToAPipeOrDeviceWritesInPlace) {
    test::TemporaryDirectory folder;
    const std::string pipe = folder.file("pipe").toUtf8();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_TRUE(FileManager::defaultManager().writeAtomically(String(pipe), bytes("streamed")));
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 8);
    EXPECT_EQ(std::string(buffer), "streamed");
    EXPECT_TRUE(fs::is_fifo(pipe));
    ::close(reader);
}

TEST(FileManagerTest, AtomicWriteClearsTemporariesOfKilledWriters) {
    test::TemporaryDirectory folder;
    auto& files = FileManager::defaultManager();
    const String path = folder.file("store.plist");
    const auto leftover = [&](const std::string& name) {
        const std::string temporary = folder.file(name).toUtf8();
        std::ofstream(temporary) << "half";
        return temporary;
    };
    const std::string killed = leftover(".store.plist.tmp.999999.0.12345");
    const std::string other = leftover(".other.plist.tmp.999999.0.12345");
    const std::string notOurs = leftover(".store.plist.tmp.notes");
    // A writer still at work holds a lock on its temporary file.
    const std::string busy = leftover(".store.plist.tmp.1.2.3");
    const int busyFd = ::open(busy.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);

    ASSERT_TRUE(files.writeAtomically(path, bytes("whole")));
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(busy));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(notOurs));
    ::close(busyFd);

    // Writers racing each other each clear the others' dead temporaries, never live ones.
    fs::remove(busy);
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (int thread = 0; thread < 4; ++thread) {
        writers.emplace_back([&] {
            for (int i = 0; i < 100; ++i)
                failures += !files.writeAtomically(path, bytes(std::string(4096, 'x')));
        });
    }
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path().toUtf8()), {}), 3);
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
