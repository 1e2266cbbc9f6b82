#pragma once
// Text as the platform keeps it: a sequence of UTF-16 code units. Every length, index and range
// counts code units. Literals in C++ code are UTF-8 and convert implicitly.
//
//   ov::String name = "Zoë";
//   name.length();          // 3
//   name.toUtf8();          // "Zoë"

#include <atomic>
#include <compare>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "orvane/platform/values/ValueArena.h"

namespace ov {

// A location and a length in code units; "not found" is the location NSNotFound.
struct Range {
    uint64_t location = 0;
    uint64_t length = 0;
    friend bool operator==(const Range&, const Range&) = default;
};
inline constexpr uint64_t NSNotFound = 0x7fffffffffffffffULL;

class String {
  public:
    String() = default;
    // Invalid UTF-8 bytes become U+FFFD; use fromUtf8 to reject them instead.
    String(const char* utf8);       // NOLINT(google-explicit-constructor): literals read naturally
    String(std::string_view utf8);  // NOLINT(google-explicit-constructor)
    String(const std::string& utf8);  // NOLINT(google-explicit-constructor)
    explicit String(std::u16string_view utf16);
    String(const String& other) : m_length(other.m_length) {
        copyStorage(other);
        if (isInArena()) {
            ValueArena::holding(block()).retain();
        } else if (!isInline()) {
            block()->references.fetch_add(1, std::memory_order_relaxed);
        }
    }
    String(String&& other) noexcept { takeFrom(other); }
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept {
        if (this != &other) {
            release();
            takeFrom(other);
        }
        return *this;
    }
    ~String() {
        if (!isInline()) dropBlock();
    }

    // Strict conversion: none when the bytes are not well-formed UTF-8.
    static std::optional<String> fromUtf8(std::string_view utf8);
    static String fromCodePoint(char32_t codePoint);
    // Builds a text in place: `write` gets room for `capacity` units and gives how many it
    // wrote, so a reader converting into the text copies it only once.
    template <class Write>
    static String build(size_t capacity, Write write) {
        String text;
        if (capacity <= kInlineCapacity) {
            text.m_length = static_cast<uint32_t>(write(text.m_units));
            return text;
        }
        OwnedBlock block = newBlock(capacity);
        const auto length = static_cast<size_t>(write(block->units()));
        text.takeBlock(std::move(block), length);
        return text;
    }
    // The same with a longer text's units in `arena`, by the thread building it.
    template <class Write>
    static String build(ValueArena& arena, size_t capacity, Write write) {
        if (capacity <= kInlineCapacity) return build(capacity, write);
        Block* const block = newArenaBlock(arena, capacity);
        String text;
        text.takeArenaBlock(arena, block, capacity, static_cast<size_t>(write(block->units())));
        return text;
    }

    // Lossless for well-formed text; an unpaired surrogate becomes U+FFFD.
    std::string toUtf8() const;
    std::u16string_view utf16() const { return {units(), m_length}; }

    size_t length() const { return m_length; }
    bool isEmpty() const { return m_length == 0; }
    // A copy made by the thread still building the arena that holds this text, which counts it
    // without an atomic operation (see ValueArena).
    String copyForBuilder() const {
        if (!isInArena()) return *this;
        String copy;
        copy.m_length = m_length;
        copy.copyStorage(*this);
        ValueArena::holding(block()).retainNew();
        return copy;
    }
    // Whether the text lives in the object itself, holding no storage: short texts always do,
    // longer ones never.
    bool isInline() const { return m_length <= kInlineCapacity; }
    // The arena that holds the units, if one does.
    const ValueArena* arena() const {
        return isInArena() ? &ValueArena::holding(block()) : nullptr;
    }
    // Past the end is a programming error, as for std::u16string::at.
    char16_t characterAtIndex(size_t index) const;

    // Out-of-range parts are clipped, never an error.
    String substring(size_t location, size_t length) const;
    String substringFromIndex(size_t index) const;
    String substringToIndex(size_t index) const;

    bool hasPrefix(const String& prefix) const;
    bool hasSuffix(const String& suffix) const;
    Range rangeOfString(const String& needle) const;
    bool containsString(const String& needle) const {
        return rangeOfString(needle).location != NSNotFound;
    }

    String& operator+=(const String& other);
    friend String operator+(String left, const String& right) { return left += right; }

    friend bool operator==(const String& left, const String& right) {
        return left.m_length == right.m_length &&
               std::char_traits<char16_t>::compare(left.units(), right.units(), left.m_length) == 0;
    }
    friend std::strong_ordering operator<=>(const String& left, const String& right) {
        return left.utf16() <=> right.utf16();
    }

  private:
    // Texts up to this length live in the object itself: most keys and words need no heap.
    static constexpr size_t kInlineCapacity = 10;
    // Longer texts live in one reference-counted block, shared by copies: it is changed in
    // place only while a single String holds it.
    struct Block {
        std::atomic<uint32_t> references{1};  // 0 in an arena, which counts its holders
        uint32_t capacity = 0;
        char16_t* units() { return reinterpret_cast<char16_t*>(this + 1); }
    };
    struct FreeBlock {
        void operator()(Block* block) const;
    };
    using OwnedBlock = std::unique_ptr<Block, FreeBlock>;

    static size_t blockBytes(size_t capacity) {
        return sizeof(Block) + capacity * sizeof(char16_t);
    }
    // The block pointer shares the inline units' place, so a text is 24 bytes.
    Block* block() const {
        Block* held;
        std::memcpy(&held, m_units, sizeof held);
        return held;
    }
    void setBlock(Block* block) { std::memcpy(m_units, &block, sizeof block); }
    bool isInArena() const {
        return !isInline() && block()->references.load(std::memory_order_relaxed) == 0;
    }
    const char16_t* units() const { return isInline() ? m_units : block()->units(); }
    char16_t* units() { return isInline() ? m_units : block()->units(); }
    static OwnedBlock newBlock(size_t capacity);
    // Holds `length` units written into `block`, or copies them inline when they fit.
    void takeBlock(OwnedBlock block, size_t length);
    static Block* newArenaBlock(ValueArena& arena, size_t capacity);
    // The same for a new block of `arena`, giving back the room it does not need.
    void takeArenaBlock(ValueArena& arena, Block* block, size_t capacity, size_t length);
    void takeFrom(String& other) {
        m_length = other.m_length;
        copyStorage(other);
        other.m_length = 0;
    }
    // The inline units or the block pointer, whichever is held: a fixed-size copy is a few
    // moves, where copying just the units in use would be a call.
    void copyStorage(const String& other) { std::memcpy(m_units, other.m_units, sizeof m_units); }
    // Leaves the text empty.
    void release() {
        if (!isInline()) dropBlock();
        m_length = 0;
    }
    void dropBlock();

    alignas(Block*) char16_t m_units[kInlineCapacity];
    static_assert(sizeof(Block*) <= sizeof m_units);
    uint32_t m_length = 0;
};
static_assert(sizeof(String) == 24, "a text stays small enough for a value to be 32 bytes");

}  // namespace ov

template <>
struct std::hash<ov::String> {
    size_t operator()(const ov::String& text) const noexcept {
        return std::hash<std::u16string_view>{}(text.utf16());
    }
};
