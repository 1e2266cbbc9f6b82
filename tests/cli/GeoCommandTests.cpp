// `orvane geo`, run as a child process against a loopback fake of the Maps services.
#include <gtest/gtest.h>

#include "support/CliRunner.h"
#include "support/MapsServicesFake.h"

namespace ov {
namespace {

class GeoCommand : public ::testing::Test {
  protected:
    // The command with every service pointed at the fake through the options.
    test::CliResult geo(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {"geo", "--api", maps.baseUrl(), "--site", maps.baseUrl()});
        return test::runCli(arguments);
    }

    test::MapsServicesFake maps;
};

TEST_F(GeoCommand, AddressPrintsTheFormattedAddress) {
    maps.answer(R"({"status":"OK","results":[{"formatted_address":"Dizengoff St 50"}]})");
    const auto found = geo({"address", "32.0853", "-34.7818"});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out, "Dizengoff St 50\n");
    EXPECT_NE(found.err.find("fullAddress: Dizengoff St 50\n"), std::string::npos) << found.err;
    EXPECT_EQ(maps.targets(),
              std::vector<std::string>{
                  "/maps/api/geocode/json?latlng=32.085300,-34.781799&sensor=false"});

    maps.answer(R"({"status":"ZERO_RESULTS","results":[]})");
    EXPECT_EQ(geo({"address", "0", "0"}).out, "\n");
    maps.answer("not json");
    const auto unread = geo({"address", "0", "0"});
    EXPECT_EQ(unread.exitCode, 1);
    EXPECT_EQ(unread.out, "");
}

TEST_F(GeoCommand, ComponentsAreCompactJsonWithSortedKeys) {
    maps.answer(R"({"status":"OK","results":[{"address_components":[
        {"short_name":"IL","long_name":"Israel","types":["country"]}]}]})");
    const auto result = geo({"components", "1", "2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, R"([{"long_name":"Israel","short_name":"IL","types":["country"]}])"
                          "\n");
    maps.answer(R"({"status":"REQUEST_DENIED"})");
    EXPECT_EQ(geo({"components", "1", "2"}).out, "[]\n");
}

TEST_F(GeoCommand, DurationAndMetres) {
    maps.answer(R"({"status":"OK","rows":[{"elements":[{"status":"OK",
        "duration":{"value":3600,"text":"1 hour"},"distance":{"value":95123}}]}]})");
    EXPECT_EQ(geo({"duration", "Tel Aviv", "Haifa|Akko"}).out, R"({"text":"1 hour","value":3600})"
                                                               "\n");
    EXPECT_EQ(geo({"meters", "Tel Aviv", "Haifa|Akko"}).out, "95123\n");
    maps.answer(R"({"status":"OK","rows":[{"elements":[{"status":"NOT_FOUND"}]}]})");
    EXPECT_EQ(geo({"duration", "a", "b"}).out, "\n");
    EXPECT_EQ(geo({"meters", "a", "b"}).out, "\n");
}

TEST_F(GeoCommand, CoordsPrintsLatitudeAndLongitudeTexts) {
    maps.answer(
        R"({"status":"OK","results":[{"geometry":{"location":{"lat":32.08,"lng":34.78}}}]})");
    const auto found = geo({"coords", "Dizengoff 50, תל אביב"});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out, "32.08 34.78\n");
    EXPECT_EQ(maps.targets(),
              std::vector<std::string>{"/maps/api/geocode/json?sensor=false&address=Dizengoff%2050,"
                                       "%20%D7%AA%D7%9C%20%D7%90%D7%91%D7%99%D7%91"});
    maps.answer(R"({"status":"ZERO_RESULTS","results":[]})");
    const auto missing = geo({"coords", "nowhere"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(GeoCommand, ZipTellsTheCallersCountry) {
    maps.answer(R"({"status":"OK","results":[{"address_components":[{"short_name":"IL"}]}]})");
    EXPECT_EQ(geo({"zip", "6100000", "IL"}).out, "exists IL\n");
    EXPECT_EQ(geo({"zip", "6100000", "il"}).out, "not-exists il\n");
    const auto failed = geo({"zip", "תא", "IL"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "failed: The address cannot be written in the NeXTSTEP encoding.\n");
}

TEST_F(GeoCommand, ServicesComeFromTheEnvironmentToo) {
    maps.answer(R"({"status":"OK","results":[{"formatted_address":"Here"}]})");
    const auto result =
        test::runCli({"geo", "address", "1", "2"}, {}, {"ORVANE_MAPS_API=" + maps.baseUrl()});
    EXPECT_EQ(result.out, "Here\n");
    const auto refused = test::runCli({"geo", "--api", test::refusingBaseUrl(), "zip", "1", "IL"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "failed: Could not connect to the server.\n");
}

TEST_F(GeoCommand, BadArgumentsPrintTheUsage) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"geo"},
                                               {"geo", "address", "91", "0"},
                                               {"geo", "coords"},
                                               {"geo", "--api"},
                                               {"geo", "--bogus", "x", "coords", "a"},
                                               {"geo", "route", "a", "b"}}) {
        const auto result = test::runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.size();
        EXPECT_TRUE(result.err.starts_with("usage: orvane geo")) << result.err;
    }
}

}  // namespace
}  // namespace ov
