#include "platform/files/BinaryPropertyListWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
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

// The platform reads references of 32 bits at most as UIDs.
constexpr uint64_t kLargestUid = 0xFFFFFFFF;

void appendBigEndian(std::string& bytes, uint64_t value, size_t width) {
    for (size_t i = width; i > 0; --i)
        bytes += static_cast<char>((value >> (8 * (i - 1))) & 0xFF);
}

void appendUnsigned(std::string& bytes, uint64_t value) {
    const uint8_t width = widthFor(value);
    bytes += static_cast<char>(kInteger | std::countr_zero(width));
    appendBigEndian(bytes, value, width);
}

std::string header(uint8_t marker, uint64_t count) {
    std::string bytes;
    if (count < kCountFollows) {
        bytes += static_cast<char>(marker | count);
    } else {
        bytes += static_cast<char>(marker | kCountFollows);
        appendUnsigned(bytes, count);
    }
    return bytes;
}

std::string integerObject(const Number& number) {
    std::string bytes;
    if (const auto beyond = unsignedBeyondSigned(number)) {
        bytes += static_cast<char>(kInteger | 4);
        appendBigEndian(bytes, 0, 8);
        appendBigEndian(bytes, *beyond, 8);
    } else if (number.longLongValue() < 0) {
        bytes += static_cast<char>(kInteger | 3);
        appendBigEndian(bytes, static_cast<uint64_t>(number.longLongValue()), 8);
    } else {
        appendUnsigned(bytes, static_cast<uint64_t>(number.longLongValue()));
    }
    return bytes;
}

std::string doubleObject(uint8_t marker, double value) {
    std::string bytes(1, static_cast<char>(marker));
    appendBigEndian(bytes, std::bit_cast<uint64_t>(value), 8);
    return bytes;
}

std::string stringObject(const String& text) {
    const std::u16string_view units = text.utf16();
    const bool ascii =
        std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; });
    std::string bytes = header(ascii ? kAsciiString : kUtf16String, units.size());
    for (const char16_t unit : units)
        appendBigEndian(bytes, unit, ascii ? 1 : 2);
    return bytes;
}

std::string dataObject(const Data& data) {
    return header(kData, data.length()) + std::string(data.view());
}

std::string uidObject(uint64_t index) {
    const uint8_t width = widthFor(index);
    std::string bytes(1, static_cast<char>(kUid | (width - 1)));
    appendBigEndian(bytes, index, width);
    return bytes;
}

class BinaryWriter {
  public:
    Result<uint64_t> add(const Value& value, size_t depth) {
        if (depth >= PropertyListSerialization::kMaxDepth) return writeError("nested too deeply");
        switch (value.kind()) {
            case Value::Kind::Boolean:
                return leaf(std::string(1, static_cast<char>(value.asBool() ? kTrue : kFalse)));
            case Value::Kind::Number:
                if (value.asNumber().isFloatingPoint())
                    return leaf(doubleObject(kReal | 3, value.asNumber().doubleValue()));
                return leaf(integerObject(value.asNumber()));
            case Value::Kind::Decimal:
                return leaf(doubleObject(kReal | 3, value.ifDecimal()->doubleValue()));
            case Value::Kind::String:
                return leaf(stringObject(value.asString()));
            case Value::Kind::Data:
                return leaf(dataObject(value.asData()));
            case Value::Kind::Date: {
                const double seconds = value.ifDate()->timeIntervalSinceReferenceDate();
                if (!std::isfinite(seconds)) return writeError("date is not a finite moment");
                return leaf(doubleObject(kDate, seconds));
            }
            case Value::Kind::Array:
                return array(value.asArray(), depth);
            case Value::Kind::Dictionary:
                if (const auto index = referencedIndex(value); index && *index <= kLargestUid)
                    return leaf(uidObject(*index));
                return dictionary(value.asDictionary(), depth);
            default:
                return unwritableError(value);
        }
    }

    Data finish() const {
        const uint8_t referenceWidth = widthFor(m_objects.size() - 1);
        std::string bytes(kMagic);
        std::vector<uint64_t> offsets;
        offsets.reserve(m_objects.size());
        for (const Object& object : m_objects) {
            offsets.push_back(bytes.size());
            bytes += object.bytes;
            for (const uint64_t reference : object.references)
                appendBigEndian(bytes, reference, referenceWidth);
        }
        const uint64_t tableOffset = bytes.size();
        const uint8_t offsetWidth = widthFor(offsets.back());
        for (const uint64_t offset : offsets)
            appendBigEndian(bytes, offset, offsetWidth);
        appendBigEndian(bytes, 0, 6);
        bytes += static_cast<char>(offsetWidth);
        bytes += static_cast<char>(referenceWidth);
        appendBigEndian(bytes, m_objects.size(), 8);
        appendBigEndian(bytes, 0, 8);  // the top object
        appendBigEndian(bytes, tableOffset, 8);
        return Data::fromString(bytes);
    }

  private:
    // A leaf's bytes in full, or a container's marker and count with the references to write.
    struct Object {
        std::string bytes;
        std::vector<uint64_t> references;
    };

    uint64_t leaf(std::string bytes) {
        const auto [found, added] = m_leaves.try_emplace(bytes, m_objects.size());
        if (added) m_objects.push_back({std::move(bytes), {}});
        return found->second;
    }

    uint64_t container(uint8_t marker, size_t count) {
        m_objects.push_back({header(marker, count), {}});
        return m_objects.size() - 1;
    }

    Result<uint64_t> array(const Array& items, size_t depth) {
        const uint64_t id = container(kArray, items.count());
        for (const Value& item : items) {
            auto child = add(item, depth + 1);
            if (!child) return child;
            m_objects[id].references.push_back(child.value());
        }
        return id;
    }

    Result<uint64_t> dictionary(const Dictionary& entries, size_t depth) {
        const uint64_t id = container(kDictionary, entries.count());
        for (const auto& entry : entries) {
            const uint64_t key = leaf(stringObject(entry.first));  // may grow m_objects
            m_objects[id].references.push_back(key);
        }
        for (const auto& entry : entries) {
            auto child = add(entry.second, depth + 1);
            if (!child) return child;
            m_objects[id].references.push_back(child.value());
        }
        return id;
    }

    std::vector<Object> m_objects;
    std::unordered_map<std::string, uint64_t> m_leaves;
};

}  // namespace

Result<Data> writeBinaryPropertyList(const Value& value) {
    BinaryWriter writer;
    auto top = writer.add(value, 0);
    if (!top) return top.error();
    return writer.finish();
}

}  // namespace ov::plist
