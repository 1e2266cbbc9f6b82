// `orvane string` and `orvane phone`, run as a child process.
#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace ov {
namespace {

using test::runCli;

TEST(StringCommand, DigestAndBase64) {
    auto result = runCli({"string", "md5", "abc"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "900150983cd24fb0d6963f7d28e17f72\n");
    result = runCli({"string", "base64", "abc"});
    EXPECT_EQ(result.out, "YWJj\n");
    result = runCli({"string", "base64", ""});
    EXPECT_EQ(result.out, "\n");
}

TEST(StringCommand, PhoneResultsOnStdoutTraceOnStderr) {
    auto result = runCli({"phone", "clean", "054-123 4567"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "541234567\n");

    result = runCli({"phone", "mobile", "+972 54-123-4567"});
    EXPECT_EQ(result.out, "541234567\ntrue\n");
    EXPECT_NE(result.err.find("countryAreaCode 972"), std::string::npos) << result.err;

    result = runCli({"phone", "mobile", "03-123-4567"});
    EXPECT_EQ(result.out, "31234567\nfalse\n");

    result = runCli({"phone", "full", "0521234567", "972"});
    EXPECT_EQ(result.out, "972521234567\n");
}

TEST(StringCommand, BadArgumentsExitWithUsage) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"string"},
                                                      {"string", "sha1", "x"},
                                                      {"string", "md5"},
                                                      {"phone"},
                                                      {"phone", "full", "054"},
                                                      {"phone", "clean", "1", "2"},
                                                      {"phone", "dial", "1"}}) {
        const auto result = runCli(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("usage: orvane "), std::string::npos);
    }
}

}  // namespace
}  // namespace ov
