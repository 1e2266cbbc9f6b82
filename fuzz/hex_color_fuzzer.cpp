// Colour texts must never crash the readers, every colour read must have components in
// 0...1, and a colour written as a hexadecimal text must read back as the same text.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/components/UIColor+UIColor.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ov::UIColor_UIColor_UIColor;
    const ov::String text(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto color = colorWithHexString(text)) {
        double red, green, blue, alpha;
        color->getRed(red, green, blue, alpha);
        for (double component : {red, green, blue, alpha})
            check(component >= 0 && component <= 1);
        const ov::String hex = hexStringFromColor(*color);
        check(hex.length() == 7);
        check(hexStringFromColor(*colorWithHexString(hex)) == hex);
    }
    for (size_t start : {size_t{0}, size_t{1}, text.length()}) {
        if (const auto component = colorComponentFrom(text, start, 1)) {
            check(*component >= 0 && *component <= 1);
        }
    }
    return 0;
}
