#include "platform/files/BinaryPropertyListReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "orvane/platform/files/PropertyList.h"
#include "platform/files/BinaryPropertyListFormat.h"
#include "platform/files/PropertyListError.h"
#include "platform/files/PropertyListNumbers.h"
#include "platform/files/PropertyListReference.h"

namespace ov::plist {
namespace {

using namespace binary;

// What the value may expand to once every shared object is counted as often as it is
// referred to: objects plus bytes of text and data. A file without sharing stays well below.
constexpr size_t kMinExpansionBudget = size_t{1} << 20;
constexpr size_t kExpansionPerByte = 4;

class BinaryReader {
  public:
    explicit BinaryReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    Result<Value> read() {
        auto top = readTrailer();
        std::optional<Decoded> decoded;
        if (top) decoded = object(*top, 0);
        if (!decoded) return readError(m_failure);
        return std::move(decoded->value);
    }

  private:
    // A decoded object, what it expands to, and how many levels it nests below itself.
    struct Decoded {
        Value value;
        size_t weight = 1;
        size_t height = 0;
    };
    // Where a counted object's contents start, and how many items they hold.
    struct Extent {
        uint64_t start;
        uint64_t count;
    };

    std::optional<uint64_t> readTrailer() {
        if (m_bytes.size() < kMagic.size() + kTrailerSize) return fail("truncated binary plist");
        const uint64_t trailer = m_bytes.size() - kTrailerSize;
        m_offsetWidth = m_bytes[trailer + 6];
        m_referenceWidth = m_bytes[trailer + 7];
        m_objectCount = bigEndian(trailer + 8, 8);
        const uint64_t top = bigEndian(trailer + 16, 8);
        m_tableOffset = bigEndian(trailer + 24, 8);
        if (m_offsetWidth < 1 || m_offsetWidth > 8 || m_referenceWidth < 1 || m_referenceWidth > 8)
            return fail("bad binary plist trailer");
        if (m_objectCount == 0 || top >= m_objectCount || m_tableOffset < kMagic.size() ||
            m_tableOffset > trailer || m_objectCount > (trailer - m_tableOffset) / m_offsetWidth)
            return fail("bad binary plist offset table");
        m_budget = std::max(kMinExpansionBudget, kExpansionPerByte * m_bytes.size());
        m_inProgress.assign(m_objectCount, false);
        return top;
    }

    std::optional<Decoded> object(uint64_t index, size_t depth) {
        if (const auto found = m_decoded.find(index); found != m_decoded.end()) {
            if (depth + found->second.height >= PropertyListSerialization::kMaxDepth)
                return fail("binary plist nested too deeply");
            return found->second;
        }
        if (depth >= PropertyListSerialization::kMaxDepth)
            return fail("binary plist nested too deeply");
        if (m_inProgress[index]) return fail("binary plist object holds itself");
        m_inProgress[index] = true;
        auto decoded = decode(index, depth);
        m_inProgress[index] = false;
        if (!decoded) return std::nullopt;
        m_decoded.emplace(index, *decoded);
        return decoded;
    }

    std::optional<Decoded> decode(uint64_t index, size_t depth) {
        const uint64_t offset = bigEndian(m_tableOffset + index * m_offsetWidth, m_offsetWidth);
        if (offset < kMagic.size() || offset >= m_tableOffset)
            return fail("binary plist offset out of range");
        const uint8_t marker = m_bytes[offset];
        const uint8_t size = marker & 0x0F;
        switch (marker & 0xF0) {
            case 0x00:
                if (marker != kFalse && marker != kTrue) break;
                return leaf(Value(marker == kTrue), 0);
            case kInteger:
                return integer(offset, size);
            case kReal:
                return real(offset, size);
            case kDate & 0xF0:
                if (marker != kDate) break;
                return date(offset);
            case kData:
                return data(offset);
            case kAsciiString:
            case kUtf16String:
                return string(offset);
            case kUid:
                if (size >= 8 || !fits(offset + 1, size + 1u)) return fail("bad uid");
                return leaf(reference(bigEndian(offset + 1, size + 1u)), 0);
            case kArray:
                return array(offset, depth);
            case kDictionary:
                return dictionary(offset, depth);
        }
        return fail("unsupported binary plist object");
    }

    std::optional<Decoded> integer(uint64_t offset, uint8_t size) {
        if (size > 4 || !fits(offset + 1, size_t{1} << size)) return fail("bad integer");
        if (size < 4) {
            const uint64_t value = bigEndian(offset + 1, size_t{1} << size);
            // Eight bytes are signed; fewer are unsigned.
            return leaf(size == 3 ? Value(static_cast<long long>(value)) : integerValue(value), 0);
        }
        const uint64_t high = bigEndian(offset + 1, 8);
        const uint64_t low = bigEndian(offset + 9, 8);
        if (high == 0) return leaf(integerValue(low), 0);
        if (high == ~uint64_t{0} && (low >> 63) != 0)
            return leaf(Value(static_cast<long long>(low)), 0);
        return fail("integer beyond 64 bits");
    }

    std::optional<Decoded> real(uint64_t offset, uint8_t size) {
        if (size == 2 && fits(offset + 1, 4)) {
            const auto bits = static_cast<uint32_t>(bigEndian(offset + 1, 4));
            return leaf(Value(static_cast<double>(std::bit_cast<float>(bits))), 0);
        }
        if (size == 3 && fits(offset + 1, 8))
            return leaf(Value(std::bit_cast<double>(bigEndian(offset + 1, 8))), 0);
        return fail("bad real");
    }

    std::optional<Decoded> date(uint64_t offset) {
        if (!fits(offset + 1, 8)) return fail("truncated date");
        const double seconds = std::bit_cast<double>(bigEndian(offset + 1, 8));
        if (!std::isfinite(seconds)) return fail("date is not a finite moment");
        return leaf(Date::dateWithTimeIntervalSinceReferenceDate(seconds), 0);
    }

    std::optional<Decoded> data(uint64_t offset) {
        const auto extent = counted(offset, 1);
        if (!extent) return std::nullopt;
        return leaf(Data(m_bytes.data() + extent->start, extent->count), extent->count);
    }

    // ASCII strings take a byte per unit (read as Latin-1, so no byte is lost), UTF-16 two.
    std::optional<Decoded> string(uint64_t offset) {
        const bool wide = (m_bytes[offset] & 0xF0) == kUtf16String;
        const size_t width = wide ? 2 : 1;
        const auto extent = counted(offset, width);
        if (!extent) return std::nullopt;
        String text = String::build(extent->count, [&](char16_t* units) {
            for (uint64_t i = 0; i < extent->count; ++i)
                units[i] = static_cast<char16_t>(bigEndian(extent->start + i * width, width));
            return extent->count;
        });
        return leaf(std::move(text), extent->count);
    }

    std::optional<Decoded> array(uint64_t offset, size_t depth) {
        const auto extent = counted(offset, m_referenceWidth);
        if (!extent) return std::nullopt;
        Decoded result;
        std::vector<Value> items;
        items.reserve(extent->count);
        for (uint64_t i = 0; i < extent->count; ++i) {
            auto item = child(extent->start, i, depth, result);
            if (!item) return std::nullopt;
            items.push_back(std::move(*item));
        }
        result.value = Array(std::move(items));
        return result;
    }

    std::optional<Decoded> dictionary(uint64_t offset, size_t depth) {
        const auto extent = counted(offset, 2 * size_t{m_referenceWidth});
        if (!extent) return std::nullopt;
        Decoded result;
        std::vector<Dictionary::Entry> entries;
        entries.reserve(extent->count);
        for (uint64_t i = 0; i < extent->count; ++i) {
            auto key = child(extent->start, i, depth, result);
            if (!key) return std::nullopt;
            if (!key->isString()) return fail("dictionary key is not a string");
            auto item = child(extent->start, extent->count + i, depth, result);
            if (!item) return std::nullopt;
            entries.emplace_back(key->asString(), std::move(*item));
        }
        result.value = Dictionary::fromEntries(std::move(entries));
        return result;
    }

    // The object at the `position`-th reference from `start`, added to its container's
    // expansion and height.
    std::optional<Value> child(uint64_t start, uint64_t position, size_t depth, Decoded& parent) {
        const uint64_t index = bigEndian(start + position * m_referenceWidth, m_referenceWidth);
        if (index >= m_objectCount) return fail("binary plist reference out of range");
        auto decoded = object(index, depth + 1);
        if (!decoded) return std::nullopt;
        parent.weight += decoded->weight;
        parent.height = std::max(parent.height, decoded->height + 1);
        if (parent.weight > m_budget) return fail("binary plist expands too far");
        return std::move(decoded->value);
    }

    Decoded leaf(Value value, uint64_t payload) { return {std::move(value), 1 + payload, 0}; }

    // The contents of an object whose count is in its marker or follows it, each item
    // `width` bytes wide; none unless they lie wholly before the offset table.
    std::optional<Extent> counted(uint64_t offset, size_t width) {
        uint64_t start = offset + 1;
        uint64_t count = m_bytes[offset] & 0x0F;
        if (count == kCountFollows) {
            const uint8_t countMarker = start < m_tableOffset ? m_bytes[start] : 0;
            const size_t countWidth = size_t{1} << (countMarker & 0x0F);
            if ((countMarker & 0xF0) != kInteger || countWidth > 8 || !fits(start + 1, countWidth))
                return fail("bad count");
            count = bigEndian(start + 1, countWidth);
            start += 1 + countWidth;
        }
        if (start > m_tableOffset || count > (m_tableOffset - start) / width)
            return fail("object runs past the offset table");
        return Extent{start, count};
    }

    bool fits(uint64_t start, size_t width) const {
        return start <= m_tableOffset && width <= m_tableOffset - start;
    }

    // Callers have checked that the bytes lie within the file.
    uint64_t bigEndian(uint64_t position, size_t width) const {
        uint64_t value = 0;
        for (size_t i = 0; i < width; ++i)
            value = (value << 8) | m_bytes[position + i];
        return value;
    }

    std::nullopt_t fail(std::string reason) {
        if (m_failure.empty()) m_failure = std::move(reason);
        return std::nullopt;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_offsetWidth = 0;
    size_t m_referenceWidth = 0;
    uint64_t m_objectCount = 0;
    uint64_t m_tableOffset = 0;
    size_t m_budget = 0;
    std::vector<bool> m_inProgress;
    std::unordered_map<uint64_t, Decoded> m_decoded;
    std::string m_failure;
};

}  // namespace

Result<Value> readBinaryPropertyList(std::span<const uint8_t> bytes) {
    return BinaryReader(bytes).read();
}

}  // namespace ov::plist
