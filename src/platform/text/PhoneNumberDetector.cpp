#include "orvane/platform/text/PhoneNumberDetector.h"

#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <optional>
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

using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

bool overlap(Range a, Range b) {
    return a.location < b.location + b.length && b.location < a.location + a.length;
}

// The lengths of the digit groups, or none when the text holds anything but digits, spaces,
// hyphens, parentheses and a leading plus: dots and slashes write decimals, versions and dates.
std::optional<std::vector<size_t>> digitGroups(std::string_view raw) {
    if (raw.starts_with('+')) raw.remove_prefix(1);
    std::vector<size_t> groups{0};
    for (const char character : raw) {
        if (std::isdigit(static_cast<unsigned char>(character))) {
            ++groups.back();
        } else if (character != ' ' && character != '-' && character != '(' && character != ')') {
            return std::nullopt;
        } else if (groups.back() != 0) {
            groups.push_back(0);
        }
    }
    if (groups.back() == 0) groups.pop_back();
    return groups;
}

// 2024-03-05 and 05-03-2024.
bool isDateShape(const std::vector<size_t>& groups) {
    if (groups.size() != 3) return false;
    const auto dayOrMonth = [](size_t length) { return length == 1 || length == 2; };
    return (groups[0] == 4 && dayOrMonth(groups[1]) && dayOrMonth(groups[2])) ||
           (dayOrMonth(groups[0]) && dayOrMonth(groups[1]) && groups[2] == 4);
}

// A number that fits the region only by its length counts when it is written as people write
// phone numbers: at least seven digits, and international (+), with a trunk 0, or in groups.
// Plain runs of digits, dates and decimals stay text.
bool writtenAsPhoneNumber(std::string_view raw) {
    constexpr size_t kMinimumDigits = 7;
    const std::optional<std::vector<size_t>> groups = digitGroups(raw);
    if (!groups || isDateShape(*groups)) return false;
    size_t digits = 0;
    for (const size_t group : *groups)
        digits += group;
    if (digits < kMinimumDigits) return false;
    return raw.starts_with('+') || raw.starts_with('0') || groups->size() > 1;
}

template <class Accept>
std::vector<Range> matchRanges(const std::string& utf8, const std::string& region,
                               PhoneNumberMatcher::Leniency leniency, Accept accept) {
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), utf8, region, leniency,
                               std::numeric_limits<int>::max());
    std::vector<Range> ranges;
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match)) {
        if (!accept(match.raw_string())) continue;
        const auto start = static_cast<size_t>(match.start());
        const uint64_t location = utf16Length(std::string_view(utf8).substr(0, start));
        ranges.push_back({location, utf16Length(match.raw_string())});
    }
    return ranges;
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
    const std::string utf8 = text.toUtf8();
    std::vector<Range> ranges = matchRanges(utf8, m_region, PhoneNumberMatcher::VALID,
                                            [](std::string_view) { return true; });
    const std::vector<Range> lenient =
        matchRanges(utf8, m_region, PhoneNumberMatcher::POSSIBLE, writtenAsPhoneNumber);
    for (const Range range : lenient) {
        if (std::ranges::none_of(ranges, [&](Range found) { return overlap(found, range); }))
            ranges.push_back(range);
    }
    std::ranges::sort(ranges, {}, &Range::location);
    return ranges;
}

}  // namespace ov
