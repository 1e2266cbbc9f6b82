#pragma once
// Countries, calling codes and the user's locale for phone-number and country pickers: the
// calling-code table as a dictionary, look-ups both ways, the sorted list of all countries in
// the current locale's language, the current locale's country, language and currency, a test
// for Arabic-script keyboards and the table of countries that drive on the left.
//
//   namespace Locales = ov::NSLocale_NSLocale;
//   Locales::countryAreaCodeByCountryCode(ov::String("IL"));   // "972"
//   Locales::getCountrCodeByAreaCode("61");                     // "AU", first in code order
//   for (const auto& country : Locales::countriesList()) ...    // 236, sorted by name
//
// Nothing is kept between calls except the locale data and decoded flags, which never change;
// every answer follows the current locale as it is at the call. Thread-safe.

#include <memory>
#include <optional>
#include <vector>

#include "orvane/extensions/OVCountry.h"
#include "orvane/platform/time/Locale.h"

namespace ov::NSLocale_NSLocale {

using Text = std::optional<String>;

// Country code to calling code, 236 entries in country-code order.
Dictionary getCountriesPhoneCodes();
// Exact and case-sensitive; none for codes not in the table.
Text countryAreaCodeByCountryCode(const Text& countryCode);
// `areaCode` without the plus sign.
bool includeAreaCode(const Text& areaCode);
// The first country in code order with that calling code; "" when none has it.
String getCountrCodeByAreaCode(const Text& areaCode);
// In the current locale's language; none for none or an unknown code.
Text countryDisplayNameByCountryCode(const Text& countryCode);

// Every country of the table (no mirror dictionaries), sorted by name code unit by code unit.
std::vector<std::shared_ptr<OVCountry>> countriesList();
std::vector<std::shared_ptr<OVCountry>> createCountries();
std::shared_ptr<OVCountry> countryByCode(const Text& countryCode);
// The current country's name and code with the given calling code, unchecked.
std::shared_ptr<OVCountry> countryByAreaCode(const Text& areaCode);

Text currentCountryCode();  // none when the locale has no country
Text currentCountryDisplayName();
Text currentCountryAreaCode();
std::shared_ptr<OVCountry> currentCountry();
String currentCountryAreaCodeFormatted();  // "+(null)" without a known current country

// "localeIdentifier", "languageCode" and "countryCode" of the current locale.
Dictionary dictionary();
String getIdentifier();
Text getDisplayName();
// The name of the locale's language in that language ("עברית" for he_IL).
Text lanuageDisplayName(const Locale& locale);

Text currentPreferredLanguage();
std::vector<String> currentPreferredLanguages();
bool isArabLanguage();  // the first preferred language is exactly "ar"
std::vector<String> getArabLocalizationArray();
// True when one of the first two preferred languages is an Arabic-script identifier of
// getArabLocalizationArray or contains "ar-"; a bare "ar" does not count.
bool haveArabKeyboard();

Text currentCurrency();
Text currencyCountryCode(const Text& localeIdentifier);

// Country code to calling code, for the 65 countries that drive on the left.
Dictionary getCountriesDrivingLeftSide();
// True for a left-driving country: the driver sits on the right.
bool isRightSideDriving(const Text& countryCode);

}  // namespace ov::NSLocale_NSLocale
