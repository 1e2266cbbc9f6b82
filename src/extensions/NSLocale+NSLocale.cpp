#include <algorithm>
#include <array>
#include <string_view>

#include "orvane/extensions/CallingCodes.h"
#include "orvane/extensions/NSLocale+NSLocale.h"
#include "orvane/extensions/NSString+NSString.h"

namespace ov::NSLocale_NSLocale {
namespace {

constexpr std::array<std::string_view, 65> kDrivingLeftSide{
    "AG", "AI", "AU", "BB", "BD", "BM", "BN", "BS", "BT", "BW", "CK", "CX", "CY",
    "DM", "FJ", "FK", "GB", "GY", "HK", "ID", "IE", "IN", "JM", "JP", "KE", "KI",
    "KN", "KY", "LC", "LK", "LS", "MS", "MT", "MU", "MV", "MW", "MY", "MZ", "NA",
    "NF", "NP", "NR", "NU", "NZ", "PG", "PK", "PN", "SB", "SC", "SG", "SH", "SR",
    "SZ", "TH", "TK", "TL", "TT", "TV", "TZ", "UG", "VG", "WS", "ZA", "ZM", "ZW",
};

constexpr std::array<std::string_view, 9> kArabLocalizations{
    "ks_Arab_IN", "ms_Arab_BN", "ms_Arab_MY", "ms_Arab", "ks_Arab",
    "uz_Arab_AF", "pa_Arab",    "pa_Arab_PK", "uz_Arab",
};

Text nonEmpty(const String& text) {
    return text.isEmpty() ? Text() : Text(text);
}

Text callingCodeOf(std::string_view countryCode) {
    const auto found = CallingCodes::callingCodeForCountryCode(countryCode);
    return found ? Text(String(*found)) : Text();
}

bool isArabScript(const String& language) {
    const std::string utf8 = language.toUtf8();
    return std::ranges::find(kArabLocalizations, utf8) != kArabLocalizations.end() ||
           NSString_NSString::contain(language, "ar-");
}

}  // namespace

Dictionary getCountriesPhoneCodes() {
    std::vector<Dictionary::Entry> entries;
    entries.reserve(CallingCodes::kTable.size());
    for (const auto& entry : CallingCodes::kTable)
        entries.emplace_back(String(entry.countryCode), String(entry.callingCode));
    return Dictionary::fromEntries(std::move(entries));
}

Text countryAreaCodeByCountryCode(const Text& countryCode) {
    return countryCode ? callingCodeOf(countryCode->toUtf8()) : Text();
}

bool includeAreaCode(const Text& areaCode) {
    return areaCode && CallingCodes::containsCallingCode(areaCode->toUtf8());
}

String getCountrCodeByAreaCode(const Text& areaCode) {
    if (!areaCode) return String();
    const auto found = CallingCodes::countryCodeForCallingCode(areaCode->toUtf8());
    return found ? String(*found) : String();
}

Text countryDisplayNameByCountryCode(const Text& countryCode) {
    if (!countryCode) return std::nullopt;
    return Locale::currentLocale().displayNameForCountryCode(*countryCode);
}

std::vector<std::shared_ptr<OVCountry>> countriesList() {
    return createCountries();
}

std::vector<std::shared_ptr<OVCountry>> createCountries() {
    const Locale locale = Locale::currentLocale();
    std::vector<std::shared_ptr<OVCountry>> countries;
    countries.reserve(CallingCodes::kTable.size());
    for (const auto& entry : CallingCodes::kTable) {
        auto country = std::make_shared<OVCountry>();
        const String code(entry.countryCode);
        country->setCode(code);
        country->setAreacode(String(entry.callingCode));
        country->setName(locale.displayNameForCountryCode(code));
        countries.push_back(std::move(country));
    }
    // Stable, so countries of one name keep code order; an unnamed country sorts first.
    std::ranges::stable_sort(countries, {}, [](const auto& country) { return country->name(); });
    return countries;
}

std::shared_ptr<OVCountry> countryByCode(const Text& countryCode) {
    return OVCountry::initWithName(countryDisplayNameByCountryCode(countryCode), countryCode,
                                   countryAreaCodeByCountryCode(countryCode));
}

std::shared_ptr<OVCountry> countryByAreaCode(const Text& areaCode) {
    return OVCountry::initWithName(currentCountryDisplayName(), currentCountryCode(), areaCode);
}

Text currentCountryCode() {
    return nonEmpty(Locale::currentLocale().countryCode());
}

Text currentCountryDisplayName() {
    return countryDisplayNameByCountryCode(currentCountryCode());
}

Text currentCountryAreaCode() {
    return countryAreaCodeByCountryCode(currentCountryCode());
}

std::shared_ptr<OVCountry> currentCountry() {
    return OVCountry::initWithName(currentCountryDisplayName(), currentCountryCode(),
                                   currentCountryAreaCode());
}

String currentCountryAreaCodeFormatted() {
    return currentCountry()->areacodeFormatted().value_or(String());
}

Dictionary dictionary() {
    const Locale locale = Locale::currentLocale();
    Dictionary result;
    result.setObject(locale.localeIdentifier(), "localeIdentifier");
    if (auto language = nonEmpty(locale.languageCode()))
        result.setObject(*language, "languageCode");
    if (auto country = nonEmpty(locale.countryCode())) result.setObject(*country, "countryCode");
    return result;
}

String getIdentifier() {
    return Locale::currentLocale().localeIdentifier();
}

Text getDisplayName() {
    const Locale locale = Locale::currentLocale();
    return locale.displayNameForIdentifier(locale.localeIdentifier());
}

Text lanuageDisplayName(const Locale& locale) {
    return locale.displayNameForLanguageOf(locale.localeIdentifier());
}

Text currentPreferredLanguage() {
    const auto languages = currentPreferredLanguages();
    return languages.empty() ? Text() : Text(languages.front());
}

std::vector<String> currentPreferredLanguages() {
    return Locale::preferredLanguages();
}

bool isArabLanguage() {
    return currentPreferredLanguage() == String("ar");
}

std::vector<String> getArabLocalizationArray() {
    return {kArabLocalizations.begin(), kArabLocalizations.end()};
}

bool haveArabKeyboard() {
    const auto languages = currentPreferredLanguages();
    const size_t looked = std::min<size_t>(languages.size(), 2);
    return std::any_of(languages.begin(), languages.begin() + static_cast<long>(looked),
                       isArabScript);
}

Text currentCurrency() {
    return currencyCountryCode(getIdentifier());
}

Text currencyCountryCode(const Text& localeIdentifier) {
    if (!localeIdentifier || localeIdentifier->isEmpty()) return std::nullopt;
    return Locale::localeWithLocaleIdentifier(*localeIdentifier).currencyCode();
}

Dictionary getCountriesDrivingLeftSide() {
    std::vector<Dictionary::Entry> entries;
    for (const std::string_view code : kDrivingLeftSide)
        entries.emplace_back(String(code), *callingCodeOf(code));
    return Dictionary::fromEntries(std::move(entries));
}

bool isRightSideDriving(const Text& countryCode) {
    if (!countryCode) return false;
    return std::ranges::find(kDrivingLeftSide, countryCode->toUtf8()) != kDrivingLeftSide.end();
}

}  // namespace ov::NSLocale_NSLocale
