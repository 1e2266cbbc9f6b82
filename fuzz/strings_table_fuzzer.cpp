// Localisation tables must never crash the reader, and a table read back from its own
// canonical text must come out the same.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "orvane/platform/text/StringsTable.h"

using ov::fuzz::check;

namespace {

// Printable ASCII as it is, everything else as \UXXXX, so that any code unit survives.
std::string quoted(const ov::String& text) {
    std::string out = "\"";
    for (char16_t unit : text.utf16()) {
        if (unit == '"' || unit == '\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\U%04X", static_cast<unsigned>(unit));
            out += escape;
        }
    }
    return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto table = ov::StringsTable::parse(ov::Data(data, size));
    if (!table) return 0;
    std::string text;
    for (const auto& [key, value] : table.value()) {
        check(value.isString());
        text += quoted(key) + " = " + quoted(value.asString()) + ";\n";
    }
    const auto again = ov::StringsTable::parse(ov::Data::fromString(text));
    check(again.ok() && again.value() == table.value());
    return 0;
}
