#include "orvane/json/SBJsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "JsonOutput.h"
#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Utf8.h"

namespace ov {
namespace {

constexpr size_t kInitialCapacity = 128;
// The most one code unit can take: a control character as "\u001f".
constexpr size_t kMaxUnitLength = 6;

bool needsEscape(char16_t unit) {
    return unit < 0x20 || unit == u'"' || unit == u'\\';
}

// A unit that goes out as it is: in UTF-8 only ASCII does, other text is encoded.
template <class Char>
bool isVerbatim(char16_t unit) {
    if constexpr (sizeof(Char) == 1) {
        return unit < 0x80 && !needsEscape(unit);
    } else {
        return !needsEscape(unit);
    }
}

template <class Char>
Char* writeEscape(char16_t unit, Char* out) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    *out++ = '\\';
    switch (unit) {
        case u'\b':
            *out++ = 'b';
            break;
        case u'\t':
            *out++ = 't';
            break;
        case u'\n':
            *out++ = 'n';
            break;
        case u'\f':
            *out++ = 'f';
            break;
        case u'\r':
            *out++ = 'r';
            break;
        case u'"':
        case u'\\':
            *out++ = static_cast<Char>(unit);
            break;
        default:  // below 0x20, so always "\u00" and two digits
            for (const char digit : {'u', '0', '0', kHexDigits[unit >> 4], kHexDigits[unit & 0xF]})
                *out++ = digit;
    }
    return out;
}

constexpr uint64_t kLanes = 0x0001000100010001ULL;  // one in each of four 16-bit lanes
constexpr uint64_t kLaneHighBits = 0x8000800080008000ULL;

uint64_t lanesEqualTo(uint64_t word, char16_t unit) {
    const uint64_t difference = word ^ (kLanes * unit);
    return (difference - kLanes) & ~difference & kLaneHighBits;
}

// Whether four units in a row all go out as they are, tested together.
template <class Char>
bool areVerbatim(const char16_t* units) {
    uint64_t word;
    std::memcpy(&word, units, sizeof word);
    uint64_t stops = ((word - kLanes * 0x20) & ~word & kLaneHighBits) | lanesEqualTo(word, u'"') |
                     lanesEqualTo(word, u'\\');
    if constexpr (sizeof(Char) == 1) stops |= word & (kLanes * 0xFF80);
    return stops == 0;
}

template <class Char>
void appendString(const String& value, JsonOutput<Char>& into) {
    const std::u16string_view units = value.utf16();
    const char16_t* position = units.data();
    const char16_t* const end = position + units.size();
    Char* out = into.room(units.size() * kMaxUnitLength + 2);
    *out++ = '"';
    while (position < end) {
        if (end - position >= 4 && areVerbatim<Char>(position)) {
            out = std::copy(position, position + 4, out);
            position += 4;
        } else if (isVerbatim<Char>(*position)) {
            *out++ = static_cast<Char>(*position++);
        } else if (needsEscape(*position)) {
            out = writeEscape(*position++, out);
        } else if constexpr (sizeof(Char) == 1) {
            out = encodeUtf8(decodeUtf16Sequence(position, end), out);
        }
    }
    *out++ = '"';
    into.commit(out);
}

// Writes ASCII text that `write` produces into at most `capacity` chars: in place for UTF-8,
// widened from a buffer for UTF-16.
template <size_t capacity, class Char, class Write>
void appendFormatted(JsonOutput<Char>& into, Write write) {
    if constexpr (sizeof(Char) == 1) {
        into.commit(write(into.room(capacity)));
    } else {
        char text[capacity];
        char* const end = write(text);
        into.commit(std::copy(text, end, into.room(static_cast<size_t>(end - text))));
    }
}

template <class Char>
void appendNumber(const Number& number, JsonOutput<Char>& into) {
    if (number.isFloatingPoint()) {  // rare in parsed trees; its text is ASCII
        const String text = number.description();
        Char* const out = into.room(text.length());
        into.commit(std::copy(text.utf16().begin(), text.utf16().end(), out));
        return;
    }
    constexpr size_t kMaxDigits = 20;  // and a sign
    appendFormatted<kMaxDigits + 1>(into, [&](char* out) {
        return number.isUnsigned()
                   ? std::to_chars(out, out + kMaxDigits + 1, number.unsignedLongLongValue()).ptr
                   : std::to_chars(out, out + kMaxDigits + 1, number.longLongValue()).ptr;
    });
}

template <class Char>
void appendDecimal(const Decimal& decimal, JsonOutput<Char>& into) {
    appendFormatted<Decimal::kMaxTextLength>(into, [&](char* out) { return decimal.toChars(out); });
}

// The value's class name on the platform, for the "not supported" message.
String typeName(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Data:
            return "NSData";
        case Value::Kind::Date:
            return "NSDate";
        case Value::Kind::Object:
            return (*value.ifObject())->className();
        default:
            return "nil";
    }
}

// The value an object stands for in JSON; absent when it is not an object or offers none.
Value proxyOf(const Value& value) {
    const auto* object = value.ifObject();
    return object ? (*object)->proxyForJson() : Value();
}

}  // namespace

struct SBJsonWriter::Frame {
    Value owner;  // keeps a container that a proxy made alive
    bool isArray = false;
    // Read once on entering the container, so that writing its members touches only the frame.
    const Value* elements = nullptr;
    const Dictionary::Entry* entries = nullptr;
    std::vector<const Dictionary::Entry*> sorted;  // the members in key order, when sorting
    size_t count = 0;
    size_t next = 0;
    const Dictionary::Entry& entry(size_t position) const {
        return sorted.empty() ? entries[position] : *sorted[position];
    }
};

SBJsonWriter::SBJsonWriter() = default;
SBJsonWriter::~SBJsonWriter() = default;

std::optional<String> SBJsonWriter::stringWithObject(const Value& value) {
    auto text = writeObject<char16_t>(value);
    return text ? std::optional<String>(String(std::move(*text))) : std::nullopt;
}

std::optional<String> SBJsonWriter::stringWithFragment(const Value& value) {
    auto text = writeFragment<char16_t>(value);
    return text ? std::optional<String>(String(std::move(*text))) : std::nullopt;
}

std::optional<std::string> SBJsonWriter::utf8WithObject(const Value& value) {
    return writeObject<char>(value);
}

std::optional<std::string> SBJsonWriter::utf8WithFragment(const Value& value) {
    return writeFragment<char>(value);
}

template <class Char>
std::optional<std::basic_string<Char>> SBJsonWriter::writeObject(const Value& value) {
    if (value.isDictionary() || value.isArray()) return writeFragment<Char>(value);
    if (const Value proxy = proxyOf(value); !proxy.isAbsent()) {
        if (auto text = writeObject<Char>(proxy)) return text;
    }
    clearErrorTrace();
    addErrorWithCode(4, "Not valid type for JSON");
    return std::nullopt;
}

template <class Char>
std::optional<std::basic_string<Char>> SBJsonWriter::writeFragment(const Value& value) {
    clearErrorTrace();
    m_depth = 0;
    // Texts written by one writer tend to be alike: start with room for the last one.
    JsonOutput<Char> text(std::max(kInitialCapacity, m_lastLength));
    if (!appendValue(value, text)) return std::nullopt;
    m_lastLength = text.size();
    return text.take();
}

// Containers wait on m_frames instead of the call stack; a failure unwinds them innermost
// first, each adding the message its rule would add on the way out.
template <class Char>
bool SBJsonWriter::appendValue(const Value& root, JsonOutput<Char>& into) {
    m_frames.clear();
    const Value* value = &root;
    for (;;) {
        Value held;  // a proxy's value, owned while it is written
        Value::Kind kind = value->kind();
        while (kind == Value::Kind::Object) {
            Value proxy = proxyOf(*value);
            if (proxy.isAbsent()) break;
            held = std::move(proxy);
            value = &held;
            kind = value->kind();
        }
        if (kind == Value::Kind::Array || kind == Value::Kind::Dictionary) {
            if (!enterContainer(*value, held, into)) return unwind();
        } else if (!appendScalar(*value, kind, into)) {
            return unwind();
        }
        value = nullptr;
        while (!m_frames.empty() && !(value = nextMember(m_frames.back(), into))) {
            leaveContainer(m_frames.back(), into);
            m_frames.pop_back();
        }
        if (!value) return true;
    }
}

template <class Char>
bool SBJsonWriter::appendScalar(const Value& value, Value::Kind kind, JsonOutput<Char>& into) {
    switch (kind) {
        case Value::Kind::String:
            appendString(value.asString(), into);
            return true;
        case Value::Kind::Boolean:
            if (value.asBool()) {
                into.appendLiteral("true");
            } else {
                into.appendLiteral("false");
            }
            return true;
        case Value::Kind::Number:
            appendNumber(value.asNumber(), into);
            return true;
        case Value::Kind::Decimal:
            appendDecimal(*value.ifDecimal(), into);
            return true;
        case Value::Kind::Null:
            into.appendLiteral("null");
            return true;
        default:
            addErrorWithCode(
                1, stringWithFormat("JSON serialisation not supported for %@", typeName(value)));
            return false;
    }
}

// `held` owns the container when a proxy made it (it may be `container` itself).
template <class Char>
bool SBJsonWriter::enterContainer(const Value& container, Value& held, JsonOutput<Char>& into) {
    ++m_depth;
    const uint64_t limit = maxDepth();
    if (limit != 0 && m_depth > limit) {
        addErrorWithCode(7, "Nested too deep");
        return false;
    }
    Frame& frame = m_frames.emplace_back();
    if (const Array* array = container.ifArray()) {
        frame.isArray = true;
        frame.elements = array->begin();
        frame.count = array->count();
    } else {
        const Dictionary& dictionary = container.asDictionary();
        frame.entries = dictionary.begin();
        frame.count = dictionary.count();
        if (m_sortKeys) sortMembers(frame);
    }
    prefetchChildren(frame);
    // Moving the handle leaves the container where it is.
    if (!held.isAbsent()) frame.owner = std::move(held);
    into.push(frame.isArray ? '[' : '{');
    return true;
}

// Writes what comes before the frame's next element (separator, indent, key) and gives the
// element; none when the frame is done.
template <class Char>
const Value* SBJsonWriter::nextMember(Frame& frame, JsonOutput<Char>& into) {
    if (frame.next == frame.count) return nullptr;
    if (frame.next > 0) into.push(',');
    if (m_humanReadable) indent(into);
    const size_t position = frame.next++;
    if (frame.isArray) return &frame.elements[position];
    const Dictionary::Entry& entry = frame.entry(position);
    appendString(entry.first, into);
    if (m_humanReadable) {
        into.appendLiteral(" : ");
    } else {
        into.push(':');
    }
    return &entry.second;
}

template <class Char>
void SBJsonWriter::leaveContainer(const Frame& frame, JsonOutput<Char>& into) {
    --m_depth;
    if (m_humanReadable && frame.count > 0) indent(into);
    into.push(frame.isArray ? ']' : '}');
}

// A tree is written in an order its parse did not lay it out in memory: asking for the nested
// containers ahead hides much of the wait for them.
void SBJsonWriter::prefetchChildren(const Frame& frame) {
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < std::min(frame.count, kAhead); ++i) {
        const Value& member = frame.isArray ? frame.elements[i] : frame.entries[i].second;
        if (const Dictionary* dictionary = member.ifDictionary()) {
            __builtin_prefetch(dictionary->begin());
        } else if (const Array* array = member.ifArray()) {
            __builtin_prefetch(array->begin());
        }
    }
}

void SBJsonWriter::sortMembers(Frame& frame) {
    frame.sorted.reserve(frame.count);
    for (size_t i = 0; i < frame.count; ++i)
        frame.sorted.push_back(&frame.entries[i]);
    std::sort(frame.sorted.begin(), frame.sorted.end(),
              [](const auto* left, const auto* right) { return left->first < right->first; });
}

bool SBJsonWriter::unwind() {
    for (auto frame = m_frames.rbegin(); frame != m_frames.rend(); ++frame) {
        if (frame->isArray) continue;  // an array adds no message of its own
        const String& key = frame->entry(frame->next - 1).first;
        addErrorWithCode(1, stringWithFormat("Unsupported value for key %@ in object", key));
    }
    m_frames.clear();
    return false;
}

template <class Char>
void SBJsonWriter::indent(JsonOutput<Char>& into) const {
    into.push('\n');
    into.appendRepeated(static_cast<size_t>(m_depth) * 2, ' ');
}

}  // namespace ov
