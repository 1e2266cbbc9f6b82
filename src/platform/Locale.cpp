#include "orvane/platform/Locale.h"

#include <unicode/locid.h>

#include "orvane/platform/Bundle.h"

namespace ov {

Locale Locale::currentLocale() {
    return Locale(String(icu::Locale::getDefault().getName()));
}

Locale Locale::localeWithLocaleIdentifier(const String& identifier) {
    const icu::Locale locale = icu::Locale::createFromName(identifier.toUtf8().c_str());
    if (locale.isBogus() || identifier.length() == 0) return currentLocale();
    return Locale(String(locale.getName()));
}

std::vector<String> Locale::preferredLanguages() {
    return Bundle::preferredLanguages();
}

}  // namespace ov
