#pragma once
// A country for phone-number and country pickers: name, two-letter code, calling code (with a
// "+" copy for display), its flag image and a dictionary mirroring code and calling code, so
// the record can be handed on as a dictionary.
//
//   auto israel = ov::OVCountry::initWithName("Israel", "IL", "972");
//   israel->areacodeFormatted();   // "+972"
//   israel->flag();                // the main bundle's image "IL.png", or nullptr
//   israel->dictionary();          // {country_code = IL; country_areaCode = 972;}
//
// The setters keep the invariants: the flag belongs to the last code set, the formatted calling
// code to the last calling code set, and the mirror (when the record has one) holds both.
// Records archive every property through EncodeDecode and restore through the same setters.
// One thread at a time.

#include <memory>
#include <optional>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/values/ArchivableObject.h"
#include "orvane/platform/values/ObjectClass.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class OVCountry final : public ArchivableObject, public Introspectable {
  public:
    using Text = std::optional<String>;

    // All fields none and no mirror dictionary.
    OVCountry() = default;
    // With a mirror holding both codes.
    static std::shared_ptr<OVCountry> initWithName(const Text& name, const Text& code,
                                                   const Text& areaCode);

    const Text& name() const { return m_name; }
    const Text& code() const { return m_code; }
    const Text& areacode() const { return m_areacode; }
    const Text& areacodeFormatted() const { return m_areacodeFormatted; }
    const std::shared_ptr<Image>& flag() const { return m_flag; }
    const std::optional<Dictionary>& dictionary() const { return m_dictionary; }

    void setName(const Text& name) { m_name = name; }
    void setCode(const Text& code);
    void setAreacode(const Text& areacode);
    void setAreacodeFormatted(const Text& formatted) { m_areacodeFormatted = formatted; }
    void setFlag(const std::shared_ptr<Image>& flag) { m_flag = flag; }
    void setDictionary(const std::optional<Dictionary>& dictionary) { m_dictionary = dictionary; }

    // Five system-log lines: the record, then its name, code, calling code and flag.
    void log() const;

    String className() const override { return "OVCountry"; }
    const ObjectClass& objectClass() const override;
    void encodeWithCoder(KeyedArchiver& coder) const override;
    void initWithCoder(KeyedUnarchiver& coder) override;

  private:
    void mirror(const Text& value, const String& key);

    Text m_name;
    Text m_code;
    Text m_areacode;
    Text m_areacodeFormatted;
    std::shared_ptr<Image> m_flag;
    std::optional<Dictionary> m_dictionary;
};

}  // namespace ov
