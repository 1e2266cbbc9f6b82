// Reads arbitrary bytes with and without fragments; whatever reads must write, compact and
// pretty, and the written text must read back to an equal value that writes the same bytes.
#include <cstdint>

#include "FuzzCheck.h"
#include "orvane/platform/network/JSONSerialization.h"

using ov::fuzz::check;

namespace {

void roundTrip(const ov::Data& input, bool fragmentsAllowed) {
    const auto parsed = ov::JSONSerialization::JSONObjectWithData(input, {fragmentsAllowed});
    if (!parsed) return;
    if (!fragmentsAllowed) check(ov::JSONSerialization::isValidJSONObject(parsed.value()));
    for (const bool pretty : {false, true}) {
        const ov::JSONWritingOptions options{
            .prettyPrinted = pretty, .sortedKeys = pretty, .fragmentsAllowed = fragmentsAllowed};
        const auto written = ov::JSONSerialization::dataWithJSONObject(parsed.value(), options);
        check(written.ok());
        const auto reread =
            ov::JSONSerialization::JSONObjectWithData(written.value(), {fragmentsAllowed});
        check(reread.ok() && reread.value() == parsed.value());
        const auto rewritten = ov::JSONSerialization::dataWithJSONObject(reread.value(), options);
        check(rewritten.ok() && rewritten.value() == written.value());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ov::Data input(data, size);
    roundTrip(input, false);
    roundTrip(input, true);
    return 0;
}
