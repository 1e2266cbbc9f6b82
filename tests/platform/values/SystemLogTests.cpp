#include <errno.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "orvane/platform/values/SystemLog.h"
#include "platform/values/SystemLogOutput.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

// Sends the log to a temporary file for as long as it lives.
class LogFile {
  public:
    LogFile() : m_previous(systemlog::exchangeOutputDescriptor(fileno(m_file))) {}
    ~LogFile() {
        systemlog::exchangeOutputDescriptor(m_previous);
        std::fclose(m_file);
    }

    std::string contents() const {
        std::string text(static_cast<size_t>(lseek(fileno(m_file), 0, SEEK_END)), '\0');
        EXPECT_EQ(pread(fileno(m_file), text.data(), text.size(), 0), ssize_t(text.size()));
        return text;
    }

  private:
    FILE* m_file = std::tmpfile();
    int m_previous;
};

TEST(SystemLog, WritesOneStampedLinePerEntry) {
    test::ManualClockScope time(788'918'400.123);  // 2026-01-01 00:00:00.123 UTC
    LogFile log;
    SystemLog::write("hello %@ world");
    SystemLog::write("ends with a newline\n");

    const time_t seconds = 788'918'400 + 978'307'200;
    tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    const std::string prefix = std::string(stamp) + ".123 " + program_invocation_short_name + "[" +
                               std::to_string(getpid()) + ":" + std::to_string(gettid()) + "] ";
    EXPECT_EQ(log.contents(), prefix + "hello %@ world\n" + prefix + "ends with a newline\n");
}

TEST(SystemLog, CapturesNestAndTakeTheMessageOnly) {
    LogFile log;
    SystemLogCapture outer;
    systemLog("first %d", 1);
    {
        SystemLogCapture inner;
        systemLog("second");
        EXPECT_EQ(inner.entries(), std::vector<std::string>{"second"});
        inner.clear();
        EXPECT_TRUE(inner.entries().empty());
    }
    systemLog("third");
    EXPECT_EQ(outer.entries(), (std::vector<std::string>{"first 1", "third"}));
    EXPECT_EQ(log.contents(), "");
}

TEST(SystemLog, AnOuterCaptureMayEndFirst) {
    auto outer = std::make_unique<SystemLogCapture>();
    SystemLogCapture inner;
    outer.reset();
    systemLog("kept");
    EXPECT_EQ(inner.entries(), std::vector<std::string>{"kept"});
}

constexpr int kThreads = 8;
constexpr int kEntriesPerThread = 200;

// A long entry so that a torn write would show.
std::string threadEntry(int thread, int index) {
    return "thread " + std::to_string(thread) + " entry " + std::to_string(index) + " " +
           std::string(300, static_cast<char>('a' + thread));
}

void logFromThreads() {
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([thread] {
            for (int index = 0; index < kEntriesPerThread; ++index) {
                SystemLog::write(threadEntry(thread, index));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
}

// Every entry is whole and each thread's entries keep their order.
void expectWholeEntries(const std::vector<std::string>& entries) {
    ASSERT_EQ(entries.size(), static_cast<size_t>(kThreads * kEntriesPerThread));
    std::vector<int> next(kThreads, 0);
    for (const std::string& entry : entries) {
        const int thread = entry.at(entry.size() - 1) - 'a';
        ASSERT_GE(thread, 0);
        ASSERT_LT(thread, kThreads);
        ASSERT_EQ(entry, threadEntry(thread, next[thread]));
        ++next[thread];
    }
}

TEST(SystemLogThreaded, CapturedEntriesFromManyThreadsStayWhole) {
    SystemLogCapture capture;
    logFromThreads();
    expectWholeEntries(capture.entries());
}

TEST(SystemLogThreaded, WrittenEntriesFromManyThreadsStayWhole) {
    LogFile log;
    logFromThreads();
    const std::regex prefix(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \S+\[\d+:\d+\] )");
    std::vector<std::string> messages;
    std::istringstream lines(log.contents());
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(line, match, prefix)) << line;
        messages.push_back(match.suffix());
    }
    expectWholeEntries(messages);
}

}  // namespace
}  // namespace ov
