#include "orvane/platform/values/String.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <stdexcept>

#include "orvane/platform/values/Utf8.h"

namespace ov {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char16_t* writeUtf16(char32_t codePoint, char16_t* out) {
    if (codePoint < 0x10000) {
        *out++ = static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
    return out;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    out.append(bytes, encodeUtf8(codePoint, bytes));
}

// Writes the units of `text` to `out` (room for text.size() units: never more units than
// bytes); gives their count. Lossy unless `strict`, in which case a malformed sequence gives
// none.
std::optional<size_t> utf8ToUtf16(std::string_view text, char16_t* out, bool strict) {
    const auto* position = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = position + text.size();
    char16_t* const start = out;
    while (position < end) {
        if (*position < 0x80) {  // fast path for ASCII runs
            *out++ = *position++;
        } else if (auto codePoint = decodeUtf8Sequence(position, end)) {
            out = writeUtf16(*codePoint, out);
        } else if (strict) {
            return std::nullopt;
        } else {
            *out++ = kReplacement;
            ++position;
            while (position < end && isUtf8Continuation(*position))
                ++position;
        }
    }
    return static_cast<size_t>(out - start);
}

}  // namespace

char32_t decodeUtf16Sequence(const char16_t*& position, const char16_t* end) {
    const char16_t unit = *position++;
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit <= 0xDBFF && position < end && *position >= 0xDC00 && *position <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10) + (*position++ - 0xDC00);
    }
    return kReplacement;
}

char* encodeUtf8(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

String::String(const char* utf8) : String(std::string_view(utf8 ? utf8 : "")) {}
String::String(const std::string& utf8) : String(std::string_view(utf8)) {}
String::String(std::string_view utf8)
    : String(build(utf8.size(), [&](char16_t* room) { return *utf8ToUtf16(utf8, room, false); })) {}

String::String(std::u16string_view utf16)
    : String(build(utf16.size(), [&](char16_t* room) {
          std::copy(utf16.begin(), utf16.end(), room);
          return utf16.size();
      })) {}

String& String::operator=(const String& other) {
    if (this != &other) *this = String(other);
    return *this;
}

void String::dropBlock() {
    Block* const held = block();
    if (isInArena()) {
        ValueArena::holding(held).release();
        return;
    }
    // A sole holder needs no atomic decrement: no other holder can be changing the count.
    if (held->references.load(std::memory_order_acquire) == 1 ||
        held->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        FreeBlock()(held);
    }
}

void String::FreeBlock::operator()(Block* block) const {
    block->~Block();
    ::operator delete(block);
}

String::OwnedBlock String::newBlock(size_t capacity) {
    if (capacity > UINT32_MAX) throw std::length_error("String longer than 2^32 units");
    OwnedBlock block(new (::operator new(blockBytes(capacity))) Block);
    block->capacity = static_cast<uint32_t>(capacity);
    return block;
}

// Room is reserved for the most units a conversion can give; a text that came out short
// enough moves inline, so a block is kept only where it is needed.
void String::takeBlock(OwnedBlock block, size_t length) {
    release();
    if (length <= kInlineCapacity) {
        std::copy_n(block->units(), length, m_units);
    } else {
        setBlock(block.release());
    }
    m_length = static_cast<uint32_t>(length);
}

String::Block* String::newArenaBlock(ValueArena& arena, size_t capacity) {
    if (capacity > UINT32_MAX) throw std::length_error("String longer than 2^32 units");
    auto* block = new (arena.allocate(blockBytes(capacity))) Block;
    block->references.store(0, std::memory_order_relaxed);
    block->capacity = static_cast<uint32_t>(capacity);
    return block;
}

// The arena takes back what the block did not use: it is the newest one.
void String::takeArenaBlock(ValueArena& arena, Block* block, size_t capacity, size_t length) {
    release();
    if (length <= kInlineCapacity) {
        std::copy_n(block->units(), length, m_units);
        m_length = static_cast<uint32_t>(length);
        arena.shrinkNewest(block, blockBytes(capacity), 0);
        return;
    }
    arena.shrinkNewest(block, blockBytes(capacity), blockBytes(length));
    block->capacity = static_cast<uint32_t>(length);
    arena.retainNew();
    setBlock(block);
    m_length = static_cast<uint32_t>(length);
}

std::optional<String> String::fromUtf8(std::string_view utf8) {
    bool wellFormed = true;
    String text = build(utf8.size(), [&](char16_t* room) {
        const auto count = utf8ToUtf16(utf8, room, true);
        wellFormed = count.has_value();
        return count.value_or(0);
    });
    if (!wellFormed) return std::nullopt;
    return text;
}

String String::fromCodePoint(char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = kReplacement;
    }
    return build(2, [&](char16_t* room) { return writeUtf16(codePoint, room) - room; });
}

char16_t String::characterAtIndex(size_t index) const {
    if (index >= m_length) throw std::out_of_range("String::characterAtIndex");
    return units()[index];
}

String& String::operator+=(const String& other) {
    const size_t length = size_t{m_length} + other.m_length;
    const bool fitsInPlace =
        length <= kInlineCapacity ||
        (!isInline() && block()->references.load() == 1 && length <= block()->capacity);
    if (fitsInPlace) {
        // Appending a text to itself reads units before the ones it writes.
        std::copy_n(other.units(), other.m_length, units() + m_length);
        m_length = static_cast<uint32_t>(length);
    } else {
        *this = build(std::max<size_t>(length, 2 * m_length), [&](char16_t* room) {
            std::copy_n(other.units(), other.m_length, std::copy_n(units(), m_length, room));
            return length;
        });
    }
    return *this;
}

std::string String::toUtf8() const {
    std::string out;
    out.reserve(m_length);
    const char16_t* position = units();
    const char16_t* const end = position + m_length;
    while (position < end) {
        if (*position < 0x80) {
            out.push_back(static_cast<char>(*position++));
        } else {
            appendUtf8(out, decodeUtf16Sequence(position, end));
        }
    }
    return out;
}

String String::substring(size_t location, size_t length) const {
    if (location >= m_length) return {};
    return String(utf16().substr(location, length));
}

String String::substringFromIndex(size_t index) const {
    return substring(index, std::u16string::npos);
}

String String::substringToIndex(size_t index) const {
    return substring(0, index);
}

bool String::hasPrefix(const String& prefix) const {
    return !prefix.isEmpty() && utf16().starts_with(prefix.utf16());
}

bool String::hasSuffix(const String& suffix) const {
    return !suffix.isEmpty() && utf16().ends_with(suffix.utf16());
}

Range String::rangeOfString(const String& needle) const {
    if (needle.isEmpty()) return {NSNotFound, 0};
    const size_t found = utf16().find(needle.utf16());
    if (found == std::u16string::npos) return {NSNotFound, 0};
    return {found, needle.length()};
}

}  // namespace ov
