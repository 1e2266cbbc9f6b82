#pragma once
// Archives and restores a model object without per-field code: walks the properties its class
// declares (ObjectClass), keeps those whose type it handles and writes or reads each one
// through the keyed archiver under the property's own name.
//
//   void Cat::encodeWithCoder(ov::KeyedArchiver& coder) const {
//       ov::EncodeDecode::encode(*this, coder);
//   }
//   void Cat::initWithCoder(ov::KeyedUnarchiver& coder) { ov::EncodeDecode::init(*this, coder); }
//
// The kind of a property comes from its type encoding (the attribute text's first element
// without its "T"):
//   1 "@..." (any object)  archived as an object        restored as the object, or none
//   2 "c"    (char)        as a boolean (value != 0)    as a number holding that boolean
//   3 "i"    (int)         as a word-sized integer      as a number holding it
//   4 "f"    (float)       as a float                   as a number holding the float
//   5 "d"    (double)      as a double                  as a number holding the double
//   6 "l"    (32-bit long) as a 32-bit integer (low 32 bits)  as a number holding it as a long
// Every other encoding ("q", "Q", "B", shorts, unsigned, structures, pointers...) is skipped:
// neither written nor read. Only the class's own properties take part, not a superclass's.
// A key missing from the archive restores none, false, 0 or 0.0.

#include <vector>

#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/values/ObjectClass.h"

namespace ov {

class EncodeDecode final : public Object {
  public:
    enum Kind : long long { kObject = 1, kChar, kInt, kFloat, kDouble, kLong };

    // A descriptor: the property's name (also its archive key) and its kind.
    EncodeDecode(const String& name, long long AndType);
    static EncodeDecode initWithName(const String& name, long long AndType);

    const String& propertyName() const { return m_propertyName; }
    long long propertyType() const { return m_propertyType; }

    // One descriptor per handled property the class itself declares, in declaration order.
    static std::vector<EncodeDecode> propertyObjectsForClass(const ObjectClass& objectClass);
    // The kind for an attribute text, or 0 when it is not handled.
    static long long kindOfAttributes(const String& attributes);

    // Both answer true; nothing is reported.
    static bool encode(const Introspectable& object, KeyedArchiver& WithCoder);
    static bool init(Introspectable& object, KeyedUnarchiver& WithCoder);

    String className() const override { return "EncodeDecode"; }

  private:
    String m_propertyName;
    long long m_propertyType;
};

}  // namespace ov
