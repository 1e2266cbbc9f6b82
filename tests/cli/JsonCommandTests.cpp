// `orvane json`, run as a child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "orvane/json/SBJsonBase.h"
#include "support/CliRunner.h"

namespace ov {
namespace {

using test::runCli;

TEST(JsonCommand, FormatWritesCompactPrettyOrSortedWithAFinalLineFeed) {
    const std::string input = " {\"b\": [1, 2.50], \"a\": \"\\u00e9\"} ";
    auto result = runCli({"json", "format"}, input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "{\"b\":[1,2.5],\"a\":\"\u00e9\"}\n");
    EXPECT_EQ(result.err, "");

    result = runCli({"json", "format", "--pretty", "--sort-keys", "-"}, input);
    EXPECT_EQ(result.out, "{\n  \"a\" : \"\u00e9\",\n  \"b\" : [\n    1,\n    2.5\n  ]\n}\n");

    result = runCli({"json", "format", "--fragment"}, "\"x\"");
    EXPECT_EQ(result.out, "\"x\"\n");
}

TEST(JsonCommand, CheckIsSilentOnSuccessAndPrintsTheTraceOnFailure) {
    auto result = runCli({"json", "check"}, "[1 2]");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out + result.err, "");

    result = runCli({"json", "check"}, "[x]");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "3 Unrecognised leading character\n3 Expected value while parsing array\n");

    result = runCli({"json", "check"}, "7");
    EXPECT_EQ(result.err, "4 Valid fragment, but not JSON\n");
    EXPECT_EQ(runCli({"json", "check", "--fragment"}, "7").exitCode, 0);

    result = runCli({"json", "format", "--max-depth", "1"}, "[[]]");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "7 Nested too deep\n3 Expected value while parsing array\n");
    EXPECT_EQ(runCli({"json", "check", "--max-depth", "0"},
                     std::string(100000, '[') + std::string(100000, ']'))
                  .exitCode,
              0);

    result = runCli({"json", "check"}, "[\"\xFF\"]");
    EXPECT_EQ(result.err,
              "3 Invalid UTF-8 byte '0xff' in string\n3 Expected value while parsing array\n");
}

TEST(JsonCommand, ReadsAFileAndRejectsBadArguments) {
    const std::string path = ::testing::TempDir() + "json_command_input.json";
    std::ofstream(path) << "{\"k\":true}";
    auto result = runCli({"json", "format", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "{\"k\":true}\n");
    std::remove(path.c_str());

    result = runCli({"json", "check", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "orvane json: cannot read " + path + ": No such file or directory\n");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"json"},
                                               {"json", "lint"},
                                               {"json", "check", "--pretty"},
                                               {"json", "format", "--max-depth"},
                                               {"json", "format", "--max-depth", "-1"},
                                               {"json", "format", "--indent"},
                                               {"json", "format", "a.json", "b.json"}}) {
        result = runCli(arguments, "[]");
        EXPECT_EQ(result.exitCode, 2) << arguments.back();
        EXPECT_EQ(result.out, "");
    }
}

TEST(JsonCommand, InputThatCannotBeReadSaysWhyAndFails) {
    const std::pair<test::CliStreams, const char*> cases[] = {
        {{.input = ::testing::TempDir()}, "Is a directory"},
        {{.input = test::CliStreams::kClosed}, "Bad file descriptor"},
    };
    for (const auto& [streams, reason] : cases) {
        const auto result = runCli({"json", "check"}, {}, {}, streams);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err,
                  std::string("orvane json: cannot read standard input: ") + reason + "\n");
    }
    const auto folder = runCli({"json", "format", ::testing::TempDir()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("Is a directory"), std::string::npos) << folder.err;
}

TEST(JsonCommand, AFailureDeepInsideUnlimitedNestingPrintsTheEndsOfTheTrace) {
    const auto result = runCli({"json", "check", "--max-depth", "0"}, std::string(100'000, '['));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_LE(static_cast<size_t>(std::count(result.err.begin(), result.err.end(), '\n')),
              SBJsonBase::kMaxTraceLength);
    EXPECT_TRUE(result.err.starts_with("11 End of input while parsing array\n"));
    EXPECT_NE(result.err.find(" errors left out)\n3 Expected value"), std::string::npos);
    EXPECT_TRUE(result.err.ends_with("\n3 Expected value while parsing array\n"));
}

}  // namespace
}  // namespace ov
