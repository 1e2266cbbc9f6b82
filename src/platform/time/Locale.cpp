#include "orvane/platform/time/Locale.h"

#include <unicode/locdspnm.h>
#include <unicode/locid.h>
#include <unicode/ucurr.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "orvane/platform/files/Bundle.h"
#include "platform/time/IcuSupport.h"

namespace ov {
namespace {

using icu_support::fromIcu;
using icu_support::toIcu;

// Name tables are costly to open and never change, so each display locale gets one, shared by
// all threads (their look-ups are const and thread-safe).
std::shared_ptr<const icu::LocaleDisplayNames> displayNames(const std::string& identifier) {
    static std::mutex mutex;
    static std::unordered_map<std::string, std::shared_ptr<const icu::LocaleDisplayNames>> cache;
    const std::lock_guard lock(mutex);
    auto& names = cache[identifier];
    if (!names) {
        // Without substitution an unknown code answers nothing instead of echoing itself.
        UDisplayContext contexts[] = {UDISPCTX_NO_SUBSTITUTE};
        names.reset(icu::LocaleDisplayNames::createInstance(
            icu::Locale::createFromName(identifier.c_str()), contexts, 1));
    }
    return names;
}

std::optional<String> nonEmpty(const icu::UnicodeString& text) {
    if (text.isBogus() || text.isEmpty()) return std::nullopt;
    return fromIcu(text);
}

icu::Locale icuLocale(const String& identifier) {
    return icu::Locale::createFromName(identifier.toUtf8().c_str());
}

}  // namespace

Locale Locale::currentLocale() {
    return Locale(String(icu::Locale::getDefault().getName()));
}

void Locale::setCurrentLocale(const String& identifier) {
    const icu::Locale locale = icuLocale(identifier);
    if (locale.isBogus() || identifier.isEmpty()) return;
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(locale, status);
}

Locale Locale::localeWithLocaleIdentifier(const String& identifier) {
    const icu::Locale locale = icuLocale(identifier);
    if (locale.isBogus() || identifier.length() == 0) return currentLocale();
    return Locale(String(locale.getName()));
}

std::vector<String> Locale::preferredLanguages() {
    return Bundle::preferredLanguages();
}

String Locale::countryCode() const {
    return String(icuLocale(m_identifier).getCountry());
}

String Locale::languageCode() const {
    return String(icuLocale(m_identifier).getLanguage());
}

std::optional<String> Locale::currencyCode() const {
    if (countryCode().isEmpty()) return std::nullopt;
    UChar code[4] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucurr_forLocale(m_identifier.toUtf8().c_str(), code, 4, &status);
    if (U_FAILURE(status) || length != 3) return std::nullopt;
    return String(std::u16string(code, 3));
}

std::optional<String> Locale::displayNameForCountryCode(const String& countryCode) const {
    if (countryCode.isEmpty()) return std::nullopt;
    const std::string code = countryCode.toUtf8();
    // Locales without names of their own (the POSIX "C" locale, root) fall back to English.
    for (const std::string& language : {m_identifier.toUtf8(), std::string("en")}) {
        const auto names = displayNames(language);
        icu::UnicodeString name;
        if (names) {
            if (auto found = nonEmpty(names->regionDisplayName(code.c_str(), name))) return found;
        }
    }
    return std::nullopt;
}

std::optional<String> Locale::displayNameForLanguageOf(const String& identifier) const {
    const std::string language = icuLocale(identifier).getLanguage();
    const auto names = displayNames(m_identifier.toUtf8());
    if (language.empty() || !names) return std::nullopt;
    icu::UnicodeString name;
    return nonEmpty(names->languageDisplayName(language.c_str(), name));
}

std::optional<String> Locale::displayNameForIdentifier(const String& identifier) const {
    const auto names = displayNames(m_identifier.toUtf8());
    if (identifier.isEmpty() || !names) return std::nullopt;
    icu::UnicodeString name;
    return nonEmpty(names->localeDisplayName(icuLocale(identifier), name));
}

}  // namespace ov
