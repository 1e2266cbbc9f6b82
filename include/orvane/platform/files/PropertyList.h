#pragma once
// Property lists (the platform's NSPropertyListSerialization), read and written by our own XML
// and binary ("bplist00") code.
//
//   ov::Result<ov::Value> settings = ov::PropertyListSerialization::propertyListWithData(bytes);
//   ov::Result<ov::Data> xml = ov::PropertyListSerialization::dataWithPropertyList(
//       ov::Dictionary{{"volume", 0.5}});
//   std::optional<ov::Dictionary> stored = ov::dictionaryWithContentsOfFile(path);
//   ov::writeDictionaryToFile(*stored, path, true);
//
// Reading takes the XML form and the binary form. Strings, integers, reals, booleans, dates
// (seconds since 2001-01-01, as Date), data, arrays and dictionaries (keys in the order the
// file has them) become the matching Value kinds. Integers keep all 64 bits: they come back as
// long long, or as unsigned long long above 2^63 - 1; reals come back as double. A
// keyed-archive reference (UID) reads as the dictionary {"CF$UID": n}, which is how the XML
// form spells it; the binary writer turns such a dictionary back into a UID.
//
// Writing produces the platform's XML layout (XML header, DOCTYPE, <plist version="1.0">,
// tab indentation) or the binary form. The null marker, the absent value and objects have no
// property-list form. XML dates are ISO 8601 text in UTC for the years 0001 to 9999 and keep
// whole seconds (rounded down), as the platform writes them; binary dates keep the exact
// double. XML cannot hold U+0000 or an unpaired surrogate; the binary form keeps every code
// unit.
//
// Failures are Error(NSCocoaErrorDomain, 3840) for reading and 3852 for writing, with the
// reason under NSDebugDescriptionErrorKey. Nesting deeper than kMaxDepth levels fails both
// ways, in both forms. Reading is safe on untrusted bytes: damaged offsets, counts, sizes and
// references fail, and so does a binary file whose shared objects would expand beyond
// reason, so depth and memory stay bounded whatever the input.

#include <optional>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {

enum class PropertyListFormat { Xml, Binary };

class PropertyListSerialization {
  public:
    static constexpr long long kReadCorruptError = 3840;
    static constexpr long long kWriteInvalidError = 3852;
    static constexpr size_t kMaxDepth = 512;

    static Result<Value> propertyListWithData(const Data& data);
    static Result<Data> dataWithPropertyList(const Value& value,
                                             PropertyListFormat format = PropertyListFormat::Xml);
};

// None when the file is missing or is not a property list whose top is a dictionary.
std::optional<Dictionary> dictionaryWithContentsOfFile(const String& path);
// Writes the XML form; `atomically` goes through FileManager::writeAtomically.
bool writeDictionaryToFile(const Dictionary& dictionary, const String& path, bool atomically);

}  // namespace ov
