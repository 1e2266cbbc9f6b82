// Reads arbitrary bytes as a keyed archive. Whatever restores must archive again (unless it
// holds a value the writer refuses) and that archive must restore to an equal value.
#include <cstdint>

#include "FuzzCheck.h"
#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto restored = ov::KeyedUnarchiver::unarchiveObjectWithData(ov::Data(data, size));
    if (!restored) return 0;
    const auto archived = ov::KeyedArchiver::archivedDataWithRootObject(restored.value());
    if (!archived) return 0;
    const auto again = ov::KeyedUnarchiver::unarchiveObjectWithData(archived.value());
    check(again.ok() && again.value() == restored.value());
    return 0;
}
