#pragma once
// Bytes (the platform's NSData): an owned, copyable byte buffer.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ov {

class String;

class Data {
  public:
    Data() = default;
    explicit Data(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    Data(const void* bytes, size_t length);
    static Data fromString(std::string_view bytes) { return Data(bytes.data(), bytes.size()); }

    size_t length() const { return m_bytes.size(); }
    bool isEmpty() const { return m_bytes.empty(); }
    const uint8_t* bytes() const { return m_bytes.data(); }
    const std::vector<uint8_t>& vector() const { return m_bytes; }
    std::span<const uint8_t> span() const { return m_bytes; }
    std::string_view view() const {
        return {reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size()};
    }

    void append(const void* bytes, size_t length);

    // "{length = 3, bytes = 0x616263}"; long data shows its head and tail only.
    String description() const;

    friend bool operator==(const Data&, const Data&) = default;

  private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace ov
