#pragma once
// The toolkit's own JSON reader: text in, a tree of Values out, or the absent value and the
// reasons in the error trace.
//
// Objects become dictionaries (a repeated key keeps its last value), arrays become arrays,
// strings strings, "true"/"false" booleans, "null" the null marker, and every number an exact
// Decimal made from the literal's text (0.1 is exactly one tenth). The reader is lenient in
// one way: the comma between elements or members may be left out ("[1 2]" reads).
//
//   ov::SBJsonParser parser;
//   ov::Value reply = parser.objectWithString(ov::String("{\"a\": [1, 2.5e-3, true]}"));
//   ov::Value any = parser.fragmentWithString(ov::String("\"just a string\""));
//
// The scan keeps its own stack of open containers instead of recursing, so any depth is safe
// with maxDepth 0 (no limit). Raw bytes may be given too; bytes that are not UTF-8 inside a
// string fail with code 3 "Invalid UTF-8 byte '0x%x' in string" (the sequence's first byte).
// A NUL byte ends the input wherever it stands.

#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/json/SBJsonBase.h"
#include "orvane/platform/values/StagingStack.h"

namespace ov {

class SBJsonParser : public SBJsonBase {
  public:
    SBJsonParser();
    ~SBJsonParser() override;

    // Any JSON value, or the absent value on failure (code 12 for an absent text).
    Value fragmentWithString(const std::optional<String>& text);
    // A dictionary or an array only; another value fails with code 4.
    Value objectWithString(const std::optional<String>& text);

    // The same over UTF-8 bytes, without a round trip through UTF-16.
    Value fragmentWithUTF8(std::string_view utf8);
    Value objectWithUTF8(std::string_view utf8);
    Value fragmentWithData(const Data& data) { return fragmentWithUTF8(data.view()); }
    Value objectWithData(const Data& data) { return objectWithUTF8(data.view()); }

  private:
    struct Frame;
    // A key met earlier in this input, and the text made from it.
    struct KnownKey {
        std::string_view bytes;
        String text;
    };
    // Enough that a reply's distinct long keys rarely take each other's slot.
    static constexpr size_t kKnownKeySlots = 256;

    Value parse(std::string_view utf8);
    Value scanDocument();
    Value documentFrom(Value fragment);
    bool scanValue(Value& result);
    template <class Scalar>
    void placeValue(Value& result, Scalar&& scalar);
    // Gives the scalar that starts with `lead` to `place`.
    template <class Place>
    bool scanScalar(char lead, Place place);
    bool enterContainer(char open);
    bool scanArrayStep(bool& closed);
    bool scanDictionaryStep(bool& closed);
    bool scanAfterMember(bool inArray);
    Array takeElements(size_t start);
    Dictionary takeMembers(size_t start);
    bool failContainer();
    bool unwind();

    bool scanRestOfString(String& value);
    bool scanKey(String& key);
    void forgetKnownKeys();
    bool takePlainString(String& value, const char* end, bool ascii);
    bool takeEscapedString(String& value, const char* end, bool ascii);
    bool appendRun(std::u16string& units, const char* end, bool ascii);
    char16_t* convertRun(char16_t* out, const char* end, bool ascii);
    bool scanEscape(std::u16string& units);
    bool scanUnicodeChar(std::u16string& units);
    bool scanHexQuad(char16_t& unit);
    std::optional<Decimal> scanNumber();
    bool scanLiteral(std::string_view rest, const char* message);
    bool scanIsAtEnd();
    void skipDigits();
    void skipWhitespace();

    const char* m_c = nullptr;      // the scan position, valid during a call only
    ValueArena* m_arena = nullptr;  // the storage of the document being read, during a call
    uint64_t m_limit = 0;           // maxDepth, read once per call
    std::string m_buffer;           // the input, NUL-terminated and padded for word-sized reads
    std::u16string m_scratch;       // a string with escapes, before it gets its final size
    std::vector<Frame> m_frames;    // open containers, innermost last
    StagingStack<Value> m_values;   // elements of the open arrays
    std::vector<Dictionary::Entry> m_members;          // members of the open dictionaries
    std::array<KnownKey, kKnownKeySlots> m_knownKeys;  // by a hash of their bytes
    std::bitset<kKnownKeySlots> m_knownKeysHeld;       // the slots this input filled
};

}  // namespace ov
