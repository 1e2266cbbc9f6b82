// `orvane sun`, run as a child process.
#include <gtest/gtest.h>

#include <regex>

#include "support/CliRunner.h"

namespace ov {
namespace {

using test::runCli;

// "HH:MM:SS" as seconds of the day.
int secondsOfDay(const std::string& text) {
    return std::stoi(text.substr(0, 2)) * 3600 + std::stoi(text.substr(3, 2)) * 60 +
           std::stoi(text.substr(6, 2));
}

// The time printed on the line that starts with `name`.
int timeOf(const std::string& output, const std::string& name) {
    const std::regex line("(^|\n)" + name + " ([0-9]{2}:[0-9]{2}:[0-9]{2})\n");
    std::smatch match;
    if (!std::regex_search(output, match, line)) return -1;
    return secondsOfDay(match[2]);
}

// Reference times for the origin on the 2024 March equinox, worked out by hand with the
// fractional-year approximation of the solar declination and the equation of time:
// noon 12:07:46 UTC, half-arcs of 6:03:20 (sun's upper limb), 6:24:00 (-6), 6:48:00 (-12)
// and 7:12:00 (-18).
TEST(SunCommand, OriginAtTheEquinoxMatchesAHandReference) {
    const auto result =
        runCli({"sun", "--lat", "0", "--lon", "0", "--date", "2024-03-20", "--tz", "UTC"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(
        std::regex_match(result.out, std::regex("sunrise \\S+\nsunset \\S+\ncivil_start \\S+\n"
                                                "civil_end \\S+\nnautical_start \\S+\n"
                                                "nautical_end \\S+\nastro_start \\S+\n"
                                                "astro_end \\S+\n")))
        << result.out;
    const struct {
        const char* name;
        int expected;
    } references[] = {
        {"sunrise", secondsOfDay("06:04:26")},        {"sunset", secondsOfDay("18:11:06")},
        {"civil_start", secondsOfDay("05:43:46")},    {"civil_end", secondsOfDay("18:31:46")},
        {"nautical_start", secondsOfDay("05:19:46")}, {"nautical_end", secondsOfDay("18:55:46")},
        {"astro_start", secondsOfDay("04:55:46")},    {"astro_end", secondsOfDay("19:19:46")},
    };
    for (const auto& reference : references) {
        EXPECT_NEAR(timeOf(result.out, reference.name), reference.expected, 120)
            << reference.name << "\n"
            << result.out;
    }
}

TEST(SunCommand, TimesAreInTheGivenZone) {
    const auto utc = runCli(
        {"sun", "--lat", "48.8566", "--lon", "2.3522", "--date", "2024-07-01", "--tz", "UTC"});
    const auto paris = runCli({"sun", "--lat", "48.8566", "--lon", "2.3522", "--date", "2024-07-01",
                               "--tz", "Europe/Paris"});
    ASSERT_EQ(paris.exitCode, 0) << paris.err;
    EXPECT_EQ(timeOf(paris.out, "sunrise") - timeOf(utc.out, "sunrise"), 2 * 3600);
    EXPECT_NEAR(timeOf(paris.out, "sunrise"), secondsOfDay("05:49:00"), 180) << paris.out;

    // Without --tz the system zone (TZ) is used.
    const auto system =
        runCli({"sun", "--lat", "48.8566", "--lon", "2.3522", "--date", "2024-07-01"}, {},
               {"TZ=Europe/Paris"});
    EXPECT_EQ(system.out, paris.out);
}

TEST(SunCommand, DefaultsToToday) {
    const auto result = runCli({"sun", "--lat", "10", "--lon", "-20"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GE(timeOf(result.out, "astro_end"), 0) << result.out;
}

TEST(SunCommand, BadInputIsRefusedWithExitCode2) {
    const struct {
        std::vector<std::string> arguments;
        const char* mentions;
    } cases[] = {
        {{"sun", "--lat", "90.5", "--lon", "0"}, "--lat"},
        {{"sun", "--lat", "-91", "--lon", "0"}, "--lat"},
        {{"sun", "--lat", "north", "--lon", "0"}, "--lat"},
        {{"sun", "--lat", "nan", "--lon", "0"}, "--lat"},
        {{"sun", "--lat", "1", "--lon", "181"}, "--lon"},
        {{"sun", "--lat", "1", "--lon", "2", "--tz", "Mars/Olympus"}, "--tz"},
        {{"sun", "--lat", "1", "--lon", "2", "--date", "2023-02-29"}, "--date"},
        {{"sun", "--lat", "1", "--lon", "2", "--date", "2024-3-1"}, "--date"},
        {{"sun", "--lat", "1", "--lon", "2", "--date", "yesterday!"}, "--date"},
        {{"sun", "--lat", "1"}, "usage: orvane sun"},
        {{"sun", "--lat", "1", "--lon"}, "usage: orvane sun"},
        {{"sun", "--lat", "1", "--lon", "2", "--height", "3"}, "usage: orvane sun"},
    };
    for (const auto& entry : cases) {
        const auto result = runCli(entry.arguments);
        EXPECT_EQ(result.exitCode, 2) << entry.mentions;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(entry.mentions), std::string::npos) << result.err;
    }
    // The poles themselves are fine.
    EXPECT_EQ(runCli({"sun", "--lat", "-90", "--lon", "0", "--date", "2024-06-21"}).exitCode, 0);
}

}  // namespace
}  // namespace ov
