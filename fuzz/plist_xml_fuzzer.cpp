// Reads arbitrary bytes as an XML property list. Whatever reads must write back as XML, and
// that must read again and write the very same bytes (a fraction of a second in a date is the
// one thing the first write may drop). The binary form must hold it exactly as well.
#include <cstdint>

#include "FuzzCheck.h"
#include "orvane/platform/files/PropertyList.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using ov::PropertyListFormat;
    using ov::PropertyListSerialization;
    const ov::Data input(data, size);
    if (input.view().starts_with("bplist00")) return 0;  // the binary fuzzer's part
    const auto parsed = PropertyListSerialization::propertyListWithData(input);
    if (!parsed) return 0;

    const auto xml = PropertyListSerialization::dataWithPropertyList(parsed.value());
    check(xml.ok());
    const auto reread = PropertyListSerialization::propertyListWithData(xml.value());
    check(reread.ok());
    const auto rewritten = PropertyListSerialization::dataWithPropertyList(reread.value());
    check(rewritten.ok() && rewritten.value() == xml.value());

    const auto binary =
        PropertyListSerialization::dataWithPropertyList(parsed.value(), PropertyListFormat::Binary);
    check(binary.ok());
    const auto fromBinary = PropertyListSerialization::propertyListWithData(binary.value());
    check(fromBinary.ok() && fromBinary.value() == parsed.value());
    return 0;
}
