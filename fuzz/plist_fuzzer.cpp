// Reads arbitrary bytes as a property list (XML or binary). Whatever reads must write in both
// forms unless it holds something the writer refuses (a date beyond its range), and the binary
// form must read back to an equal value.
#include <cstdint>

#include "FuzzCheck.h"
#include "orvane/platform/files/PropertyList.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using ov::PropertyListSerialization;
    const auto parsed = PropertyListSerialization::propertyListWithData(ov::Data(data, size));
    if (!parsed) return 0;
    (void)PropertyListSerialization::dataWithPropertyList(parsed.value());
    const auto binary = PropertyListSerialization::dataWithPropertyList(
        parsed.value(), ov::PropertyListFormat::Binary);
    if (!binary) return 0;
    const auto reread = PropertyListSerialization::propertyListWithData(binary.value());
    check(reread.ok());
    return 0;
}
