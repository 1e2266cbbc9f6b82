#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "orvane/core/HKLog.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

const std::string kDate = "2016-05-01 10:00:00.123";  // the manual clock, in TZ=UTC
const std::string kDebug = "\x1B[fg0,0,255;DEBUG\x1B[;:";

// Switches in their order: fullColor, showDate, showFile, showFunction, showLine.
struct Case {
    const char* switches;
    int32_t level;
    const char* file;
    const char* function;
    std::string expected;
};

class HKLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) m_oldTZ = zone;
        setenv("TZ", "UTC", 1);
        m_logger.setOutputDescriptor(fileno(m_file));
    }
    void TearDown() override {
        m_oldTZ ? setenv("TZ", m_oldTZ->c_str(), 1) : unsetenv("TZ");
        std::fclose(m_file);
    }

    // Everything written since the last call.
    std::string output() {
        std::string text(static_cast<size_t>(lseek(fileno(m_file), 0, SEEK_END)), '\0');
        EXPECT_EQ(pread(fileno(m_file), text.data(), text.size(), 0), ssize_t(text.size()));
        EXPECT_EQ(ftruncate(fileno(m_file), 0), 0);
        lseek(fileno(m_file), 0, SEEK_SET);
        return text;
    }

    void set(HKLog& logger, const char* switches) {
        logger.fullColorOfInstance(switches[0] == '1');
        logger.showDateOfInstance(switches[1] == '1');
        logger.showFileOfInstance(switches[2] == '1');
        logger.showFunctionOfInstance(switches[3] == '1');
        logger.showLineOfInstance(switches[4] == '1');
    }

    test::ManualClockScope m_time{483789600.123};
    HKLog m_logger;
    std::FILE* m_file = std::tmpfile();
    std::optional<std::string> m_oldTZ;
};

TEST_F(HKLogTest, LinesFollowTheSwitchesByteForByte) {
    const char* m = "/src/HKDebug.m";
    const char* f = "-[HKLog init]";
    const std::vector<Case> cases{
        {"01111", 2, m, f, kDate + " HKDebug.init:42 " + kDebug + " hello"},
        {"11111", 2, m, f, "\x1B[fg0,0,255;" + kDate + " HKDebug.init:42 hello\x1B[;"},
        {"00000", 2, m, f, kDebug + " hello"},
        {"00000", 0, m, f, "hello"},
        {"10000", 0, m, f, "\x1B[hello\x1B[;"},
        {"00001", 0, m, f, "L:42 hello"},
        {"00001", 2, m, f, "L:42 " + kDebug + " hello"},
        {"01011", 2, m, f, kDate + " init:42 " + kDebug + " hello"},
        {"00101", 2, m, f, "HKDebug:42 " + kDebug + " hello"},
        {"01111", 0, "/src/A.m", "+[A b:c:]", kDate + " A.b:c:42 hello"},
        {"00000", -1, m, f, "hello"},
        {"00000", 8, m, f, "hello"},
        {"10001", -1, m, f, "\x1B[fg200,200,200;L:42 hello\x1B[;"},
        {"10001", INT32_MIN, m, f, "\x1B[fg200,200,200;L:42 hello\x1B[;"},
        {"00000", 7, m, f, "\x1B[fg0,255,255;OPTIONAL\x1B[;: hello"},
        // Names: the last path component up to its first ".", the text after the first
        // white space ("\s": no-break space yes, vertical tab no) less a closing "]".
        {"00110", 0, "/a/b/Makefile", "plain", "Makefile.plain hello"},
        {"00110", 0, "a.b.m", "main]", "a.main hello"},
        {"00110", 0, "/src/Foo.m/", "int main(int, char**)", "Foo.main(int, char**) hello"},
        {"00110", 0, "/src/.hidden", "-[A\tb]", ".b hello"},
        {"00110", 0, "F.m", "-[A\u00A0b]", "F.b hello"},
        {"00110", 0, "F.m", "-[A\vb]", "F.-[A\vb hello"},
        {"01110", 0, "/src/.m", "-[A b]", kDate + " b hello"},
    };
    for (const Case& row : cases) {
        set(m_logger, row.switches);
        m_logger.messageLog(row.level, row.file, row.function, 42, "hello");
        EXPECT_EQ(output(), row.expected + "\n") << row.switches << " level " << row.level;
    }
    EXPECT_EQ(m_logger.strTypeDebug(6),
              std::make_pair(String("fg214,57,30;"), String("ALTERNATIVE")));
    EXPECT_EQ(m_logger.strTypeDebug(-1), std::make_pair(String("fg200,200,200;"), String()));
}

TEST_F(HKLogTest, FormatsTheMessageAndSkipsAnAbsentFormat) {
    HKLog fresh;  // with the defaults
    fresh.setOutputDescriptor(fileno(m_file));
    fresh.logOfInstance(3, "/src/Shop.mm", "-[Shop buy:]", 7, "%d × %@", 2, String("tea"));
    EXPECT_EQ(output(), kDate + " Shop.buy:7 \x1B[fg0,255,0;INFO\x1B[;: 2 × tea\n");
    fresh.logOfInstance(3, "/src/Shop.mm", "-[Shop buy:]", 7, nullptr, 1);
    EXPECT_EQ(output(), "");
    set(m_logger, "00111");
    m_logger.logOfInstance(0, nullptr, nullptr, -1, "x");
    EXPECT_EQ(output(), ".:-1 x\n");
    m_logger.messageLog(0, "", "", 0, String(std::string_view("ab\0cd", 5)));  // a C string
    EXPECT_EQ(output(), ".:0 ab\n");
}

TEST_F(HKLogTest, DateIsTheLocalTimeOfTheCurrentZone) {
    set(m_logger, "01000");
    m_logger.messageLog(0, "", "", 0, "x");
    setenv("TZ", "Asia/Jerusalem", 1);
    m_time.clock().advance(0.5);
    m_logger.messageLog(0, "", "", 0, "x");
    EXPECT_EQ(output(), kDate + " x\n2016-05-01 13:00:00.623 x\n");
}

TEST_F(HKLogTest, MacrosAndClassOperationsUseTheSharedInstanceOnStandardOutput) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::fflush(stdout);
    const int savedOutput = dup(STDOUT_FILENO);
    dup2(ends[1], STDOUT_FILENO);
    HKLog::showDate(false);
    const int first = __LINE__ + 1;
    HKLOG_METHOD(5, "Loader", "fetch:", "failed %d", 3);
    const int second = __LINE__ + 1;
    HKLOG(0, "in %@", String("test"));
    HKLOG(0, nullptr);
    HKLog::fullColor(true);
    HKLog::showFile(false);
    HKLog::showFunction(false);
    HKLog::showLine(false);
    HKLog::log(1, "f", "g", 1, "v");
    set(HKLog::sharedInstance(), "01111");
    dup2(savedOutput, STDOUT_FILENO);
    close(savedOutput);
    close(ends[1]);

    std::string text(512, '\0');
    text.resize(size_t(read(ends[0], text.data(), text.size())));
    close(ends[0]);
    const std::string pretty = __PRETTY_FUNCTION__;
    EXPECT_EQ(text, "HKLogTests.fetch:" + std::to_string(first) +
                        " \x1B[fg255,0,0;ERROR\x1B[;: failed 3\nHKLogTests." +
                        pretty.substr(pretty.find(' ') + 1) + ":" + std::to_string(second) +
                        " in test\n\x1B[fg200,200,200;v\x1B[;\n");
}

// Lines from many threads (while another flips a switch) come out whole, one per write.
using HKLogThreaded = HKLogTest;
TEST_F(HKLogThreaded, LinesNeverMix) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    m_logger.setOutputDescriptor(ends[1]);
    std::string received;
    std::thread reader([&] {
        char buffer[4096];
        for (ssize_t count; (count = read(ends[0], buffer, sizeof buffer)) > 0;)
            received.append(buffer, size_t(count));
    });
    std::atomic<bool> done{false};
    std::thread flipper([&] {
        for (bool on = true; !done.load(); on = !on)
            m_logger.fullColorOfInstance(on);
    });
    const std::string padding(100, 'x');
    std::vector<std::thread> writers;
    for (int thread = 0; thread < 8; ++thread) {
        writers.emplace_back([&, thread] {
            for (int index = 0; index < 500; ++index)
                m_logger.logOfInstance(4, "/src/Worker.cpp", "-[Worker run]", thread, "%@ %d of %d",
                                       padding, index, thread);
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    done.store(true);
    flipper.join();
    close(ends[1]);
    reader.join();
    close(ends[0]);

    std::set<std::string> messages;
    std::istringstream lines(received);
    for (std::string line; std::getline(lines, line);) {
        int index = -1, thread = -1;
        std::sscanf(line.c_str() + line.find(padding) + padding.size(), " %d of %d", &index,
                    &thread);
        const std::string message =
            padding + " " + std::to_string(index) + " of " + std::to_string(thread);
        const std::string where = kDate + " Worker.run:" + std::to_string(thread) + " ";
        EXPECT_TRUE(line == where + "\x1B[fg255,255,0;WARNING\x1B[;: " + message ||
                    line == "\x1B[fg255,255,0;" + where + message + "\x1B[;")
            << line;
        messages.insert(message);
    }
    EXPECT_EQ(messages.size(), 8u * 500u);
}

}  // namespace
}  // namespace ov
