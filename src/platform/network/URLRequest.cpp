#include "orvane/platform/network/URLRequest.h"

#include <algorithm>
#include <array>

#include "platform/network/HeaderFieldName.h"

namespace ov {
namespace {

constexpr std::array<const char*, 3> kAlwaysCredentials{"Authorization", "Proxy-Authorization",
                                                        "Cookie"};

bool containsFieldName(const auto& names, const String& field) {
    return std::ranges::any_of(
        names, [&](const auto& name) { return headerFieldNamesEqual(name, field); });
}

}  // namespace

URLRequest::HeaderFields::iterator URLRequest::findField(const String& field) {
    return std::ranges::find_if(m_headerFields, [&](const auto& entry) {
        return headerFieldNamesEqual(entry.first, field);
    });
}

URLRequest::HeaderFields::const_iterator URLRequest::findField(const String& field) const {
    return std::ranges::find_if(m_headerFields, [&](const auto& entry) {
        return headerFieldNamesEqual(entry.first, field);
    });
}

void URLRequest::setValue(const String& value, const String& field) {
    const auto existing = findField(field);
    if (existing == m_headerFields.end()) {
        m_headerFields.emplace_back(field, value);
    } else {
        existing->second = value;
    }
}

void URLRequest::addValue(const String& value, const String& field) {
    const auto existing = findField(field);
    if (existing == m_headerFields.end()) {
        m_headerFields.emplace_back(field, value);
    } else {
        existing->second += ", " + value;
    }
}

std::optional<String> URLRequest::valueForHTTPHeaderField(const String& field) const {
    const auto existing = findField(field);
    if (existing == m_headerFields.end()) return std::nullopt;
    return existing->second;
}

void URLRequest::setCredentialValue(const String& value, const String& field) {
    setValue(value, field);
    if (!isCredentialField(field)) m_credentialFields.push_back(field);
}

bool URLRequest::isCredentialField(const String& field) const {
    return containsFieldName(kAlwaysCredentials, field) ||
           containsFieldName(m_credentialFields, field);
}

}  // namespace ov
