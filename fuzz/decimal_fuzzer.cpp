// Arbitrary text as a decimal literal: whatever parses must print canonical text that parses
// back to an equal value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "orvane/platform/values/Decimal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto decimal = ov::Decimal::fromString(text);
    if (!decimal) return 0;
    const std::string canonical = decimal->toString();
    const auto again = ov::Decimal::fromString(canonical);
    if (!again || *again != *decimal || again->toString() != canonical) std::abort();
    // Canonical text has no exponent, so it must read the same as a double too.
    if (again->doubleValue() != std::strtod(canonical.c_str(), nullptr)) std::abort();
    return 0;
}
