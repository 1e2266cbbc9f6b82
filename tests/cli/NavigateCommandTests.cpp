// `orvane navigate`, run as a child process with a printing URL opener.
#include <gtest/gtest.h>

#include "support/CliRunner.h"

namespace ov {
namespace {

test::CliResult navigate(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"navigate"});
    arguments.insert(arguments.end(), {"--site", "https://maps.test"});
    return test::runCli(arguments);
}

TEST(NavigateCommand, GoogleMapsFromTheGivenPosition) {
    const auto near = navigate({"32.0853", "34.7818", "--app", "2", "--from", "32.0860,34.7818"});
    EXPECT_EQ(near.exitCode, 0) << near.err;
    EXPECT_EQ(near.out,
              "https://maps.test/maps?hl=iw&saddr=32.086000,34.781800&daddr=32.085300,34.781800"
              "&dirflg=w\n");
    const auto far = navigate(
        {"-33.8688", "-151.2093", "--app", "2", "--from", "32.0860,34.7818", "--placemark"});
    EXPECT_EQ(far.out,
              "https://maps.test/maps?hl=iw&saddr=32.086000,34.781800&daddr=-33.868800,"
              "-151.209300\n");
    EXPECT_EQ(navigate({"1", "2", "--app", "2"}).out,
              "https://maps.test/maps?hl=iw&daddr=1.000000,2.000000\n");
}

TEST(NavigateCommand, MapsAppForAnyOtherChoice) {
    EXPECT_EQ(navigate({"-1.5", "2.25"}).out, "geo:-1.500000,2.250000\n");
    EXPECT_EQ(navigate({"-1.5", "2.25", "--app", "7", "--placemark"}).out,
              "geo:-1.500000,2.250000\n");
}

TEST(NavigateCommand, WazeWhenInstalledElseTheAlert) {
    const auto installed = navigate({"1", "-2", "--app", "1", "--waze", "yes"});
    EXPECT_EQ(installed.out, "waze://?ll=1.000000,-2.000000&navigate=yes\n");
    EXPECT_NE(installed.err.find("<Orvane> Wazing to... 1.000000 -2.000000,\n"), std::string::npos)
        << installed.err;
    const auto missing = navigate({"1", "-2", "--app", "1", "--waze", "no"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, "alert Waze: is not installed on this device\n");
}

TEST(NavigateCommand, BadArgumentsPrintTheUsage) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"navigate", "1"},
                                               {"navigate", "100", "0"},
                                               {"navigate", "1", "2", "--app", "-1"},
                                               {"navigate", "1", "2", "--from", "1"},
                                               {"navigate", "1", "2", "--waze", "maybe"}}) {
        const auto result = test::runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.back();
        EXPECT_TRUE(result.err.starts_with("usage: orvane navigate")) << result.err;
    }
}

}  // namespace
}  // namespace ov
