#include "orvane/platform/values/Error.h"

#include "ValueDescription.h"
#include "orvane/platform/values/Format.h"

namespace ov {

Error::Error(String domain, long long code, Dictionary userInfo)
    : m_domain(std::move(domain)), m_code(code), m_userInfo(std::move(userInfo)) {}

String Error::description() const {
    return describeError(*this);
}

String Error::localizedDescription() const {
    if (const String* message = m_userInfo.objectForKey(NSLocalizedDescriptionKey).ifString()) {
        return *message;
    }
    return stringWithFormat("The operation couldn\u2019t be completed. (%@ error %lld.)", m_domain,
                            m_code);
}

Value Error::localizedFailureReason() const {
    return m_userInfo.objectForKey(NSLocalizedFailureReasonErrorKey);
}

Value Error::localizedRecoveryOptions() const {
    return m_userInfo.objectForKey(NSLocalizedRecoveryOptionsErrorKey);
}

Value Error::localizedRecoverySuggestion() const {
    return m_userInfo.objectForKey(NSLocalizedRecoverySuggestionErrorKey);
}

bool Error::isEqual(const Object& other) const {
    const auto* error = dynamic_cast<const Error*>(&other);
    return error && error->m_domain == m_domain && error->m_code == m_code &&
           error->m_userInfo == m_userInfo;
}

}  // namespace ov
