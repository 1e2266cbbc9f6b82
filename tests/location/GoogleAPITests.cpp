#include <gtest/gtest.h>

#include "orvane/location/GoogleAPI.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/MapsServicesFake.h"

namespace ov {
namespace {

constexpr const char* kReverseReply = R"({"status":"OK","results":[
    {"formatted_address":"Dizengoff St 50, Tel Aviv","address_components":[
        {"long_name":"Tel Aviv","short_name":"TLV"},{"long_name":"Israel","short_name":"IL"}]},
    {"formatted_address":"Tel Aviv"}]})";

constexpr const char* kDistanceReply = R"({"status":"OK","rows":[{"elements":[{"status":"OK",
    "duration":{"text":"1 hour","value":3600},"distance":{"text":"95 km","value":95123}}]}]})";

constexpr const char* kGeocodeReply = R"({"status":"OK","results":[
    {"geometry":{"location":{"lat":32.0775,"lng":-34.7741}}}]})";

constexpr const char* kPostalReply = R"({"status":"OK","results":[{"address_components":[
    {"short_name":"6100000"},{"short_name":"Tel Aviv"},{"short_name":"IL"}]}]})";

// Points all three services at one fake, and puts the previous addresses back afterwards.
class GoogleAPITest : public ::testing::Test {
  protected:
    GoogleAPITest() { pointAt(maps.baseUrl()); }
    ~GoogleAPITest() override {
        GoogleAPI::setApiBase(m_api);
        GoogleAPI::setSiteBase(m_site);
        GoogleAPI::setTranslateBase(m_translate);
    }

    static void pointAt(const std::string& base) {
        GoogleAPI::setApiBase(String(base.c_str()));
        GoogleAPI::setSiteBase(String(base.c_str()));
        GoogleAPI::setTranslateBase(String(base.c_str()));
    }

    std::vector<std::string> logged() const { return log.entries(); }

    test::MapsServicesFake maps;
    SystemLogCapture log;

  private:
    String m_api = GoogleAPI::apiBase();
    String m_site = GoogleAPI::siteBase();
    String m_translate = GoogleAPI::translateBase();
};

TEST(GoogleAPISettings, DefaultsAreThePublicServicesOverHttps) {
    if (std::getenv("ORVANE_MAPS_API") || std::getenv("ORVANE_MAPS_SITE") ||
        std::getenv("ORVANE_TRANSLATE")) {
        GTEST_SKIP() << "the environment sets the services";
    }
    EXPECT_EQ(GoogleAPI::apiBase(), String("https://maps.googleapis.com"));
    EXPECT_EQ(GoogleAPI::siteBase(), String("https://maps.google.com"));
    EXPECT_EQ(GoogleAPI::translateBase(), String("https://ajax.googleapis.com"));
}

TEST_F(GoogleAPITest, ReverseGeocodingSendsSixDecimalsAndLogsTheResults) {
    maps.answer(kReverseReply);
    EXPECT_EQ(GoogleAPI::getAddressFromLat(32.0853f, -34.7818f),
              String("Dizengoff St 50, Tel Aviv"));
    GoogleAPI::getAddressArrayFromLat(-0.5f, 179.25f);
    EXPECT_EQ(maps.targets(),
              (std::vector<std::string>{
                  "/maps/api/geocode/json?latlng=32.085300,-34.781799&sensor=false",
                  "/maps/api/geocode/json?latlng=-0.500000,179.250000&sensor=false"}));
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[0].starts_with("[googleArray objectAtIndex:0]={"));
    EXPECT_TRUE(lines[1].starts_with("googleArray: ("));
    EXPECT_EQ(lines[2], "fullAddress: Dizengoff St 50, Tel Aviv");
}

TEST_F(GoogleAPITest, ReverseGeocodingWithoutAResult) {
    for (const char* reply :
         {R"({"status":"ZERO_RESULTS","results":[]})", R"({"status":"OK","results":[]})",
          R"({"status":"OVER_QUERY_LIMIT"})"}) {
        log.clear();
        maps.answer(reply);
        EXPECT_EQ(GoogleAPI::getAddressFromLat(1, 2), String("")) << reply;
        EXPECT_EQ(logged(), std::vector<std::string>{"fullAddress: "}) << reply;
        EXPECT_TRUE(GoogleAPI::getAddressArrayFromLat(1, 2).isEmpty()) << reply;
    }
}

TEST_F(GoogleAPITest, ReverseGeocodingWithNoReadableReplyAnswersNone) {
    maps.answer("<html>busy</html>");
    EXPECT_EQ(GoogleAPI::getAddressFromLat(1, 2), std::nullopt);
    EXPECT_TRUE(GoogleAPI::getAddressArrayFromLat(1, 2).isEmpty());
    pointAt(test::refusingBaseUrl());
    EXPECT_EQ(GoogleAPI::getAddressFromLat(1, 2), std::nullopt);
    EXPECT_TRUE(GoogleAPI::getAddressArrayFromLat(1, 2).isEmpty());
    EXPECT_TRUE(logged().empty());
}

TEST_F(GoogleAPITest, AddressComponentsAreTheFirstResultsAndLoggedTwice) {
    maps.answer(kReverseReply);
    const Array components = GoogleAPI::getAddressArrayFromLat(1, 2);
    ASSERT_EQ(components.count(), 2u);
    EXPECT_EQ(components[1].asDictionary().objectForKey("short_name"), Value("IL"));
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[2].starts_with("googleArray address comm: ("));
    EXPECT_EQ(lines[2], lines[3]);
}

TEST_F(GoogleAPITest, DistanceEscapesTheWholeAddressOnce) {
    maps.answer(kDistanceReply);
    GoogleAPI::getDistanceFromOrigins("תל אביב|Haifa", "32.1,34.8&avoid=tolls:x");
    EXPECT_EQ(maps.targets(),
              std::vector<std::string>{
                  "/maps/api/distancematrix/json?origins=%D7%AA%D7%9C%20%D7%90%D7%91%D7%99%D7%91"
                  "%7CHaifa&destinations=32.1,34.8&avoid=tolls:x&mode=driving&language=he-IL"
                  "&sensor=false"});
}

TEST_F(GoogleAPITest, MetresEscapeTheArgumentsAndThenTheWholeAddress) {
    maps.answer(kDistanceReply);
    GoogleAPI::getMetterDistanceFromOrigins("Tel Aviv|Haifa", "שם&x");
    EXPECT_EQ(maps.targets(), std::vector<std::string>{
                                  "/maps/api/distancematrix/json?origins=Tel%2520Aviv%257CHaifa"
                                  "&destinations=%25D7%25A9%25D7%259D&x&mode=driving"
                                  "&language=he-IL&sensor=false"});
}

TEST_F(GoogleAPITest, DistanceAnswersFromTheFirstElement) {
    maps.answer(kDistanceReply);
    EXPECT_EQ(
        GoogleAPI::getDistanceFromOrigins("a", "b"),
        Value(Dictionary{{"text", "1 hour"}, {"value", Decimal::fromString("3600").value()}}));
    EXPECT_EQ(GoogleAPI::getMetterDistanceFromOrigins("a", "b").description(), String("95123"));
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_TRUE(lines[0].starts_with("locationString: {\"status\":\"OK\""));
    EXPECT_TRUE(lines[1].starts_with("Users: {"));
    EXPECT_TRUE(lines[2].starts_with("Users: valueForKey: ROWS: ("));
    EXPECT_TRUE(lines[3].starts_with("googleArray: ("));
    EXPECT_EQ(lines[9], "fullAddress: 95123");
}

TEST_F(GoogleAPITest, DistanceWithoutAnAnswerIsEmptyText) {
    for (const char* reply :
         {R"({"status":"OK","rows":[{"elements":[{"status":"NOT_FOUND"}]}]})",
          R"({"status":"OK","rows":[]})", R"({"status":"OK","rows":[{"elements":[]}]})",
          R"({"status":"INVALID_REQUEST","rows":[]})", "not json"}) {
        log.clear();
        maps.answer(reply);
        EXPECT_EQ(GoogleAPI::getDistanceFromOrigins("a", "b"), Value("")) << reply;
        EXPECT_EQ(GoogleAPI::getMetterDistanceFromOrigins("a", "b"), Value("")) << reply;
        EXPECT_EQ(logged().back(), "fullAddress: ");
    }
    pointAt(test::refusingBaseUrl());
    log.clear();
    EXPECT_EQ(GoogleAPI::getMetterDistanceFromOrigins("a", "b"), Value(""));
    EXPECT_EQ(logged(), (std::vector<std::string>{"locationString: (null)", "Users: (null)",
                                                  "Users: valueForKey: ROWS: (null)",
                                                  "googleArray: (null)", "fullAddress: "}));
}

TEST_F(GoogleAPITest, GeocodingEscapesOnlyTheAddressOnTheSiteHost) {
    maps.answer(kGeocodeReply);
    GoogleAPI::setApiBase("http://127.0.0.1:1");
    const auto coordinates = GoogleAPI::geoCodeUsingAddressToLatLong("Dizengoff 50, תא & co|x");
    ASSERT_TRUE(coordinates);
    EXPECT_EQ(*coordinates, (Array{"32.0775", "-34.7741"}));
    const std::string escaped = "Dizengoff%2050,%20%D7%AA%D7%90%20&%20co%7Cx";
    EXPECT_EQ(maps.targets(),
              std::vector<std::string>{"/maps/api/geocode/json?sensor=false&address=" + escaped});
    EXPECT_EQ(logged(), (std::vector<std::string>{
                            "address Dizengoff 50, תא & co|x", "address: " + escaped,
                            "url: " + maps.baseUrl() +
                                "/maps/api/geocode/json?sensor=false&address=" + escaped,
                            "lat: 32.0775", "lng: -34.7741"}));
}

TEST_F(GoogleAPITest, GeocodingWithoutCoordinatesAnswersNone) {
    EXPECT_EQ(GoogleAPI::geoCodeUsingAddressToLatLong(""), std::nullopt);
    EXPECT_EQ(GoogleAPI::geoCodeUsingAddressToLatLong(std::nullopt), std::nullopt);
    EXPECT_EQ(logged(), (std::vector<std::string>{"address ", "address (null)"}));
    EXPECT_TRUE(maps.targets().empty());
    for (const char* reply :
         {R"({"status":"ZERO_RESULTS","results":[]})", R"({"status":"OK","results":[]})", "]"}) {
        maps.answer(reply);
        EXPECT_EQ(GoogleAPI::geoCodeUsingAddressToLatLong("x"), std::nullopt) << reply;
    }
    pointAt(test::refusingBaseUrl());
    EXPECT_EQ(GoogleAPI::geoCodeUsingAddressToLatLong("x"), std::nullopt);
}

TEST_F(GoogleAPITest, TranslationPostsTheEscapedTextAndPair) {
    maps.answer(R"({"responseData":{"translatedText":"おはよう"}})");
    GoogleAPI::translate("Good morning & more");
    EXPECT_EQ(maps.methods(), std::vector<std::string>{"POST"});
    EXPECT_EQ(maps.targets(),
              std::vector<std::string>{"/ajax/services/language/translate?q=Good%20morning%20&%20"
                                       "more&v=1.0&langpair=en%7Cja"});
    const auto lines = logged();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "stringToTranslate=Good morning & more");
    EXPECT_TRUE(lines[1].starts_with("json {")) << lines[1];
}

// Records each call with whether it came on the main thread.
struct RecordingDelegate : GoogleAPIDelegate {
    void googleZipFailedWithError(const std::optional<Error>& error) override {
        record("failed " + (error ? error->localizedDescription().toUtf8() : "(no error)"));
    }
    void googleZipCodeExistIn(const String& code) override { record("exists " + code.toUtf8()); }
    void googleZipCodeNotExistIn(const String& code) override {
        record("not-exists " + code.toUtf8());
    }
    void record(std::string call) {
        calls.push_back(std::move(call));
        onMainThread.push_back(RunLoop::isMainThread());
    }

    std::vector<std::string> calls;
    std::vector<bool> onMainThread;
};

class GoogleAPIZipTest : public GoogleAPITest {
  protected:
    // Asks on a fresh instance, which is dropped at once, and waits for the one answer.
    std::string check(const String& zip, const String& country) {
        {
            GoogleAPI api;
            api.setDelegate(delegate);
            api.zip(zip, country);
        }
        const size_t before = delegate->calls.size();
        EXPECT_TRUE(
            RunLoop::main().runUntil([&] { return delegate->calls.size() > before; }, 10.0));
        return delegate->calls.empty() ? "" : delegate->calls.back();
    }

    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(GoogleAPIZipTest, CountryMatchesTheLastComponentExactly) {
    maps.answer(kPostalReply);
    EXPECT_EQ(check("6100000", "IL"), "exists IL");
    EXPECT_EQ(check("6100000", "il"), "not-exists il");
    EXPECT_EQ(check("6100000", "FR"), "not-exists FR");
    EXPECT_EQ(delegate->onMainThread, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(logged(), (std::vector<std::string>{"country IL", "country IL", "country IL"}));
}

TEST_F(GoogleAPIZipTest, UnknownCodesDoNotExist) {
    for (const char* reply : {R"({"status":"ZERO_RESULTS","results":[]})",
                              R"({"status":"OK","results":[]})", R"({"status":"OK"})"}) {
        maps.answer(reply);
        EXPECT_EQ(check("00000", "IL"), "not-exists IL") << reply;
    }
    EXPECT_TRUE(logged().empty());
}

TEST_F(GoogleAPIZipTest, RequestIsEscapedWholeInNeXTSTEP) {
    maps.answer(kPostalReply);
    check("75 é|1", "FR");
    EXPECT_EQ(maps.targets(), std::vector<std::string>{"/maps/api/geocode/json?address=&components="
                                                       "postal_code:75%20%DD%7C1&sensor=false"});
}

TEST_F(GoogleAPIZipTest, FailuresReachTheDelegate) {
    EXPECT_EQ(check("תא", "IL"), "failed The address cannot be written in the NeXTSTEP encoding.");
    EXPECT_TRUE(maps.targets().empty());
    maps.answer("<html>");
    EXPECT_EQ(check("1", "IL"), "failed The reply is not JSON.");
    maps.answer("\xff\xfe");
    EXPECT_EQ(check("1", "IL"), "failed (no error)");
    pointAt(test::refusingBaseUrl());
    EXPECT_EQ(check("1", "IL"), "failed Could not connect to the server.");
}

TEST_F(GoogleAPIZipTest, TheDelegateOfTheMomentIsTold) {
    maps.answer(kPostalReply);
    GoogleAPI api;
    api.setDelegate(std::make_shared<RecordingDelegate>());
    api.zip("6100000", "IL");
    api.setDelegate(delegate);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !delegate->calls.empty(); }, 10.0));
    EXPECT_EQ(delegate->calls, std::vector<std::string>{"exists IL"});
}

TEST_F(GoogleAPIZipTest, AddressLookupLogsAndTellsOnlyFailures) {
    maps.answer(R"({"status":"OK","results":[]})");
    GoogleAPI api;
    api.setDelegate(delegate);
    api.zipCodeFromAddress("Rue de Rivoli, Paris");
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return logged().size() == 2; }, 10.0));
    EXPECT_EQ(maps.targets(), std::vector<std::string>{
                                  "/maps/api/geocode/json?address=Rue%20de%20Rivoli,%20Paris"});
    EXPECT_TRUE(logged()[0].starts_with("catagory {"));
    EXPECT_EQ(logged()[1], "resultStatus OK");
    EXPECT_TRUE(delegate->calls.empty());

    pointAt(test::refusingBaseUrl());
    api.zipCodeFromAddress("x");
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !delegate->calls.empty(); }, 10.0));
    EXPECT_EQ(delegate->calls, std::vector<std::string>{"failed Could not connect to the server."});
}

}  // namespace
}  // namespace ov
