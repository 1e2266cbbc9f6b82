// `orvane emoji` and `orvane card`, run as child processes.
#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace ov {
namespace {

TEST(EmojiCommand, PrintsTheFourAnswers) {
    const std::pair<const char*, const char*> cases[] = {
        {"😀a", "contains true\npure false\ncount 1\nranges 0,2\n"},
        {"1\xEF\xB8\x8F\xE2\x83\xA3😀", "contains true\npure true\ncount 2\nranges 0,3 3,2\n"},
        {"plain", "contains false\npure false\ncount 0\nranges\n"},
        {"", "contains false\npure false\ncount 0\nranges\n"},
    };
    for (const auto& [text, out] : cases) {
        const auto result = test::runCli({"emoji", text});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, out) << text;
    }
    EXPECT_EQ(test::runCli({"emoji"}).exitCode, 2);
}

TEST(CardCommand, FormatsTheNumber) {
    EXPECT_EQ(test::runCli({"card", "format", "1111222233334444"}).out, "1111 2222 3333 4444\n");
    EXPECT_EQ(test::runCli({"card", "format", "12345"}).out, "1234 5\n");
    EXPECT_EQ(test::runCli({"card", "format"}).exitCode, 2);
}

}  // namespace
}  // namespace ov
