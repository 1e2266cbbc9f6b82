// Arbitrary bytes as a format over a fixed mix of arguments: formatting must never crash, read
// out of bounds or hit undefined behaviour, whatever the conversions ask for.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "orvane/platform/values/Format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view pattern(reinterpret_cast<const char*>(data), size);
    static_cast<void>(ov::stringWithFormatArguments(
        pattern, {42LL, -1LL, std::numeric_limits<unsigned long long>::max(), 3.5,
                  std::numeric_limits<double>::quiet_NaN(), -1e308, ov::Value("tëxt 😀"),
                  ov::Value(), ov::Value::null(), ov::Value(ov::Array{1, "a"}),
                  ov::Value(ov::Decimal::fromInteger(-7)), ov::Value(2.5f)}));
    return 0;
}
