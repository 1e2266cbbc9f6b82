#include "orvane/platform/text/RegularExpression.h"

#include <unicode/regex.h>

#include <map>
#include <mutex>
#include <utility>

#include "orvane/platform/values/Format.h"

namespace ov {
namespace {

// Engine steps (roughly milliseconds) before a match gives up.
constexpr int32_t kTimeLimit = 300;
constexpr long long kFormattingErrorCode = 2048;

icu::UnicodeString toUnicode(const String& text) {
    return icu::UnicodeString(false, text.utf16().data(), static_cast<int32_t>(text.length()));
}

String fromUnicode(const icu::UnicodeString& text) {
    return String(std::u16string(text.getBuffer(), static_cast<size_t>(text.length())));
}

}  // namespace

struct RegularExpression::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;

    // A fresh matcher per call: matchers keep state, patterns are shareable across threads.
    std::unique_ptr<icu::RegexMatcher> matcher(const icu::UnicodeString& input) const {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(input, status));
        if (U_FAILURE(status)) return nullptr;
        matcher->setTimeLimit(kTimeLimit, status);
        return matcher;
    }
};

Result<RegularExpression> RegularExpression::withPattern(const String& pattern, Options options) {
    UParseError parseError{};
    UErrorCode status = U_ZERO_ERROR;
    const uint32_t flags = options == Options::CaseInsensitive ? UREGEX_CASE_INSENSITIVE : 0;
    auto compiled = std::make_shared<Compiled>();
    compiled->pattern.reset(
        icu::RegexPattern::compile(toUnicode(pattern), flags, parseError, status));
    if (U_FAILURE(status)) {
        return Error(
            NSCocoaErrorDomain, kFormattingErrorCode,
            Dictionary{{NSLocalizedDescriptionKey,
                        stringWithFormat("The value \u201c%@\u201d is invalid (%s at offset %d).",
                                         pattern, Value(u_errorName(status)), parseError.offset)}});
    }
    return RegularExpression(std::move(compiled));
}

Result<RegularExpression> RegularExpression::cached(const String& pattern, Options options) {
    static std::mutex mutex;
    static std::map<std::pair<String, Options>, RegularExpression> cache;
    const std::lock_guard lock(mutex);
    const auto key = std::make_pair(pattern, options);
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    Result<RegularExpression> compiled = withPattern(pattern, options);
    if (compiled) cache.emplace(key, compiled.value());
    return compiled;
}

bool RegularExpression::matchesWholeText(const String& text) const {
    const icu::UnicodeString input = toUnicode(text);
    auto matcher = m_compiled->matcher(input);
    if (!matcher) return false;
    UErrorCode status = U_ZERO_ERROR;
    const bool matched = matcher->matches(status);
    return U_SUCCESS(status) && matched;
}

uint64_t RegularExpression::numberOfMatches(const String& text) const {
    const icu::UnicodeString input = toUnicode(text);
    auto matcher = m_compiled->matcher(input);
    if (!matcher) return 0;
    uint64_t count = 0;
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status) && U_SUCCESS(status))
        ++count;
    return U_SUCCESS(status) ? count : 0;
}

Range RegularExpression::rangeOfFirstMatch(const String& text) const {
    const icu::UnicodeString input = toUnicode(text);
    auto matcher = m_compiled->matcher(input);
    UErrorCode status = U_ZERO_ERROR;
    if (!matcher || !matcher->find(status) || U_FAILURE(status)) return {NSNotFound, 0};
    const int32_t start = matcher->start(status);
    const int32_t end = matcher->end(status);
    if (U_FAILURE(status)) return {NSNotFound, 0};
    return {static_cast<uint64_t>(start), static_cast<uint64_t>(end - start)};
}

String RegularExpression::stringByReplacingMatches(const String& text,
                                                   const String& replacement) const {
    const icu::UnicodeString input = toUnicode(text);
    auto matcher = m_compiled->matcher(input);
    if (!matcher) return text;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString replaced = matcher->replaceAll(toUnicode(replacement), status);
    return U_SUCCESS(status) ? fromUnicode(replaced) : text;
}

}  // namespace ov
