// `orvane ago`, run as a child process with a fixed zone and language.
#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace ov {
namespace {

using test::CliResult;
using Arguments = std::vector<std::string>;

CliResult runAgo(Arguments arguments, const std::string& zone = "UTC",
                 const std::string& language = "en") {
    arguments.insert(arguments.begin(), "ago");
    return test::runCli(arguments, {}, {"TZ=" + zone, "LANGUAGE=" + language});
}

TEST(AgoCommand, PrintsThePhraseOfEachScale) {
    const std::pair<Arguments, const char*> cases[] = {
        {{"--date", "2024-03-05T09:57:00Z", "--now", "2024-03-05T10:00:00Z"}, "3 minutes ago\n"},
        {{"--date", "2024-03-05T10:00:00+02:00", "--now", "2024-03-05T08:03:00Z"},
         "3 minutes ago\n"},
        {{"--date", "2024-03-05T10:00:00-0530", "--now", "2024-03-05T15:40:30.5Z", "--scale",
          "simple"},
         "10m\n"},
        {{"--date", "2024-03-05T10:03Z", "--now", "2024-03-05T10:00:00Z", "--scale", "continuous"},
         "3 minutes ago\n"},
        {{"--date", "2024-03-05T10:03:00Z", "--now", "2024-03-05T10:00:00Z", "--scale", "calendar"},
         "Just now\n"},
        {{"--date", "2022-12-05", "--now", "2024-03-05T10:00:00Z", "--scale", "calendar"},
         "1 year ago\n"},
        {{"--date", "2024-03-05T08:00:00Z", "--now", "2024-03-05T15:00:00Z", "--scale", "day"},
         "This morning\n"},
    };
    for (const auto& [arguments, phrase] : cases) {
        const auto result = runAgo(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, phrase) << arguments[1];
    }
}

TEST(AgoCommand, DatesWithoutAZoneAreLocal) {
    // Midnight of 5 March in Jerusalem (UTC+2) is 22:00 UTC the day before.
    const Arguments arguments{"--date",  "2024-03-05", "--now", "2024-03-04T22:05:00Z",
                              "--scale", "simple"};
    EXPECT_EQ(runAgo(arguments, "Asia/Jerusalem").out, "5m\n");
    EXPECT_EQ(runAgo(arguments, "UTC").out, "1h\n");
    EXPECT_EQ(
        runAgo({"--date", "2024-03-05T00:05", "--now", "2024-03-04T22:00:00Z"}, "Asia/Jerusalem")
            .out,
        "5 minutes ago\n");
}

TEST(AgoCommand, LanguageFromTheOptionOrTheEnvironment) {
    const Arguments threeMinutes{"--date", "2024-03-05T09:57:00Z", "--now", "2024-03-05T10:00:00Z"};
    Arguments russian = threeMinutes;
    russian.insert(russian.end(), {"--lang", "ru"});
    EXPECT_EQ(runAgo(russian).out, "3 минуты назад\n");
    EXPECT_EQ(runAgo(threeMinutes, "UTC", "he").out, "לפני 3 דקות\n");
    EXPECT_EQ(runAgo(russian, "UTC", "he").out, "3 минуты назад\n");
}

TEST(AgoCommand, WithoutNowTheSystemClockCounts) {
    const auto result = runAgo({"--date", "2001-01-01T00:00:00Z", "--scale", "simple"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.ends_with("yr\n")) << result.out;
}

TEST(AgoCommand, BadInputExitsWithAMessage) {
    const std::pair<Arguments, const char*> cases[] = {
        {{}, "usage: orvane ago"},
        {{"--date"}, "usage: orvane ago"},
        {{"--date", "2024-03-05", "--hours"}, "usage: orvane ago"},
        {{"--date", "yesterday"}, "bad --date \"yesterday\": expected ISO 8601"},
        {{"--date", "2023-02-29"}, "bad --date"},
        {{"--date", "2024-03-05T24:00:00Z"}, "bad --date"},
        {{"--date", "2024-03-05T10:00:00+2"}, "bad --date"},
        {{"--date", "2024-03-05", "--now", "now"}, "bad --now \"now\""},
        {{"--date", "2024-03-05", "--scale", "hourly"},
         "bad --scale \"hourly\": expected continuous, simple, calendar or day"},
    };
    for (const auto& [arguments, message] : cases) {
        const auto result = runAgo(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.out;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace ov
