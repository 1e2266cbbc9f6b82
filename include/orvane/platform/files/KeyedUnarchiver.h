#pragma once
// Restores what KeyedArchiver wrote (the platform's NSKeyedUnarchiver), from the binary or the
// XML property-list form. Archivable objects are made through the factories registered with
// ArchivableObject::registerClass; an object referred to twice comes back as one object.
//
//   ov::Result<ov::Value> root = ov::KeyedUnarchiver::unarchiveObjectWithData(bytes);
//   if (auto cat = root.value().ifObjectOf<Cat>()) ...
//
// Inside ArchivableObject::initWithCoder, the decode...ForKey calls read that object's keys. A
// missing key gives the absent value, false, 0 or 0.0; a scalar stored in another numeric
// form is converted (saturating). A malformed archive — a bad layout, a reference out of
// range, a cycle through values, a class nobody registered, nesting deeper than
// PropertyListSerialization::kMaxDepth — makes unarchiveObjectWithData fail with
// Error(NSCocoaErrorDomain, 4864) and the reason under NSDebugDescriptionErrorKey.

#include <cstdint>
#include <memory>

#include "orvane/platform/values/ArchivableObject.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class KeyedUnarchiver {
  public:
    static constexpr long long kReadCorruptError = 4864;

    static Result<Value> unarchiveObjectWithData(const Data& data);

    ~KeyedUnarchiver();
    KeyedUnarchiver(const KeyedUnarchiver&) = delete;
    KeyedUnarchiver& operator=(const KeyedUnarchiver&) = delete;

    bool containsValueForKey(const String& key) const;
    Value decodeObjectForKey(const String& key);
    bool decodeBoolForKey(const String& key);
    long long decodeIntegerForKey(const String& key);
    int32_t decodeInt32ForKey(const String& key);
    int64_t decodeInt64ForKey(const String& key);
    float decodeFloatForKey(const String& key);
    double decodeDoubleForKey(const String& key);

  private:
    struct State;
    explicit KeyedUnarchiver(std::unique_ptr<State> state);

    std::unique_ptr<State> m_state;
};

}  // namespace ov
