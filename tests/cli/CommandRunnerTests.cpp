// What every `orvane` command shares: its output is checked, wherever it goes.
#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace ov {
namespace {

using test::CliStreams;
using test::runCli;

TEST(CommandRunner, AFailedWriteToStandardOutputFailsTheCommand) {
    // Short answers sit in the buffer until the end; the country list overflows it earlier.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"string", "md5", "abc"},
             {"emoji", "a"},
             {"country", "code", "IL"},
             {"country", "list"},
             {"sun", "--lat", "32", "--lon", "35", "--date", "2024-06-01", "--tz", "UTC"}}) {
        const auto full = runCli(arguments, {}, {}, {.output = "/dev/full"});
        EXPECT_EQ(full.exitCode, 1) << arguments[0];
        EXPECT_NE(full.err.find("orvane: cannot write standard output: No space left on device\n"),
                  std::string::npos)
            << arguments[0] << full.err;

        const auto closed = runCli(arguments, {}, {}, {.output = CliStreams::kClosed});
        EXPECT_EQ(closed.exitCode, 1) << arguments[0];
        EXPECT_NE(closed.err.find("orvane: cannot write standard output"), std::string::npos);
    }
    EXPECT_EQ(runCli({"json", "format"}, "[1]", {}, {.output = "/dev/full"}).exitCode, 1);
    EXPECT_EQ(runCli({"string", "md5", "abc"}, {}, {}, {.output = "/dev/null"}).exitCode, 0);
}

}  // namespace
}  // namespace ov
