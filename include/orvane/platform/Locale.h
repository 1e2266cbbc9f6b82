#pragma once
// A locale (the platform's NSLocale): an identifier such as "en_US" or "he_IL".
//
//   ov::Locale::currentLocale().localeIdentifier();   // from LC_ALL / LC_MESSAGES / LANG
//   ov::Locale::preferredLanguages().front();         // "ru" when the user reads Russian
//
// The current locale is the process's, taken from the environment at start-up.

#include <vector>

#include "orvane/platform/String.h"

namespace ov {

class Locale {
  public:
    static Locale currentLocale();
    // Identifiers ICU cannot read give the current locale.
    static Locale localeWithLocaleIdentifier(const String& identifier);
    // Language tags, most preferred first; the host may override them (Bundle).
    static std::vector<String> preferredLanguages();

    const String& localeIdentifier() const { return m_identifier; }
    friend bool operator==(const Locale&, const Locale&) = default;

  private:
    explicit Locale(String identifier) : m_identifier(std::move(identifier)) {}
    String m_identifier;
};

}  // namespace ov
