// `orvane counter format MS [--mode N]`: the counter label's text for a value in milliseconds,
// then its font runs in the order they are applied.
//
//   orvane counter format 3723456        01h 02m 03s.45
//                                        regular 4,2
//                                        regular 8,2
//                                        regular 4,2
//                                        bold 0,2
//
// --mode 0 (the default) shows hundredths, any other mode hides them.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

#include "Command.h"
#include "orvane/components/TTCounterLabel.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "counter";

// Decimal digits only, within the range of the type.
template <class T>
std::optional<T> wholeNumber(const char* text, bool allowSign) {
    const bool negative = allowSign && text[0] == '-';
    const char* digits = negative ? text + 1 : text;
    if (digits[0] < '0' || digits[0] > '9') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits, &end, 10);
    if (*end != '\0' || errno == ERANGE) return std::nullopt;
    if constexpr (std::is_signed_v<T>) {
        const auto limit = static_cast<unsigned long long>(INT64_MAX) + (negative ? 1 : 0);
        if (magnitude > limit) return std::nullopt;
        return negative ? static_cast<T>(0 - magnitude) : static_cast<T>(magnitude);
    } else {
        return static_cast<T>(magnitude);
    }
}

int runCounter(Arguments arguments) {
    if ((arguments.size() != 2 && arguments.size() != 4) ||
        std::string_view(arguments[0]) != "format")
        return usage(kName);
    const auto milliseconds = wholeNumber<uint64_t>(arguments[1], false);
    std::optional<long> mode = ov::kDisplayModeFull;
    if (arguments.size() == 4) {
        if (std::string_view(arguments[2]) != "--mode") return usage(kName);
        mode = wholeNumber<long>(arguments[3], true);
    }
    if (!milliseconds || !mode) return usage(kName);
    if (*milliseconds == UINT64_MAX) {
        std::fprintf(stderr,
                     "orvane counter: %llu ms is not a counter value (the largest is %llu)\n",
                     static_cast<unsigned long long>(*milliseconds),
                     static_cast<unsigned long long>(ov::TTCounterLabel::kLargestValue));
        return 1;
    }
    const auto label = std::make_shared<ov::TTCounterLabel>();
    label->setDisplayMode(*mode);
    printLine(label->timeFormattedStringForValue(*milliseconds));
    for (const ov::TTCounterFontRun& run : ov::TTCounterLabel::fontRunsForValue(*milliseconds)) {
        std::printf("%s %llu,%llu\n", run.bold ? "bold" : "regular",
                    static_cast<unsigned long long>(run.range.location),
                    static_cast<unsigned long long>(run.range.length));
    }
    return 0;
}

const Command kCounter{kName, "counter format MS [--mode N]", runCounter};

}  // namespace
}  // namespace orvane::cli
