#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace ov {
namespace {

TEST(CounterCommand, PrintsTheTextThenTheFontRunsInTheOrderApplied) {
    EXPECT_EQ(test::runCli({"counter", "format", "3723456"}).out,
              "01h 02m 03s.45\nregular 4,2\nregular 8,2\nregular 4,2\nbold 0,2\n");
    EXPECT_EQ(test::runCli({"counter", "format", "360000000"}).out,
              "100h 00m 00s.00\nregular 5,2\nregular 9,2\nregular 5,2\nbold 0,3\n");
    EXPECT_EQ(test::runCli({"counter", "format", "59999", "--mode", "1"}).out, "59s\nbold 0,2\n");
    const auto minute = test::runCli({"counter", "format", "60000", "--mode", "-3"});
    EXPECT_EQ(minute.exitCode, 0);
    EXPECT_EQ(minute.out, "01m 00s\nregular 4,2\nbold 0,2\n");
    EXPECT_EQ(test::runCli({"counter", "format", "18446744073709551614"}).out.substr(0, 26),
              "5124095576030h 25m 51s.61\n");
}

TEST(CounterCommand, RefusesWhatIsNotACounterValue) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"counter"},
                                                      {"counter", "format"},
                                                      {"counter", "format", "-5"},
                                                      {"counter", "format", "12x"},
                                                      {"counter", "format", "18446744073709551616"},
                                                      {"counter", "format", "5", "--mode"},
                                                      {"counter", "format", "5", "--style", "1"},
                                                      {"counter", "format", "5", "--mode", "one"},
                                                      {"counter", "parse", "5"}}) {
        const auto result = test::runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.back();
        EXPECT_NE(result.err.find("usage: orvane counter"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    const auto allOnes = test::runCli({"counter", "format", "18446744073709551615"});
    EXPECT_EQ(allOnes.exitCode, 1);
    EXPECT_EQ(allOnes.err,
              "orvane counter: 18446744073709551615 ms is not a counter value (the largest is "
              "18446744073709551614)\n");
}

}  // namespace
}  // namespace ov
