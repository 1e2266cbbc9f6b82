// Whatever reads must write, compact and human-readable, sorted or not, and the text must read
// back to an equal value that writes the same text again.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/json/SBJsonParser.h"
#include "orvane/json/SBJsonWriter.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ov::SBJsonParser parser;
    const ov::Value value =
        parser.fragmentWithUTF8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (value.isAbsent()) return 0;
    ov::SBJsonWriter writer;
    for (const bool pretty : {false, true}) {
        writer.setHumanReadable(pretty);
        writer.setSortKeys(pretty);
        const auto written = writer.stringWithFragment(value);
        check(written.has_value());
        const ov::Value reread = parser.fragmentWithString(written);
        check(!reread.isAbsent() && reread == value);
        check(writer.stringWithFragment(reread) == written);
    }
    return 0;
}
