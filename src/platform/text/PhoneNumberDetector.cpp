#include "orvane/platform/text/PhoneNumberDetector.h"

#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <cctype>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace ov {
namespace {

constexpr const char* kDefaultRegion = "US";

// "he_IL.UTF-8@euro" gives "IL"; anything without a two-letter country gives none.
std::string countryOfLocaleName(const char* name) {
    if (!name) return {};
    const std::string locale(name);
    const size_t underscore = locale.find('_');
    if (underscore == std::string::npos) return {};
    const std::string country = locale.substr(underscore + 1, 2);
    const bool twoLetters = country.size() == 2 &&
                            std::isupper(static_cast<unsigned char>(country[0])) &&
                            std::isupper(static_cast<unsigned char>(country[1]));
    return twoLetters ? country : std::string();
}

// UTF-16 length of a UTF-8 prefix (the matcher reports byte offsets).
uint64_t utf16Length(std::string_view utf8) {
    uint64_t units = 0;
    for (unsigned char byte : utf8) {
        if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

}  // namespace

PhoneNumberDetector::PhoneNumberDetector(std::string region)
    : m_region(region.empty() ? currentRegion() : std::move(region)) {}

std::string PhoneNumberDetector::currentRegion() {
    for (const char* variable : {"LC_ALL", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        const std::string country = countryOfLocaleName(value);
        return country.empty() ? kDefaultRegion : country;
    }
    return kDefaultRegion;
}

std::vector<Range> PhoneNumberDetector::matchesInString(const String& text) const {
    using i18n::phonenumbers::PhoneNumberMatch;
    using i18n::phonenumbers::PhoneNumberMatcher;
    using i18n::phonenumbers::PhoneNumberUtil;
    const std::string utf8 = text.toUtf8();
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), utf8, m_region,
                               PhoneNumberMatcher::VALID, std::numeric_limits<int>::max());
    std::vector<Range> ranges;
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match)) {
        const auto start = static_cast<size_t>(match.start());
        const uint64_t location = utf16Length(std::string_view(utf8).substr(0, start));
        ranges.push_back({location, utf16Length(match.raw_string())});
    }
    return ranges;
}

}  // namespace ov
