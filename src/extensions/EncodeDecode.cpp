#include "orvane/extensions/EncodeDecode.h"

#include <cstdint>

namespace ov {
namespace {

Number numberOf(const Value& value) {
    if (const Number* number = value.ifNumber()) return *number;
    if (const auto flag = value.ifBool()) return Number(*flag ? 1 : 0);
    return Number(0);
}

void encodeProperty(const PropertyDescription& property, long long kind, const Value& value,
                    KeyedArchiver& coder) {
    const Number number = numberOf(value);
    switch (kind) {
        case EncodeDecode::kObject:
            coder.encodeObject(value, property.name);
            break;
        case EncodeDecode::kChar:
            coder.encodeBool(number.intValue() != 0, property.name);
            break;
        case EncodeDecode::kInt:
            coder.encodeInteger(number.intValue(), property.name);
            break;
        case EncodeDecode::kFloat:
            coder.encodeFloat(static_cast<float>(number.doubleValue()), property.name);
            break;
        case EncodeDecode::kDouble:
            coder.encodeDouble(number.doubleValue(), property.name);
            break;
        case EncodeDecode::kLong:
            // Cut to the low 32 bits, as the platform's 32-bit long is.
            coder.encodeInt32(static_cast<int32_t>(static_cast<uint32_t>(number.longLongValue())),
                              property.name);
            break;
        default:
            break;
    }
}

Value decodeProperty(const PropertyDescription& property, long long kind, KeyedUnarchiver& coder) {
    switch (kind) {
        case EncodeDecode::kObject:
            return coder.decodeObjectForKey(property.name);
        case EncodeDecode::kChar:
            return Value(coder.decodeBoolForKey(property.name));
        case EncodeDecode::kInt:
            return Value(coder.decodeIntegerForKey(property.name));
        case EncodeDecode::kFloat:
            return Value(coder.decodeFloatForKey(property.name));
        case EncodeDecode::kDouble:
            return Value(coder.decodeDoubleForKey(property.name));
        case EncodeDecode::kLong:
            return Value(static_cast<long>(coder.decodeInt32ForKey(property.name)));
        default:
            return {};
    }
}

}  // namespace

EncodeDecode::EncodeDecode(const String& name, long long AndType)
    : m_propertyName(name), m_propertyType(AndType) {}

EncodeDecode EncodeDecode::initWithName(const String& name, long long AndType) {
    return EncodeDecode(name, AndType);
}

long long EncodeDecode::kindOfAttributes(const String& attributes) {
    const Range comma = attributes.rangeOfString(",");
    const String first =
        comma.location == NSNotFound ? attributes : attributes.substringToIndex(comma.location);
    const String encoding = first.substringFromIndex(1);
    if (encoding.hasPrefix("@")) return kObject;
    if (encoding == "c") return kChar;
    if (encoding == "i") return kInt;
    if (encoding == "f") return kFloat;
    if (encoding == "d") return kDouble;
    if (encoding == "l") return kLong;
    return 0;
}

std::vector<EncodeDecode> EncodeDecode::propertyObjectsForClass(const ObjectClass& objectClass) {
    std::vector<EncodeDecode> descriptors;
    for (const PropertyDescription& property : objectClass.declaredProperties()) {
        if (const long long kind = kindOfAttributes(property.attributes))
            descriptors.push_back(initWithName(property.name, kind));
    }
    return descriptors;
}

bool EncodeDecode::encode(const Introspectable& object, KeyedArchiver& WithCoder) {
    for (const PropertyDescription& property : object.objectClass().declaredProperties()) {
        if (const long long kind = kindOfAttributes(property.attributes))
            encodeProperty(property, kind, property.get(object), WithCoder);
    }
    return true;
}

bool EncodeDecode::init(Introspectable& object, KeyedUnarchiver& WithCoder) {
    for (const PropertyDescription& property : object.objectClass().declaredProperties()) {
        if (const long long kind = kindOfAttributes(property.attributes))
            property.set(object, decodeProperty(property, kind, WithCoder));
    }
    return true;
}

}  // namespace ov
