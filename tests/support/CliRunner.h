#pragma once
// Runs the `orvane` command-line tool as a child process, for black-box tests of its commands.
//
//   auto result = ov::test::runCli({"json", "format", "--pretty", "-"}, "[1,2]");
//   EXPECT_EQ(result.exitCode, 0);
//   EXPECT_EQ(result.out, "[\n  1,\n  2\n]\n");

#include <optional>
#include <string>
#include <vector>

namespace ov::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Where a standard stream of the tool goes instead of its pipe: a file (read or written in
// place: "/dev/full", a folder) or, with kClosed, nowhere: the tool starts with it closed.
struct CliStreams {
    static constexpr const char* kClosed = "";
    std::optional<std::string> input = std::nullopt;
    std::optional<std::string> output = std::nullopt;
};

// `input` is written to the tool's standard input, which is then closed. Extra environment
// entries ("NAME=value") are added to the inherited environment.
CliResult runCli(const std::vector<std::string>& arguments, const std::string& input = {},
                 const std::vector<std::string>& environment = {}, const CliStreams& streams = {});

}  // namespace ov::test
