#pragma once
// Keyed archives (the platform's NSKeyedArchiver): any Value, including archivable objects
// inside it, as a self-describing property list in the platform's layout:
//
//   {"$archiver": "NSKeyedArchiver", "$version": 100000, "$top": {"root": UID},
//    "$objects": ["$null", ...]}
//
// Every object sits once in "$objects" and is referred to by its index (a UID); index 0 is
// "$null", the absent value. Strings, numbers, booleans and data are stored as themselves;
// dates, arrays ("NS.objects"), dictionaries ("NS.keys"/"NS.objects"), the null marker,
// decimals and archivable objects are dictionaries whose "$class" refers to a class entry
// {"$classname", "$classes"}. An archivable object appears once however often it is
// referred to, so shared objects and cycles come back shared; equal strings are stored once.
//
//   ov::Result<ov::Data> bytes = ov::KeyedArchiver::archivedDataWithRootObject(
//       ov::Array{cat, cat, "tabby"});
//   ov::Result<ov::Value> back = ov::KeyedUnarchiver::unarchiveObjectWithData(bytes.value());
//
// Inside ArchivableObject::encodeWithCoder, the encode... calls add keys to that object's
// entry; scalars are stored inline. Keys starting with "$" are stored with one more "$", so
// they cannot clash with the layout's own keys. Objects other than archivable ones, nesting
// deeper than PropertyListSerialization::kMaxDepth, and, in the XML form, text XML cannot hold
// (U+0000) make the whole archiving fail.

#include <cstdint>
#include <memory>

#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/values/ArchivableObject.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class KeyedArchiver {
  public:
    static constexpr const char* kArchiverName = "NSKeyedArchiver";
    static constexpr long long kVersion = 100000;

    static Result<Data> archivedDataWithRootObject(
        const Value& rootObject, PropertyListFormat format = PropertyListFormat::Binary);

    ~KeyedArchiver();
    KeyedArchiver(const KeyedArchiver&) = delete;
    KeyedArchiver& operator=(const KeyedArchiver&) = delete;

    // The absent value is stored as a reference to "$null".
    void encodeObject(const Value& object, const String& key);
    void encodeObject(const std::shared_ptr<ArchivableObject>& object, const String& key);
    void encodeBool(bool value, const String& key);
    // The platform's word-sized integer.
    void encodeInteger(long long value, const String& key);
    void encodeInt32(int32_t value, const String& key);
    void encodeInt64(int64_t value, const String& key);
    void encodeFloat(float value, const String& key);
    void encodeDouble(double value, const String& key);

  private:
    struct State;
    KeyedArchiver();
    // Stored inline in the current object's entry.
    void encodeScalar(Value value, const String& key);

    std::unique_ptr<State> m_state;
};

}  // namespace ov
