// Reads arbitrary bytes under a few nesting limits: every call must end with a value or a
// trace (never both, never neither), and a document must be an object or an array.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/json/SBJsonParser.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ov::SBJsonParser parser;
    for (const uint64_t maxDepth : {0, 1, 3, 512}) {
        parser.setMaxDepth(maxDepth);
        const ov::Value fragment = parser.fragmentWithUTF8(input);
        check(fragment.isAbsent() == parser.errorTrace().has_value());
        const ov::Value document = parser.objectWithUTF8(input);
        check(document.isAbsent() == parser.errorTrace().has_value());
        check(document.isAbsent() || document.isArray() || document.isDictionary());
        if (!document.isAbsent()) check(!fragment.isAbsent());
    }
    return 0;
}
