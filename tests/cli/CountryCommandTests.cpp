// `orvane country`, run as a child process.
#include <gtest/gtest.h>

#include <sstream>

#include "support/CliRunner.h"

namespace ov {
namespace {

using test::CliResult;

CliResult runCountry(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "country");
    return test::runCli(arguments, {}, {"LANG=en_US.UTF-8", "LC_ALL="});
}

TEST(CountryCommand, LooksUpCallingCodesBothWays) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"code", "IL"}, "972\n"},
        {{"code", "KZ"}, "77\n"},
        {{"areacode", "972"}, "IL\n"},
        {{"areacode", "1"}, "AG\n"},
    };
    for (const auto& [arguments, out] : cases) {
        const auto result = runCountry(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, out) << arguments[1];
    }
    const std::pair<std::vector<std::string>, const char*> unknown[] = {
        {{"code", "ZZ"}, "orvane country: no calling code for the country code ZZ\n"},
        {{"code", "il"}, "orvane country: no calling code for the country code il\n"},
        {{"areacode", "99999"}, "orvane country: no country has the calling code 99999\n"},
    };
    for (const auto& [arguments, err] : unknown) {
        const auto result = runCountry(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments[1];
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, err);
    }
    EXPECT_EQ(runCountry({"code"}).exitCode, 2);
    EXPECT_EQ(runCountry({"list", "--lang"}).exitCode, 2);
}

TEST(CountryCommand, ListsEveryCountryInTheChosenLanguage) {
    for (const auto& [options, israel] :
         {std::pair{std::vector<std::string>{"list"}, "IL\t972\tIsrael"},
          {{"list", "--lang", "fr_FR"}, "IL\t972\tIsraël"}}) {
        const auto result = runCountry(options);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::istringstream lines(result.out);
        int count = 0;
        bool found = false;
        for (std::string line; std::getline(lines, line); ++count)
            found = found || line == israel;
        EXPECT_EQ(count, 236);
        EXPECT_TRUE(found) << israel;
    }
    // The POSIX locale has no names of its own; English stands in.
    const auto posix = test::runCli({"country", "list"}, {}, {"LANG=C", "LC_ALL=C"});
    EXPECT_NE(posix.out.find("IL\t972\tIsrael\n"), std::string::npos);
}

}  // namespace
}  // namespace ov
