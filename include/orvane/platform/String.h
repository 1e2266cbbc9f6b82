#pragma once
// Text as the platform keeps it: a sequence of UTF-16 code units. Every length, index and range
// counts code units. Literals in C++ code are UTF-8 and convert implicitly.
//
//   ov::String name = "Zoë";
//   name.length();          // 3
//   name.toUtf8();          // "Zoë"

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ov {

// A location and a length in code units; "not found" is the location NSNotFound.
struct Range {
    uint64_t location = 0;
    uint64_t length = 0;
    friend bool operator==(const Range&, const Range&) = default;
};
inline constexpr uint64_t NSNotFound = 0x7fffffffffffffffULL;

class String {
  public:
    String() = default;
    // Invalid UTF-8 bytes become U+FFFD; use fromUtf8 to reject them instead.
    String(const char* utf8);       // NOLINT(google-explicit-constructor): literals read naturally
    String(std::string_view utf8);  // NOLINT(google-explicit-constructor)
    String(const std::string& utf8);  // NOLINT(google-explicit-constructor)
    explicit String(std::u16string utf16) : m_units(std::move(utf16)) {}

    // Strict conversion: none when the bytes are not well-formed UTF-8.
    static std::optional<String> fromUtf8(std::string_view utf8);
    static String fromCodePoint(char32_t codePoint);

    // Lossless for well-formed text; an unpaired surrogate becomes U+FFFD.
    std::string toUtf8() const;
    const std::u16string& utf16() const { return m_units; }

    size_t length() const { return m_units.size(); }
    bool isEmpty() const { return m_units.empty(); }
    char16_t characterAtIndex(size_t index) const { return m_units.at(index); }

    // Out-of-range parts are clipped, never an error.
    String substring(size_t location, size_t length) const;
    String substringFromIndex(size_t index) const;
    String substringToIndex(size_t index) const;

    bool hasPrefix(const String& prefix) const;
    bool hasSuffix(const String& suffix) const;
    Range rangeOfString(const String& needle) const;
    bool containsString(const String& needle) const {
        return rangeOfString(needle).location != NSNotFound;
    }

    String& operator+=(const String& other) {
        m_units += other.m_units;
        return *this;
    }
    friend String operator+(String left, const String& right) { return left += right; }

    friend bool operator==(const String&, const String&) = default;
    friend std::strong_ordering operator<=>(const String& left, const String& right) {
        return left.m_units <=> right.m_units;
    }

  private:
    std::u16string m_units;
};

}  // namespace ov

template <>
struct std::hash<ov::String> {
    size_t operator()(const ov::String& text) const noexcept {
        return std::hash<std::u16string>{}(text.utf16());
    }
};
