#include "orvane/platform/network/URLRequest.h"

#include <algorithm>

#include "platform/network/HeaderFieldName.h"

namespace ov {
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

}  // namespace ov
