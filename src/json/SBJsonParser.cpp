#include "orvane/json/SBJsonParser.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <memory>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Utf8.h"

namespace ov {
namespace {

static_assert(std::endian::native == std::endian::little, "the string scan reads words");

// Zero bytes after the terminating NUL, so the word-wise scans never read past the end.
constexpr size_t kPadding = 16;
// Digits a 64-bit integer always holds.
constexpr int kExactDigits = 19;
// Keys of at least this many bytes are shared between objects; shorter ones are cheap to make.
constexpr size_t kSharedKeyLength = 11;

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

// Whether all eight bytes of `word` are digits.
bool isEightDigits(uint64_t word) {
    constexpr uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0ULL;
    return ((word & kHighNibbles) | (((word + 0x0606060606060606ULL) & kHighNibbles) >> 4)) ==
           0x3333333333333333ULL;
}

// The value of eight digits read as a little-endian word, in three multiplications.
uint64_t eightDigitsValue(uint64_t word) {
    constexpr uint64_t kPairMask = 0x000000FF000000FFULL;
    word -= 0x3030303030303030ULL;
    word = word * 10 + (word >> 8);  // pairs of digits
    return (((word & kPairMask) * 0x000F424000000064ULL) +
            (((word >> 16) & kPairMask) * 0x0000271000000001ULL)) >>
           32;
}

#if !defined(__SSE2__)
bool isWhitespace(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}
#endif

#if defined(__SSE2__)
// Finds the end of the run at `position` sixteen bytes at a time: the first quotation mark,
// backslash, or byte below 0x20 (the terminating NUL included); and whether the run is plain
// ASCII (then it widens without decoding).
const char* findRunEnd(const char* position, bool& ascii) {
    unsigned high = 0;
    for (;; position += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes);
        const __m128i quote = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'));
        const __m128i backslash = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'));
        const auto stop = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(control, _mm_or_si128(quote, backslash))));
        const auto chunkHigh = static_cast<unsigned>(_mm_movemask_epi8(bytes));
        if (stop != 0) {
            ascii = high == 0 && (chunkHigh & ((stop & (0 - stop)) - 1)) == 0;
            return position + std::countr_zero(stop);
        }
        high |= chunkHigh;
    }
}

// Widens sixteen bytes to units and gives how many of them, from the first, are ASCII: only
// those count, the units after them are overwritten later.
size_t widenAscii(const unsigned char* bytes, char16_t* out) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(chunk, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(chunk, zero));
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
    return high == 0 ? 16 : static_cast<size_t>(std::countr_zero(high));
}
#else
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

// A byte at which a run of plain string content stops: quotation mark, backslash, or below
// 0x20 (the terminating NUL included).
uint64_t stopBytes(uint64_t word) {
    const uint64_t quote = word ^ (kOnes * '"');
    const uint64_t backslash = word ^ (kOnes * '\\');
    return (((word - kOnes * 0x20) & ~word) | ((quote - kOnes) & ~quote) |
            ((backslash - kOnes) & ~backslash)) &
           kHighBits;
}

// Finds the end of the run at `position`, eight bytes at a time, and whether the run is plain
// ASCII (then it widens without decoding). Only the lowest flagged byte is exact, which is the
// one we need.
const char* findRunEnd(const char* position, bool& ascii) {
    uint64_t high = 0;
    for (;; position += 8) {
        uint64_t word;
        std::memcpy(&word, position, sizeof word);
        if (const uint64_t stop = stopBytes(word)) {
            const uint64_t before = (stop & (0 - stop)) - 1;
            ascii = high == 0 && (word & kHighBits & before) == 0;
            return position + std::countr_zero(stop) / 8;
        }
        high |= word & kHighBits;
    }
}

size_t widenAscii(const unsigned char* bytes, char16_t* out) {
    size_t count = 0;
    for (; count < 16 && bytes[count] < 0x80; ++count)
        out[count] = bytes[count];
    return count;
}
#endif

char16_t* writeCodePoint(char16_t* out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        *out++ = static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
    return out;
}

}  // namespace

struct SBJsonParser::Frame {
    bool array = true;
    size_t start = 0;  // the first element on m_values, or the first member on m_members
    bool isArray() const { return array; }
};

SBJsonParser::SBJsonParser() = default;
SBJsonParser::~SBJsonParser() = default;

Value SBJsonParser::fragmentWithString(const std::optional<String>& text) {
    clearErrorTrace();
    if (!text) {
        addErrorWithCode(12, "Input was 'nil'");
        return {};
    }
    return parse(text->toUtf8());
}

Value SBJsonParser::fragmentWithUTF8(std::string_view utf8) {
    clearErrorTrace();
    return parse(utf8);
}

Value SBJsonParser::objectWithString(const std::optional<String>& text) {
    return documentFrom(fragmentWithString(text));
}

Value SBJsonParser::objectWithUTF8(std::string_view utf8) {
    return documentFrom(fragmentWithUTF8(utf8));
}

Value SBJsonParser::documentFrom(Value fragment) {
    if (fragment.isAbsent() || fragment.isArray() || fragment.isDictionary()) return fragment;
    addErrorWithCode(4, "Valid fragment, but not JSON");
    return {};
}

Value SBJsonParser::parse(std::string_view utf8) {
    m_buffer.reserve(utf8.size() + kPadding);  // so that the padding does not copy it again
    m_buffer.assign(utf8.data(), utf8.size());
    m_buffer.append(kPadding, '\0');
    m_c = m_buffer.data();
    m_depth = 0;
    m_limit = maxDepth();
    m_arena = &ValueArena::make();
    Value value = scanDocument();
    forgetKnownKeys();                          // they point into this input and hold its arena
    std::exchange(m_arena, nullptr)->finish();  // what the document holds keeps it
    return value;
}

Value SBJsonParser::scanDocument() {
    Value value;
    if (!scanValue(value)) return {};
    if (!scanIsAtEnd()) {
        addErrorWithCode(10, "Garbage after JSON");
        return {};
    }
    assert(!value.isAbsent() && "Should have a valid object from the input");
    return value;
}

// The grammar is recursive; the scan is not. Open containers wait on m_frames, and a failure
// unwinds them innermost first, each adding the message its rule would add on the way out.
bool SBJsonParser::scanValue(Value& result) {
    for (;;) {
        skipWhitespace();
        const char lead = *m_c++;
        if (lead == '[' || lead == '{') {
            if (!enterContainer(lead)) return unwind();
        } else if (!scanScalar(lead, [&](auto&& scalar) {
                       placeValue(result, std::forward<decltype(scalar)>(scalar));
                   })) {
            return unwind();
        } else if (m_frames.empty()) {
            return true;
        } else if (!scanAfterMember(m_frames.back().isArray())) {
            return failContainer();
        }
        // Close finished containers until one of them wants another value.
        for (;;) {
            const Frame& top = m_frames.back();
            bool closed = false;
            if (!(top.isArray() ? scanArrayStep(closed) : scanDictionaryStep(closed))) {
                return failContainer();
            }
            if (!closed) break;
            const Frame finished = top;
            m_frames.pop_back();
            --m_depth;
            if (finished.isArray()) {
                placeValue(result, takeElements(finished.start));
            } else {
                placeValue(result, takeMembers(finished.start));
            }
            if (m_frames.empty()) return true;
            if (!scanAfterMember(m_frames.back().isArray())) return failContainer();
        }
    }
}

// Puts a finished value where it goes: the result, a new element of the innermost array, or the
// value of the innermost dictionary's last key. Values are made straight from the scalar, as
// assigning a Value costs a dispatch on the kind it held; a member's value is still absent,
// which holds nothing to destroy, so it is made over in place.
template <class Scalar>
void SBJsonParser::placeValue(Value& result, Scalar&& scalar) {
    if (m_frames.empty()) {
        result = std::forward<Scalar>(scalar);
    } else if (m_frames.back().isArray()) {
        m_values.emplace_back(std::forward<Scalar>(scalar));
    } else {
        Value& pending = m_members.back().second;
        assert(pending.isAbsent());
        std::construct_at(&pending, std::forward<Scalar>(scalar));
    }
}

// Elements of open arrays wait on one shared stack, so each array is allocated once, at its
// final size.
Array SBJsonParser::takeElements(size_t start) {
    Array elements(*m_arena, m_values.data() + start, m_values.size() - start);
    m_values.forget(start);
    return elements;
}

// Members wait the same way; a repeated key keeps its first position and its last value.
Dictionary SBJsonParser::takeMembers(size_t start) {
    Dictionary members =
        Dictionary::fromEntries(*m_arena, m_members.data() + start, m_members.size() - start);
    m_members.resize(start);
    return members;
}

bool SBJsonParser::enterContainer(char open) {
    ++m_depth;
    if (m_limit != 0 && m_depth > m_limit) {
        addErrorWithCode(7, "Nested too deep");
        return false;
    }
    const bool array = open == '[';
    m_frames.push_back({array, array ? m_values.size() : m_members.size()});
    return true;
}

bool SBJsonParser::scanArrayStep(bool& closed) {
    if (*m_c == '\0') {
        addErrorWithCode(11, "End of input while parsing array");
        return false;
    }
    skipWhitespace();
    if (*m_c == ']') {
        ++m_c;
        closed = true;
    }
    return true;
}

bool SBJsonParser::scanDictionaryStep(bool& closed) {
    if (*m_c == '\0') {
        addErrorWithCode(11, "End of input while parsing object");
        return false;
    }
    skipWhitespace();
    if (*m_c == '}') {
        ++m_c;
        closed = true;
        return true;
    }
    if (*m_c != '"') {
        addErrorWithCode(3, "Object key string expected");
        return false;
    }
    ++m_c;
    m_members.emplace_back();
    if (!scanKey(m_members.back().first)) {
        addErrorWithCode(3, "Object key string expected");
        return false;
    }
    skipWhitespace();
    if (*m_c != ':') {
        addErrorWithCode(3, "Expected ':' separating key and value");
        return false;
    }
    ++m_c;
    return true;
}

// The comma between members is optional; one right before the closing bracket is not.
bool SBJsonParser::scanAfterMember(bool inArray) {
    skipWhitespace();
    if (*m_c != ',') return true;
    ++m_c;
    skipWhitespace();
    if (inArray && *m_c == ']') {
        addErrorWithCode(9, "Trailing comma disallowed in array");
        return false;
    }
    if (!inArray && *m_c == '}') {
        addErrorWithCode(9, "Trailing comma disallowed in object");
        return false;
    }
    return true;
}

// The innermost container failed itself: it adds nothing more, its enclosing ones do.
bool SBJsonParser::failContainer() {
    const Frame& failed = m_frames.back();
    if (!failed.isArray()) m_members.resize(failed.start);
    m_frames.pop_back();
    return unwind();
}

bool SBJsonParser::unwind() {
    const String inArray("Expected value while parsing array");
    // Each enclosing dictionary waits on a value for its last key, so the keys, innermost
    // first, are the pending members from the top of the stack down.
    auto pending = m_members.rbegin();
    for (auto frame = m_frames.rbegin(); frame != m_frames.rend(); ++frame) {
        if (frame->isArray()) {
            addErrorWithCode(3, inArray);
            continue;
        }
        addErrorWithCode(3, stringWithFormat("Object value expected for key: %@", pending->first));
        pending = m_members.rend() - static_cast<std::ptrdiff_t>(frame->start);
    }
    m_frames.clear();
    m_values.truncate(0);
    m_members.clear();
    return false;
}

template <class Place>
bool SBJsonParser::scanScalar(char lead, Place place) {
    switch (lead) {
        case '"': {
            String text;
            if (!scanRestOfString(text)) return false;
            place(std::move(text));
            return true;
        }
        case 't':
            if (!scanLiteral("rue", "Expected 'true'")) return false;
            place(true);
            return true;
        case 'f':
            if (!scanLiteral("alse", "Expected 'false'")) return false;
            place(false);
            return true;
        case 'n':
            if (!scanLiteral("ull", "Expected 'null'")) return false;
            place(Value::null());
            return true;
        case '+':
            addErrorWithCode(2, "Leading + disallowed in number");
            return false;
        case '\0':
            addErrorWithCode(11, "Unexpected end of string");
            return false;
        default:
            if (lead == '-' || isDigit(lead)) {
                --m_c;
                const std::optional<Decimal> number = scanNumber();
                if (number) place(*number);
                return number.has_value();
            }
            addErrorWithCode(3, "Unrecognised leading character");
            return false;
    }
}

bool SBJsonParser::scanLiteral(std::string_view rest, const char* message) {
    for (size_t i = 0; i < rest.size(); ++i) {
        if (m_c[i] != rest[i]) {  // stops at the NUL, so never reads past the input
            addErrorWithCode(3, message);
            return false;
        }
    }
    m_c += rest.size();
    return true;
}

bool SBJsonParser::scanRestOfString(String& value) {
    bool ascii = true;
    const char* end = findRunEnd(m_c, ascii);
    return *end == '"' ? takePlainString(value, end, ascii) : takeEscapedString(value, end, ascii);
}

// Objects in one reply mostly share their keys: a long key read before shares the text made
// then, instead of being converted and stored once more.
bool SBJsonParser::scanKey(String& key) {
    bool ascii = true;
    const char* end = findRunEnd(m_c, ascii);
    const auto length = static_cast<size_t>(end - m_c);
    if (*end != '"') return takeEscapedString(key, end, ascii);
    if (length < kSharedKeyLength) return takePlainString(key, end, ascii);
    uint64_t head;
    uint64_t tail;
    std::memcpy(&head, m_c, sizeof head);
    std::memcpy(&tail, end - sizeof tail, sizeof tail);
    constexpr int kSlotBits = std::countr_zero(kKnownKeySlots);
    const uint64_t slot =
        ((head ^ (tail * 31) ^ length) * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits);
    KnownKey& known = m_knownKeys[slot];
    const std::string_view bytes(m_c, length);
    if (known.bytes == bytes) {
        key = known.text.copyForBuilder();
        m_c = end + 1;
        return true;
    }
    if (!takePlainString(key, end, ascii)) return false;
    known = {bytes, key.copyForBuilder()};
    m_knownKeysHeld.set(slot);
    return true;
}

// Only the slots an input filled are cleared, so a small reply costs no sweep of the table.
void SBJsonParser::forgetKnownKeys() {
    for (size_t slot = 0; slot < kKnownKeySlots; ++slot) {
        if (m_knownKeysHeld.test(slot)) m_knownKeys[slot] = {};
    }
    m_knownKeysHeld.reset();
}

// The string from m_c to the quotation mark at `end` has no escapes: convert it straight in.
bool SBJsonParser::takePlainString(String& value, const char* end, bool ascii) {
    bool wellFormed = true;
    value = String::build(*m_arena, static_cast<size_t>(end - m_c), [&](char16_t* room) {
        char16_t* const written = convertRun(room, end, ascii);
        wellFormed = written != nullptr;
        return written ? written - room : 0;
    });
    m_c = end + 1;
    return wellFormed;
}

bool SBJsonParser::takeEscapedString(String& value, const char* end, bool ascii) {
    m_scratch.clear();
    for (;;) {
        if (!appendRun(m_scratch, end, ascii)) return false;
        m_c = end;
        if (*m_c == '"') {
            ++m_c;
            value = String::build(*m_arena, m_scratch.size(), [&](char16_t* room) {
                return std::copy(m_scratch.begin(), m_scratch.end(), room) - room;
            });
            return true;
        }
        if (*m_c != '\\') {
            addErrorWithCode(5, stringWithFormat("Unescaped control character '0x%x'",
                                                 static_cast<unsigned char>(*m_c)));
            return false;
        }
        if (!scanEscape(m_scratch)) return false;
        if (*m_c == '\0') {
            addErrorWithCode(11, "Unexpected EOF while parsing string");
            return false;
        }
        end = findRunEnd(m_c, ascii);
    }
}

bool SBJsonParser::appendRun(std::u16string& units, const char* end, bool ascii) {
    // Never more units than bytes: write into room for that many, then trim.
    const size_t start = units.size();
    units.resize(start + static_cast<size_t>(end - m_c));
    char16_t* const written = convertRun(units.data() + start, end, ascii);
    if (!written) return false;
    units.resize(static_cast<size_t>(written - units.data()));
    return true;
}

// Converts the run from m_c to `end` into `out`; gives the end of what it wrote, or null
// after reporting a malformed byte.
char16_t* SBJsonParser::convertRun(char16_t* out, const char* end, bool ascii) {
    const auto* position = reinterpret_cast<const unsigned char*>(m_c);
    const auto* stop = reinterpret_cast<const unsigned char*>(end);
    if (ascii) {
        for (; stop - position >= 16; position += 16, out += 16)
            widenAscii(position, out);
        return std::copy(position, stop, out);
    }
    while (position < stop) {
        if (*position < 0x80 && stop - position >= 16) {
            const size_t plain = widenAscii(position, out);
            position += plain;
            out += plain;
        } else if (*position < 0x80) {
            *out++ = *position++;
        } else if (const auto codePoint = decodeUtf8Sequence(position, stop)) {
            out = writeCodePoint(out, *codePoint);
        } else {
            addErrorWithCode(3, stringWithFormat("Invalid UTF-8 byte '0x%x' in string",
                                                 static_cast<unsigned>(*position)));
            return nullptr;
        }
    }
    return out;
}

bool SBJsonParser::scanEscape(std::u16string& units) {
    const char escape = m_c[1];
    m_c += 2;
    switch (escape) {
        case '"':
        case '\\':
        case '/':
            units.push_back(static_cast<char16_t>(escape));
            return true;
        case 'b':
            units.push_back(u'\b');
            return true;
        case 'f':
            units.push_back(u'\f');
            return true;
        case 'n':
            units.push_back(u'\n');
            return true;
        case 'r':
            units.push_back(u'\r');
            return true;
        case 't':
            units.push_back(u'\t');
            return true;
        case 'u':
            if (scanUnicodeChar(units)) return true;
            addErrorWithCode(6, "Broken unicode character");
            return false;
        default: {
            // The escape byte shows as a signed char widened to 16 bits: 0xC3 prints as ffc3.
            const auto shown = static_cast<uint16_t>(static_cast<signed char>(escape));
            addErrorWithCode(8, stringWithFormat("Illegal escape sequence '0x%x'",
                                                 static_cast<unsigned>(shown)));
            return false;
        }
    }
}

bool SBJsonParser::scanUnicodeChar(std::u16string& units) {
    char16_t high;
    if (!scanHexQuad(high)) {
        addErrorWithCode(6, "Missing hex quad");
        return false;
    }
    if (high < 0xD800 || high >= 0xE000) {
        units.push_back(high);
        return true;
    }
    if (high >= 0xDC00) {
        addErrorWithCode(6, "Invalid high character in surrogate pair");
        return false;
    }
    char16_t low;
    const bool escaped = m_c[0] == '\\' && m_c[1] == 'u';
    if (escaped) m_c += 2;
    if (!escaped || !scanHexQuad(low)) {
        addErrorWithCode(6, "Missing low character in surrogate pair");
        return false;
    }
    if (low < 0xDC00 || low > 0xDFFF) {
        addErrorWithCode(6, "Invalid low surrogate char");
        return false;
    }
    units.push_back(high);
    units.push_back(low);
    return true;
}

bool SBJsonParser::scanHexQuad(char16_t& unit) {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i, ++m_c) {
        const char byte = *m_c;
        unsigned digit;
        if (isDigit(byte)) {
            digit = static_cast<unsigned>(byte - '0');
        } else if (byte >= 'a' && byte <= 'f') {
            digit = static_cast<unsigned>(byte - 'a' + 10);
        } else if (byte >= 'A' && byte <= 'F') {
            digit = static_cast<unsigned>(byte - 'A' + 10);
        } else {
            addErrorWithCode(6, "Missing hex digit in quad");
            return false;
        }
        value = value * 16 + digit;
    }
    unit = static_cast<char16_t>(value);
    return true;
}

std::optional<Decimal> SBJsonParser::scanNumber() {
    const char* start = m_c;
    const bool negative = *m_c == '-';
    if (negative) ++m_c;
    if (*m_c == '0') {
        if (isDigit(m_c[1])) {
            addErrorWithCode(2, "Leading 0 disallowed in number");
            return std::nullopt;
        }
    } else if (!isDigit(*m_c)) {
        addErrorWithCode(2, "No digits after initial minus");
        return std::nullopt;
    }
    // Most numbers have few digits: gather them as we go and skip reading the text again.
    uint64_t digits = 0;
    int count = 0;
    // Past 19 digits the sum wraps, but is then not used.
    const auto gather = [&] {
        uint64_t word;
        std::memcpy(&word, m_c, sizeof word);  // the padding keeps this inside the buffer
        if (isEightDigits(word)) {
            digits = digits * 100'000'000 + eightDigitsValue(word);
            m_c += 8;
            count += 8;
        }
        for (; isDigit(*m_c); ++m_c, ++count)
            digits = digits * 10 + static_cast<unsigned>(*m_c - '0');
    };
    gather();
    int exponent = 0;
    if (*m_c == '.') {
        ++m_c;
        if (!isDigit(*m_c)) {
            addErrorWithCode(2, "No digits after decimal point");
            return std::nullopt;
        }
        const int before = count;
        gather();
        exponent = before - count;
    }
    bool simple = count <= kExactDigits;
    if (*m_c == 'e' || *m_c == 'E') {
        ++m_c;
        if (*m_c == '+' || *m_c == '-') ++m_c;
        if (!isDigit(*m_c)) {
            addErrorWithCode(2, "No digits after exponent");
            return std::nullopt;
        }
        skipDigits();
        simple = false;
    }
    auto decimal =
        simple ? Decimal::fromDigits(digits, exponent, negative)
               : Decimal::fromString(std::string_view(start, static_cast<size_t>(m_c - start)));
    if (!decimal) addErrorWithCode(2, "Failed creating decimal instance");
    return decimal;
}

void SBJsonParser::skipDigits() {
    while (isDigit(*m_c))
        ++m_c;
}

// Indented input has long runs of white space: step over them sixteen bytes at a time.
void SBJsonParser::skipWhitespace() {
    if (static_cast<unsigned char>(*m_c) > ' ') return;  // most tokens follow one another
    if (m_c[0] == ' ' && static_cast<unsigned char>(m_c[1]) > ' ') {  // as after a colon
        ++m_c;
        return;
    }
#if defined(__SSE2__)
    for (;;) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_c));
        // Tab to carriage return are the bytes that stay at most 4 after subtracting 9.
        const __m128i fromTab = _mm_sub_epi8(bytes, _mm_set1_epi8('\t'));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(fromTab, _mm_set1_epi8(4)), fromTab);
        const __m128i space = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
        const auto white = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(control, space)));
        if (white != 0xFFFF) {
            m_c += std::countr_one(white);
            return;
        }
        m_c += 16;
    }
#else
    while (isWhitespace(*m_c))
        ++m_c;
#endif
}

bool SBJsonParser::scanIsAtEnd() {
    skipWhitespace();
    return *m_c == '\0';
}

}  // namespace ov
