// Link and phone detection must never crash on any text, and every result must lie inside the
// text, in order, without overlapping another, with an address for each link.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/platform/network/DataDetector.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ov::String text(std::string_view(reinterpret_cast<const char*>(data), size));
    static const auto detector = ov::DataDetector::dataDetectorWithTypes(
        ov::NSTextCheckingTypeLink | ov::NSTextCheckingTypePhoneNumber);
    uint64_t end = 0;
    for (const ov::TextCheckingResult& result : detector->matchesInString(text)) {
        const ov::Range range = result.range();
        check(range.length > 0 && range.location >= end);
        check(range.location + range.length <= text.length());
        check(result.resultType() != ov::NSTextCheckingTypeLink || result.URL().has_value());
        end = range.location + range.length;
    }
    return 0;
}
