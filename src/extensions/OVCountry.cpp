#include "orvane/extensions/OVCountry.h"

#include "FlagImages.h"
#include "TextValue.h"
#include "orvane/extensions/EncodeDecode.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

constexpr const char* kCodeKey = "country_code";
constexpr const char* kAreaCodeKey = "country_areaCode";

OVCountry::Text textOf(const Value& value) {
    if (const String* text = value.ifString()) return *text;
    return std::nullopt;
}

// Restoring goes through the setters, in declaration order, as key-value access would.
template <class Get, class Set>
PropertyDescription objectProperty(const char* name, const char* attributes, Get get, Set set) {
    return {
        name, attributes,
        [get](const Introspectable& object) { return get(dynamic_cast<const OVCountry&>(object)); },
        [set](Introspectable& object, const Value& value) {
            set(dynamic_cast<OVCountry&>(object), value);
        }};
}

PropertyDescription textProperty(const char* name, const char* attributes,
                                 const OVCountry::Text& (OVCountry::*get)() const,
                                 void (OVCountry::*set)(const OVCountry::Text&)) {
    return objectProperty(
        name, attributes, [get](const OVCountry& country) { return textValue((country.*get)()); },
        [set](OVCountry& country, const Value& value) { (country.*set)(textOf(value)); });
}

[[maybe_unused]] const bool kRegistered =
    ArchivableObject::registerClass("OVCountry", [] { return std::make_shared<OVCountry>(); });

}  // namespace

std::shared_ptr<OVCountry> OVCountry::initWithName(const Text& name, const Text& code,
                                                   const Text& areaCode) {
    auto country = std::make_shared<OVCountry>();
    country->m_dictionary = Dictionary();
    country->setName(name);
    country->setCode(code);
    country->setAreacode(areaCode);
    return country;
}

void OVCountry::setCode(const Text& code) {
    m_code = code;
    m_flag = code ? flag_images::flagForCode(*code) : nullptr;
    mirror(code, kCodeKey);
}

void OVCountry::setAreacode(const Text& areacode) {
    m_areacode = areacode;
    m_areacodeFormatted = stringWithFormat("+%@", textValue(areacode));
    mirror(areacode, kAreaCodeKey);
}

// A dictionary cannot hold none, so clearing a field removes its entry.
void OVCountry::mirror(const Text& value, const String& key) {
    if (!m_dictionary) return;
    if (value) {
        m_dictionary->setObject(*value, key);
    } else {
        m_dictionary->removeObjectForKey(key);
    }
}

void OVCountry::log() const {
    const String self = description();
    systemLog("%@", self);
    systemLog("country %@.name %@", self, textValue(m_name));
    systemLog("country %@.code %@", self, textValue(m_code));
    systemLog("country %@.areacode %@", self, textValue(m_areacode));
    systemLog("country %@.flag %@", self, Value(std::shared_ptr<Object>(m_flag)));
}

const ObjectClass& OVCountry::objectClass() const {
    static const ObjectClass kClass(
        "OVCountry",
        {
            textProperty("name", "T@\"NSString\",&,N,V_name", &OVCountry::name,
                         &OVCountry::setName),
            textProperty("code", "T@\"NSString\",&,N,V_code", &OVCountry::code,
                         &OVCountry::setCode),
            textProperty("areacode", "T@\"NSString\",&,N,V_areacode", &OVCountry::areacode,
                         &OVCountry::setAreacode),
            textProperty("areacodeFormatted", "T@\"NSString\",C,N,V_areacodeFormatted",
                         &OVCountry::areacodeFormatted, &OVCountry::setAreacodeFormatted),
            objectProperty(
                "flag", "T@\"UIImage\",&,N,V_flag",
                [](const OVCountry& country) {
                    return Value(std::shared_ptr<Object>(country.flag()));
                },
                [](OVCountry& country, const Value& value) {
                    country.setFlag(value.ifObjectOf<Image>());
                }),
            objectProperty(
                "dictionary", "T@\"NSMutableDictionary\",&,N,V_dictionary",
                [](const OVCountry& country) {
                    return country.dictionary() ? Value(*country.dictionary()) : Value();
                },
                [](OVCountry& country, const Value& value) {
                    const Dictionary* dictionary = value.ifDictionary();
                    country.setDictionary(dictionary ? std::optional(*dictionary) : std::nullopt);
                }),
        });
    return kClass;
}

void OVCountry::encodeWithCoder(KeyedArchiver& coder) const {
    EncodeDecode::encode(*this, coder);
}

void OVCountry::initWithCoder(KeyedUnarchiver& coder) {
    EncodeDecode::init(*this, coder);
}

}  // namespace ov
