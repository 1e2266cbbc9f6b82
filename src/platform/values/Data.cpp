#include "orvane/platform/values/Data.h"

#include <cstdio>

#include "orvane/platform/values/String.h"

namespace ov {
namespace {

constexpr size_t kShownWhole = 24;  // longer data shows its head and tail only
constexpr size_t kHead = 16;
constexpr size_t kTail = 8;

void appendHex(std::string& out, const uint8_t* bytes, size_t count, bool grouped) {
    char pair[3];
    for (size_t i = 0; i < count; ++i) {
        if (grouped && i > 0 && i % 4 == 0) out.push_back(' ');
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        out.append(pair, 2);
    }
}

}  // namespace

Data::Data(const void* bytes, size_t length) {
    append(bytes, length);
}

void Data::append(const void* bytes, size_t length) {
    if (length == 0) return;
    const auto* first = static_cast<const uint8_t*>(bytes);
    m_bytes.insert(m_bytes.end(), first, first + length);
}

String Data::description() const {
    std::string out = "{length = " + std::to_string(m_bytes.size()) + ", bytes = 0x";
    if (m_bytes.size() <= kShownWhole) {
        appendHex(out, m_bytes.data(), m_bytes.size(), false);
    } else {
        appendHex(out, m_bytes.data(), kHead, true);
        out += " ... ";
        appendHex(out, m_bytes.data() + m_bytes.size() - kTail, kTail, true);
        out += ' ';
    }
    out += '}';
    return String(out);
}

}  // namespace ov
