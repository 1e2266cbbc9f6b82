#include "orvane/platform/time/DurationFormatter.h"

#include <unicode/measfmt.h>
#include <unicode/measunit.h>
#include <unicode/measure.h>

#include <cmath>
#include <memory>
#include <vector>

namespace ov {
namespace {

// Beyond this the hour count no longer fits the formatter's integers exactly.
constexpr double kLargestInterval = 1e15;

UMeasureFormatWidth width(DurationFormatter::UnitsStyle style) {
    switch (style) {
        case DurationFormatter::UnitsStyle::Abbreviated:
            return UMEASFMT_WIDTH_NARROW;
        case DurationFormatter::UnitsStyle::Short:
            return UMEASFMT_WIDTH_SHORT;
        case DurationFormatter::UnitsStyle::Full:
            return UMEASFMT_WIDTH_WIDE;
    }
    return UMEASFMT_WIDTH_NARROW;
}

}  // namespace

DurationFormatter::DurationFormatter(UnitsStyle style, std::string localeIdentifier)
    : m_style(style), m_localeIdentifier(std::move(localeIdentifier)) {}

std::optional<String> DurationFormatter::stringFromTimeInterval(double seconds) const {
    if (!std::isfinite(seconds) || std::fabs(seconds) > kLargestInterval) return std::nullopt;
    const long long total = std::llround(std::fabs(seconds));
    const long long sign = seconds < 0 ? -1 : 1;
    const long long parts[] = {total / 3600, total / 60 % 60, total % 60};
    icu::MeasureUnit* (*const units[])(UErrorCode&) = {&icu::MeasureUnit::createHour,
                                                       &icu::MeasureUnit::createMinute,
                                                       &icu::MeasureUnit::createSecond};
    UErrorCode status = U_ZERO_ERROR;
    std::vector<icu::Measure> measures;
    for (size_t index = 0; index < 3; ++index) {
        const bool onlySeconds = index == 2 && measures.empty();
        if (parts[index] == 0 && !onlySeconds) continue;
        // A negative interval shows its sign once, on the leading unit.
        const long long value = measures.empty() ? sign * parts[index] : parts[index];
        measures.emplace_back(icu::Formattable(static_cast<int64_t>(value)), units[index](status),
                              status);
    }
    const icu::Locale locale = m_localeIdentifier.empty()
                                   ? icu::Locale::getDefault()
                                   : icu::Locale::createCanonical(m_localeIdentifier.c_str());
    icu::MeasureFormat format(locale, width(m_style), status);
    icu::UnicodeString text;
    icu::FieldPosition position;
    format.formatMeasures(measures.data(), static_cast<int32_t>(measures.size()), text, position,
                          status);
    if (U_FAILURE(status)) return std::nullopt;
    return String(std::u16string(text.getBuffer(), static_cast<size_t>(text.length())));
}

}  // namespace ov
