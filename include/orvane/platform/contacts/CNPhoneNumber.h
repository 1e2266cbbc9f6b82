#pragma once
// A phone number as the user typed it (the platform's CNPhoneNumber): kept as text, never
// reformatted, so what goes in comes back.

#include <utility>

#include "orvane/platform/values/String.h"

namespace ov {

inline constexpr const char* CNLabelPhoneNumberiPhone = "iPhone";
inline constexpr const char* CNLabelPhoneNumberMobile = "_$!<Mobile>!$_";
inline constexpr const char* CNLabelPhoneNumberMain = "_$!<Main>!$_";

class CNPhoneNumber {
  public:
    CNPhoneNumber() = default;
    explicit CNPhoneNumber(String stringValue) : m_stringValue(std::move(stringValue)) {}
    static CNPhoneNumber phoneNumberWithStringValue(String stringValue) {
        return CNPhoneNumber(std::move(stringValue));
    }

    const String& stringValue() const { return m_stringValue; }
    friend bool operator==(const CNPhoneNumber&, const CNPhoneNumber&) = default;

  private:
    String m_stringValue;
};

}  // namespace ov
