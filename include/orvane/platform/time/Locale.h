#pragma once
// A locale (the platform's NSLocale): an identifier such as "en_US" or "he_IL".
//
//   ov::Locale::currentLocale().localeIdentifier();   // from LC_ALL / LC_MESSAGES / LANG
//   ov::Locale::preferredLanguages().front();         // "ru" when the user reads Russian
//   ov::Locale::localeWithLocaleIdentifier("fr_FR").displayNameForCountryCode("IL");  // "Israël"
//
// The current locale is the process's, taken from the environment at start-up; a host may
// change it (setCurrentLocale), and formatters without a locale of their own follow.
//
// Display names come from ICU's locale data. Thread-safe: the name tables of each display
// locale are prepared once and shared.

#include <optional>
#include <vector>

#include "orvane/platform/values/String.h"

namespace ov {

class Locale {
  public:
    static Locale currentLocale();
    // An identifier ICU cannot read changes nothing.
    static void setCurrentLocale(const String& identifier);
    // Identifiers ICU cannot read give the current locale.
    static Locale localeWithLocaleIdentifier(const String& identifier);
    // Language tags, most preferred first; the host may override them (Bundle).
    static std::vector<String> preferredLanguages();

    const String& localeIdentifier() const { return m_identifier; }
    // "" when the identifier has none.
    String countryCode() const;
    String languageCode() const;
    // ISO 4217 ("ILS"); none for a locale without a country or whose country has no currency.
    std::optional<String> currencyCode() const;

    // Names in this locale's language; none where the locale data has no name.
    // Country names fall back to English for locales without names of their own (POSIX).
    std::optional<String> displayNameForCountryCode(const String& countryCode) const;
    // The name of the language of `identifier` ("he_IL" gives "Hebrew" in English).
    std::optional<String> displayNameForLanguageOf(const String& identifier) const;
    // The whole identifier ("en_US" gives "English (United States)").
    std::optional<String> displayNameForIdentifier(const String& identifier) const;

    friend bool operator==(const Locale&, const Locale&) = default;

  private:
    explicit Locale(String identifier) : m_identifier(std::move(identifier)) {}
    String m_identifier;
};

}  // namespace ov
