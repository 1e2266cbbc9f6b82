#include <gtest/gtest.h>

#include <set>

#include "orvane/extensions/CallingCodes.h"
#include "orvane/extensions/NSLocale+NSLocale.h"
#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

namespace Locales = NSLocale_NSLocale;

class NSLocaleTest : public testing::Test {
  protected:
    void SetUp() override {
        m_bundle.write("IL.png", test::solidPng(2, 2, 0x0000ffff));
        m_bundle.write("FR.png", test::solidPng(3, 2, 0xff0000ff));
        Bundle::setMainBundlePath(m_bundle.path());
        Locale::setCurrentLocale("en_US");
    }
    void TearDown() override {
        Locale::setCurrentLocale(m_original.localeIdentifier());
        Bundle::setMainBundlePath("");
        Bundle::setPreferredLanguages(std::nullopt);
    }

    Locale m_original = Locale::currentLocale();
    test::TestBundle m_bundle;
};

TEST_F(NSLocaleTest, CallingCodeAndDrivingSideLookUps) {
    EXPECT_EQ(Locales::countryAreaCodeByCountryCode(String("IL")), String("972"));
    EXPECT_EQ(Locales::countryAreaCodeByCountryCode(String("KZ")), String("77"));
    EXPECT_EQ(Locales::countryAreaCodeByCountryCode(String("il")), std::nullopt);
    EXPECT_EQ(Locales::countryAreaCodeByCountryCode(std::nullopt), std::nullopt);
    EXPECT_TRUE(Locales::includeAreaCode(String("972")));
    EXPECT_FALSE(Locales::includeAreaCode(String("+972")));
    EXPECT_EQ(Locales::getCountrCodeByAreaCode(String("972")), "IL");
    EXPECT_EQ(Locales::getCountrCodeByAreaCode(String("999")), "");
    EXPECT_EQ(Locales::getCountrCodeByAreaCode(String("1")), "AG");  // first in code order
    EXPECT_EQ(Locales::getCountrCodeByAreaCode(String("595")), "GY");

    EXPECT_EQ(Locales::getCountriesPhoneCodes().count(), 236u);

    const Dictionary left = Locales::getCountriesDrivingLeftSide();
    ASSERT_EQ(left.count(), 65u);
    for (const auto& [code, callingCode] : left)
        EXPECT_EQ(Locales::countryAreaCodeByCountryCode(code), callingCode.asString());
    EXPECT_TRUE(Locales::isRightSideDriving(String("GB")));
    EXPECT_TRUE(Locales::isRightSideDriving(String("PN")));
    EXPECT_FALSE(Locales::isRightSideDriving(String("FR")));
    EXPECT_FALSE(Locales::isRightSideDriving(std::nullopt));
}

// The whole list in two languages: every table row once, named, sorted by code unit.
TEST_F(NSLocaleTest, CountryListIsCompleteNamedAndSorted) {
    for (const char* language : {"en_US", "he_IL"}) {
        Locale::setCurrentLocale(language);
        const auto countries = Locales::countriesList();
        ASSERT_EQ(countries.size(), 236u) << language;
        std::set<String> codes;
        for (size_t i = 0; i < countries.size(); ++i) {
            const OVCountry& country = *countries[i];
            ASSERT_TRUE(country.name() && !country.name()->isEmpty()) << country.code()->toUtf8();
            EXPECT_EQ(country.areacode(), Locales::countryAreaCodeByCountryCode(country.code()));
            EXPECT_EQ(country.dictionary(), std::nullopt);
            if (i > 0) {
                EXPECT_LE(*countries[i - 1]->name(), *country.name()) << language;
            }
            codes.insert(*country.code());
        }
        EXPECT_EQ(codes.size(), 236u);
    }
    Locale::setCurrentLocale("he_IL");
    EXPECT_EQ(Locales::countryDisplayNameByCountryCode(String("IL")), String("ישראל"));
    Locale::setCurrentLocale("en_US");
    EXPECT_EQ(Locales::countryDisplayNameByCountryCode(String("IL")), String("Israel"));
    EXPECT_EQ(Locales::countryDisplayNameByCountryCode(std::nullopt), std::nullopt);
    EXPECT_EQ(Locales::countryDisplayNameByCountryCode(String("QQ")), std::nullopt);
}

TEST_F(NSLocaleTest, ListedFlagsComeFromTheMainBundle) {
    int flagged = 0;
    for (const auto& country : Locales::countriesList()) {
        if (!country->flag()) continue;
        ++flagged;
        EXPECT_TRUE(country->code() == String("IL") || country->code() == String("FR"));
    }
    EXPECT_EQ(flagged, 2);
    EXPECT_EQ(Locales::countryByCode(String("FR"))->flag()->pixelWidth(), 3);
}

TEST_F(NSLocaleTest, RecordKeepsFlagFormattedCodeAndMirrorInStep) {
    const auto israel = OVCountry::initWithName(String("Israel"), String("IL"), String("972"));
    EXPECT_EQ(israel->areacodeFormatted(), String("+972"));
    ASSERT_TRUE(israel->flag());
    EXPECT_EQ(israel->flag()->pixelWidth(), 2);
    EXPECT_EQ(israel->dictionary(),
              (Dictionary{{"country_code", "IL"}, {"country_areaCode", "972"}}));

    israel->setCode(String("FR"));
    EXPECT_EQ(israel->flag()->pixelWidth(), 3);
    israel->setCode(std::nullopt);
    israel->setAreacode(std::nullopt);
    EXPECT_EQ(israel->flag(), nullptr);
    EXPECT_EQ(israel->areacodeFormatted(), String("+(null)"));
    EXPECT_EQ(israel->dictionary(), Dictionary());

    OVCountry plain;  // no mirror to write to
    plain.setCode(String("IL"));
    EXPECT_EQ(plain.dictionary(), std::nullopt);
}

TEST_F(NSLocaleTest, LogWritesFiveLines) {
    const auto israel = OVCountry::initWithName(String("Israel"), String("QQ"), String("972"));
    SystemLogCapture capture;
    israel->log();
    const std::string self = israel->description().toUtf8();
    EXPECT_EQ(capture.entries(),
              (std::vector<std::string>{
                  self, "country " + self + ".name Israel", "country " + self + ".code QQ",
                  "country " + self + ".areacode 972", "country " + self + ".flag (null)"}));
}

// Restoring goes through the setters in property order, so the archived flag and mirror win
// over what setting the code would load.
TEST_F(NSLocaleTest, RecordArchivesAndRestoresEveryProperty) {
    const auto israel = OVCountry::initWithName(String("Israel"), String("IL"), String("972"));
    israel->setAreacodeFormatted(String("+972 (IL)"));
    Dictionary mirror = *israel->dictionary();
    mirror.setObject("extra", "note");
    israel->setDictionary(mirror);

    const auto data =
        KeyedArchiver::archivedDataWithRootObject(Value(std::shared_ptr<Object>(israel)));
    ASSERT_TRUE(data.ok());
    Bundle::setMainBundlePath(test::TestBundle().path());  // the flag file is gone now
    const auto back =
        KeyedUnarchiver::unarchiveObjectWithData(data.value()).value().ifObjectOf<OVCountry>();
    ASSERT_TRUE(back);
    EXPECT_EQ(
        std::tie(back->name(), back->code(), back->areacode(), back->areacodeFormatted()),
        std::tie(israel->name(), israel->code(), israel->areacode(), israel->areacodeFormatted()));
    EXPECT_EQ(back->dictionary(), mirror);
    ASSERT_TRUE(back->flag());
    EXPECT_EQ(back->flag()->rgbaAt(1, 1), israel->flag()->rgbaAt(1, 1));
}

TEST_F(NSLocaleTest, CurrentLocaleCountryLanguageAndCurrency) {
    Locale::setCurrentLocale("he_IL");
    EXPECT_EQ(Locales::currentCountryCode(), String("IL"));
    EXPECT_EQ(Locales::currentCountryAreaCodeFormatted(), "+972");
    EXPECT_EQ(Locales::currentCurrency(), String("ILS"));
    EXPECT_EQ(
        Locales::dictionary(),
        (Dictionary{{"localeIdentifier", "he_IL"}, {"languageCode", "he"}, {"countryCode", "IL"}}));
    EXPECT_EQ(Locales::lanuageDisplayName(Locale::currentLocale()), String("עברית"));
    EXPECT_EQ(Locales::currencyCountryCode(String("fr_FR")), String("EUR"));
    EXPECT_EQ(Locales::countryByAreaCode(String("1"))->code(), String("IL"));  // not looked up

    Locale::setCurrentLocale("en_US");
    EXPECT_EQ(Locales::getDisplayName(), String("English (United States)"));
    EXPECT_EQ(Locales::currentCountry()->name(), String("United States"));

    // Without a country, or with one outside the table.
    Locale::setCurrentLocale("en");
    EXPECT_EQ(Locales::currentCountryCode(), std::nullopt);
    EXPECT_EQ(Locales::currentCountryAreaCodeFormatted(), "+(null)");
    EXPECT_EQ(Locales::currentCurrency(), std::nullopt);
}

TEST_F(NSLocaleTest, ArabicKeyboardLooksAtTheFirstTwoLanguages) {
    const std::pair<std::vector<String>, bool> cases[] = {
        {{"en", "ar-SA"}, true},   {{"en", "fr", "ar-SA"}, false}, {{"ar"}, false},
        {{"pa_Arab", "en"}, true}, {{"uz_Arab_AF"}, true},         {{"ms_Arab_XX"}, false},
        {{"en", "mar-IN"}, true},  // "ar-" anywhere in the tag counts
    };
    for (const auto& [languages, expected] : cases) {
        Bundle::setPreferredLanguages(languages);
        EXPECT_EQ(Locales::haveArabKeyboard(), expected) << languages.back().toUtf8();
    }
    Bundle::setPreferredLanguages(std::vector<String>{"ar"});
    EXPECT_TRUE(Locales::isArabLanguage());
    Bundle::setPreferredLanguages(std::vector<String>{"ar-SA"});
    EXPECT_FALSE(Locales::isArabLanguage());
}

}  // namespace
}  // namespace ov
