#include "orvane/platform/network/DataDetector.h"

#include <algorithm>

#include "orvane/platform/text/PhoneNumberDetector.h"
#include "orvane/platform/text/RegularExpression.h"

namespace ov {

namespace {

constexpr NSTextCheckingTypes kDetectedTypes =
    NSTextCheckingTypeLink | NSTextCheckingTypePhoneNumber;

constexpr const char* kEmailPattern =
    "[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*\\.[A-Za-z]{2,}";
constexpr const char* kSchemePattern = "[A-Za-z][A-Za-z0-9+.-]*://[^\\s<>\"]+";
// Without a scheme: "www." names, or names ending in a common generic domain.
constexpr const char* kBarePattern =
    "(www\\.[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*|[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*"
    "\\.(com|org|net|edu|gov|mil|int|io|info|biz|app|dev))(:[0-9]+)?(/[^\\s<>\"]*)?"
    "(?![A-Za-z0-9-])";

bool isWordUnit(char16_t unit) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= u'a' && unit <= u'z') || unit == u'@' || unit == u'.' || unit == u'-' ||
           unit == u'_';
}

// Matches that start a word, in order, without overlapping each other.
std::vector<Range> wordMatches(const char* pattern, const String& text) {
    std::vector<Range> found;
    const auto expression =
        RegularExpression::cached(pattern, RegularExpression::Options::CaseInsensitive);
    if (!expression) return found;
    const std::u16string_view units = text.utf16();
    size_t offset = 0;
    while (offset < units.size()) {
        const Range match = expression.value().rangeOfFirstMatch(text.substringFromIndex(offset));
        if (match.location == NSNotFound || match.length == 0) break;
        const size_t start = offset + match.location;
        if (start > 0 && isWordUnit(units[start - 1])) {
            offset = start + 1;
            continue;
        }
        found.push_back({start, match.length});
        offset = start + match.length;
    }
    return found;
}

// Sentence punctuation after a link is not part of it; a closing bracket is, when the link
// opened one.
Range trimmed(const String& text, Range range) {
    const std::u16string_view units = text.utf16().substr(range.location, range.length);
    size_t length = units.size();
    while (length > 0) {
        const char16_t last = units[length - 1];
        const auto kept = units.substr(0, length);
        const bool unbalanced =
            std::count(kept.begin(), kept.end(), u')') > std::count(kept.begin(), kept.end(), u'(');
        if (std::u16string_view(u".,;:!?'\"").find(last) != std::u16string_view::npos ||
            (last == u')' && unbalanced)) {
            --length;
        } else {
            break;
        }
    }
    return {range.location, length};
}

bool overlaps(Range a, Range b) {
    return a.location < b.location + b.length && b.location < a.location + a.length;
}

bool overlapsAny(Range range, const std::vector<TextCheckingResult>& results) {
    return std::any_of(results.begin(), results.end(), [&](const TextCheckingResult& result) {
        return overlaps(range, result.range());
    });
}

void addLinks(const String& text, const char* pattern, const char* prefix,
              std::vector<TextCheckingResult>& results) {
    for (Range range : wordMatches(pattern, text)) {
        range = trimmed(text, range);
        if (range.length == 0 || overlapsAny(range, results)) continue;
        const String written = text.substring(range.location, range.length);
        if (auto url = URL::withString(String(prefix) + written))
            results.push_back(TextCheckingResult::linkCheckingResultWithRange(range, *url));
    }
}

void addPhoneNumbers(const String& text, std::vector<TextCheckingResult>& results) {
    const size_t links = results.size();
    for (const Range range : PhoneNumberDetector().matchesInString(text)) {
        if (std::any_of(
                results.begin(), results.begin() + links,
                [&](const TextCheckingResult& link) { return overlaps(range, link.range()); }))
            continue;
        results.push_back(TextCheckingResult::phoneNumberCheckingResultWithRange(
            range, text.substring(range.location, range.length)));
    }
}

}  // namespace

std::shared_ptr<DataDetector> DataDetector::dataDetectorWithTypes(NSTextCheckingTypes types,
                                                                  std::shared_ptr<Error>* error) {
    if (!(types & kDetectedTypes)) {
        if (error) {
            Dictionary info;
            info.setObject(String("The data detector finds links and phone numbers only."),
                           NSLocalizedDescriptionKey);
            *error = std::make_shared<Error>(NSCocoaErrorDomain, 2048, info);
        }
        return nullptr;
    }
    return std::shared_ptr<DataDetector>(new DataDetector(types));
}

std::vector<TextCheckingResult> DataDetector::matchesInString(const String& text) const {
    return matchesInString(text, {0, text.length()});
}

std::vector<TextCheckingResult> DataDetector::matchesInString(const String& text,
                                                              Range range) const {
    if (range.location >= text.length()) return {};
    const String part = text.substring(
        range.location, std::min<uint64_t>(range.length, text.length() - range.location));
    std::vector<TextCheckingResult> found;
    if (m_types & NSTextCheckingTypeLink) {
        addLinks(part, kEmailPattern, "mailto:", found);
        addLinks(part, kSchemePattern, "", found);
        addLinks(part, kBarePattern, "http://", found);
    }
    if (m_types & NSTextCheckingTypePhoneNumber) addPhoneNumbers(part, found);
    std::vector<TextCheckingResult> results;
    for (const TextCheckingResult& result : found)
        results.push_back(
            result.resultByAdjustingRangesWithOffset(static_cast<int64_t>(range.location)));
    std::stable_sort(results.begin(), results.end(), [](const auto& a, const auto& b) {
        return a.range().location < b.range().location;
    });
    return results;
}

}  // namespace ov
