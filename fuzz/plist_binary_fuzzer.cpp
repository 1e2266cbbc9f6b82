// Reads arbitrary bytes as a binary property list ("bplist00" is put in front of inputs that
// lack it, so the fuzzer spends its time past the magic). Whatever reads must write back as
// binary, read again to an equal value and write the same bytes; the XML form may refuse it
// only with the write error (for U+0000, unpaired surrogates, far dates).
#include <cstdint>

#include "FuzzCheck.h"
#include "orvane/platform/files/PropertyList.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using ov::PropertyListFormat;
    using ov::PropertyListSerialization;
    ov::Data input(data, size);
    if (!input.view().starts_with("bplist00")) {
        input = ov::Data::fromString("bplist00");
        input.append(data, size);
    }
    const auto parsed = PropertyListSerialization::propertyListWithData(input);
    if (!parsed) return 0;

    const auto binary =
        PropertyListSerialization::dataWithPropertyList(parsed.value(), PropertyListFormat::Binary);
    check(binary.ok());
    const auto reread = PropertyListSerialization::propertyListWithData(binary.value());
    check(reread.ok() && reread.value() == parsed.value());
    const auto rewritten =
        PropertyListSerialization::dataWithPropertyList(reread.value(), PropertyListFormat::Binary);
    check(rewritten.ok() && rewritten.value() == binary.value());

    const auto xml = PropertyListSerialization::dataWithPropertyList(parsed.value());
    check(xml.ok() || xml.error().code() == PropertyListSerialization::kWriteInvalidError);
    return 0;
}
