#pragma once
// The platform's error object: a domain, an integer code and a user-information dictionary,
// with the descriptions the platform derives from them.

#include <cstdint>

#include "orvane/platform/values/Value.h"

namespace ov {

inline constexpr const char* NSLocalizedDescriptionKey = "NSLocalizedDescription";
inline constexpr const char* NSLocalizedFailureReasonErrorKey = "NSLocalizedFailureReason";
inline constexpr const char* NSLocalizedRecoverySuggestionErrorKey =
    "NSLocalizedRecoverySuggestion";
inline constexpr const char* NSLocalizedRecoveryOptionsErrorKey = "NSLocalizedRecoveryOptions";
inline constexpr const char* NSUnderlyingErrorKey = "NSUnderlyingError";
inline constexpr const char* NSDebugDescriptionErrorKey = "NSDebugDescription";
inline constexpr const char* NSURLErrorFailingURLStringErrorKey = "NSErrorFailingURLStringKey";
inline constexpr const char* NSURLErrorDomain = "NSURLErrorDomain";
inline constexpr const char* NSCocoaErrorDomain = "NSCocoaErrorDomain";

class Error final : public Object {
  public:
    Error(String domain, long long code, Dictionary userInfo = {});

    const String& domain() const { return m_domain; }
    long long code() const { return m_code; }
    const Dictionary& userInfo() const { return m_userInfo; }

    String className() const override { return "NSError"; }
    // Error Domain=D Code=C "localized description" UserInfo={key=value, ...}
    String description() const override;
    String debugDescription() const { return description(); }
    // The message under NSLocalizedDescriptionKey, or the platform's generic sentence.
    String localizedDescription() const;
    // The user-information entries, or the absent value where the error has none.
    Value localizedFailureReason() const;
    Value localizedRecoveryOptions() const;
    Value localizedRecoverySuggestion() const;
    bool isEqual(const Object& other) const override;

  private:
    String m_domain;
    long long m_code;
    Dictionary m_userInfo;
};

}  // namespace ov
