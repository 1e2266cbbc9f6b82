#include "orvane/platform/network/JSONSerialization.h"

// RapidJSON's internal stack adds offsets to a null pointer before its first allocation:
// harmless, but clang's pointer-overflow check would stop sanitizer builds on every parse.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ov {
namespace {

constexpr const char* kReadFailureDescription =
    "The data couldn\u2019t be read because it isn\u2019t in the correct format.";

Error readError(const std::string& reason) {
    return Error(NSCocoaErrorDomain, JSONSerialization::kErrorCode,
                 Dictionary{{NSDebugDescriptionErrorKey, String(reason)},
                            {NSLocalizedDescriptionKey, kReadFailureDescription}});
}

Error writeError(const std::string& reason) {
    return Error(NSCocoaErrorDomain, JSONSerialization::kErrorCode,
                 Dictionary{{NSDebugDescriptionErrorKey, String(reason)}});
}

// "around line L, column C." with lines from 1 and columns from 0, counted in characters.
std::string around(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    size_t line = 1;
    size_t column = 0;
    for (size_t i = 0; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++line;
            column = 0;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "around line " + std::to_string(line) + ", column " + std::to_string(column) + ".";
}

bool isJsonWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool hasWideByteOrderMark(std::string_view text) {
    return text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE") ||
           text.starts_with(std::string_view("\0\0\xFE\xFF", 4));
}

// A UTF-16 surrogate in UTF-8 form (ED A0..BF xx). Validated input cannot contain one, so it
// comes from a "\uDC00"-style escape that had no high surrogate before it.
bool containsEncodedSurrogate(std::string_view text) {
    for (size_t i = text.find('\xED'); i != std::string_view::npos; i = text.find('\xED', i + 1)) {
        if (i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xA0) return true;
    }
    return false;
}

// Decimal text that the reader has already checked against the JSON grammar. Integers stay
// exact while they fit in 64 bits; the rest becomes the nearest double. None when the value is
// beyond the double range.
std::optional<Number> parseNumber(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (text.find_first_of(".eE") == std::string_view::npos) {
        long long integer = 0;
        if (std::from_chars(first, last, integer).ec == std::errc()) {
            // Only a double can keep the sign of "-0".
            if (integer == 0 && text[0] == '-') return Number(-0.0);
            return Number(integer);
        }
        unsigned long long natural = 0;
        if (std::from_chars(first, last, natural).ec == std::errc()) return Number(natural);
    }
    double value = 0;
    if (std::from_chars(first, last, value).ec == std::errc()) return Number(value);
    // Out of range either way: strtod tells underflow (a zero or denormal) from overflow.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    value = strtod_l(std::string(text).c_str(), nullptr, cLocale);
    if (!std::isfinite(value)) return std::nullopt;
    return Number(value);
}

// Builds the Value tree straight from the reader's events, with an explicit stack so that
// nesting depth costs heap, not call stack.
class ValueBuilder {
  public:
    enum class Failure { None, Fragment, NumberOverflow, UnpairedLowSurrogate, TooDeep };

    explicit ValueBuilder(bool fragmentsAllowed) : m_fragmentsAllowed(fragmentsAllowed) {}

    Failure failure() const { return m_failure; }
    Value takeRoot() { return std::move(m_root); }

    bool Null() { return add(Value::null()); }
    bool Bool(bool value) { return add(Value(value)); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        const std::optional<Number> number = parseNumber(std::string_view(text, length));
        return number ? add(Value(*number)) : fail(Failure::NumberOverflow);
    }
    // Numbers arrive as text (RawNumber), so the reader never calls these.
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(int64_t) { return false; }
    bool Uint64(uint64_t) { return false; }
    bool Double(double) { return false; }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        auto string = makeString(text, length);
        return string && add(Value(std::move(*string)));
    }
    bool Key(const char* text, rapidjson::SizeType length, bool) {
        auto key = makeString(text, length);
        if (!key) return false;
        m_keys.push_back(std::move(*key));
        return true;
    }
    bool StartObject() {
        if (m_stack.size() == JSONSerialization::kMaxReadingDepth) return fail(Failure::TooDeep);
        m_stack.emplace_back(Dictionary());
        return true;
    }
    bool EndObject(rapidjson::SizeType) { return closeContainer(); }
    bool StartArray() {
        if (m_stack.size() == JSONSerialization::kMaxReadingDepth) return fail(Failure::TooDeep);
        m_stack.emplace_back(Array());
        return true;
    }
    bool EndArray(rapidjson::SizeType) { return closeContainer(); }

  private:
    std::optional<ov::String> makeString(const char* text, rapidjson::SizeType length) {
        const std::string_view utf8(text, length);
        if (containsEncodedSurrogate(utf8)) {
            fail(Failure::UnpairedLowSurrogate);
            return std::nullopt;
        }
        return ov::String(utf8);
    }

    bool closeContainer() {
        Value container =
            std::visit([](auto& built) { return Value(std::move(built)); }, m_stack.back());
        m_stack.pop_back();
        return add(std::move(container));
    }

    bool add(Value value) {
        if (m_stack.empty()) {
            if (!m_fragmentsAllowed && !value.isArray() && !value.isDictionary()) {
                return fail(Failure::Fragment);
            }
            m_root = std::move(value);
            return true;
        }
        if (auto* array = std::get_if<Array>(&m_stack.back())) {
            array->addObject(std::move(value));
        } else {
            // setObject keeps a repeated key at its first position with the last value.
            std::get<Dictionary>(m_stack.back()).setObject(std::move(value), m_keys.back());
            m_keys.pop_back();
        }
        return true;
    }

    bool fail(Failure failure) {
        m_failure = failure;
        return false;
    }

    bool m_fragmentsAllowed;
    Failure m_failure = Failure::None;
    std::vector<std::variant<Array, Dictionary>> m_stack;
    std::vector<ov::String> m_keys;  // one per open dictionary awaiting its value
    Value m_root;
};

std::string stoppedReason(ValueBuilder::Failure failure, std::string_view text, size_t offset) {
    switch (failure) {
        case ValueBuilder::Failure::Fragment:
            return "JSON text did not start with array or object and option to allow fragments "
                   "not set.";
        case ValueBuilder::Failure::NumberOverflow:
            return "Number wound up as NaN " + around(text, offset);
        case ValueBuilder::Failure::UnpairedLowSurrogate:
            return "Unable to convert hex escape sequence (no high character) to UTF8-encoded "
                   "character " +
                   around(text, offset);
        case ValueBuilder::Failure::TooDeep:
            return "Too many nested arrays or dictionaries " + around(text, offset);
        case ValueBuilder::Failure::None:
            break;
    }
    return "Invalid value " + around(text, offset);
}

std::string syntaxReason(rapidjson::ParseErrorCode code, std::string_view text, size_t offset) {
    if (offset >= text.size()) return "Unexpected end of file during JSON parse.";
    const bool controlCharacter = static_cast<unsigned char>(text[offset]) < 0x20;
    switch (code) {
        case rapidjson::kParseErrorObjectMissName:
            return "No string key for value in object " + around(text, offset);
        case rapidjson::kParseErrorObjectMissColon:
        case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
            return "Badly formed object " + around(text, offset);
        case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
            return "Badly formed array " + around(text, offset);
        case rapidjson::kParseErrorStringMissQuotationMark:
        case rapidjson::kParseErrorStringEscapeInvalid:
            if (controlCharacter) return "Unescaped control character " + around(text, offset);
            return "Invalid escape sequence " + around(text, offset);
        case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
            return "Invalid escape sequence " + around(text, offset);
        case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
            return "Unable to convert hex escape sequence (no low character) to UTF8-encoded "
                   "character " +
                   around(text, offset);
        case rapidjson::kParseErrorStringInvalidEncoding:
            return "Unable to convert data to string " + around(text, offset);
        case rapidjson::kParseErrorNumberTooBig:
            return "Number wound up as NaN " + around(text, offset);
        default:
            return "Invalid value " + around(text, offset);
    }
}

// Shortest text that reads back the same; integral values get no fraction ("3"). Past the
// exactly representable integers, shortest digits padded with zeros would read back as another
// integer, so large values take an exponent.
template <class Floating>
std::string_view shortestText(char (&buffer)[64], Floating value) {
    constexpr Floating kExactIntegers = std::is_same_v<Floating, float> ? 0x1p24f : 0x1p53;
    const char* end =
        std::abs(value) >= kExactIntegers
            ? std::to_chars(buffer, buffer + 64, value, std::chars_format::scientific).ptr
            : std::to_chars(buffer, buffer + 64, value).ptr;
    return {buffer, static_cast<size_t>(end - buffer)};
}

// Appends to a byte vector that becomes the Data without a copy.
class ByteSink {
  public:
    void put(char c) { m_bytes.push_back(static_cast<uint8_t>(c)); }
    void append(std::string_view text) { m_bytes.insert(m_bytes.end(), text.begin(), text.end()); }
    Data take() { return Data(std::move(m_bytes)); }

  private:
    std::vector<uint8_t> m_bytes;
};

// Validates without producing output, for isValidJSONObject.
struct DiscardSink {
    void put(char) {}
    void append(std::string_view) {}
};

template <class Sink>
class JsonWriter {
  public:
    JsonWriter(Sink& sink, const JSONWritingOptions& options) : m_sink(sink), m_options(options) {}

    std::optional<Error> write(const Value& root) {
        Value top = root;
        if (auto failure = resolveProxy(top)) return failure;
        if (!m_options.fragmentsAllowed && !top.isArray() && !top.isDictionary()) {
            return writeError("Invalid top-level type in JSON write");
        }
        if (auto failure = writeResolved(top)) return failure;
        while (!m_stack.empty()) {
            if (auto failure = writeNextElement()) return failure;
        }
        return std::nullopt;
    }

  private:
    static constexpr size_t kUnsorted = SIZE_MAX;

    // One open container. It holds its own Value so that a proxy's result stays alive.
    struct Frame {
        Value container;
        size_t count = 0;
        size_t next = 0;
        size_t sortedFrom = kUnsorted;  // where this dictionary's key order starts in m_order
    };

    static std::string invalidType(const Value& value) {
        std::string name = "nil";
        if (value.isData()) name = "NSConcreteData";
        if (value.isDate()) name = "__NSDate";
        if (const auto* object = value.ifObject()) name = (*object)->className().toUtf8();
        return "Invalid type in JSON write (" + name + ")";
    }

    // An object stands in JSON through its proxy; one without a usable proxy cannot be written.
    static std::optional<Error> resolveProxy(Value& value) {
        const auto* object = value.ifObject();
        if (!object) return std::nullopt;
        Value proxy = (*object)->proxyForJson();
        if (proxy.isAbsent() || proxy.isObject()) return writeError(invalidType(value));
        value = std::move(proxy);
        return std::nullopt;
    }

    std::optional<Error> writeNextElement() {
        Frame& frame = m_stack.back();
        if (frame.next == frame.count) {
            closeContainer();
            return std::nullopt;
        }
        const size_t index = frame.next++;
        if (index > 0) m_sink.put(',');
        if (m_options.prettyPrinted) {
            if (index > 0) m_sink.put('\n');
            indent(m_stack.size());
        }
        if (const auto* array = frame.container.ifArray()) {
            return writeValue(array->objectAtIndex(index));
        }
        const auto& entries = *frame.container.ifDictionary();
        const size_t position =
            frame.sortedFrom == kUnsorted ? index : m_order[frame.sortedFrom + index];
        const auto& [key, value] = *(entries.begin() + static_cast<std::ptrdiff_t>(position));
        writeString(key);
        m_sink.append(m_options.prettyPrinted ? " : " : ":");
        return writeValue(value);
    }

    std::optional<Error> writeValue(const Value& value) {
        if (!value.isObject()) return writeResolved(value);
        Value proxy = value;
        if (auto failure = resolveProxy(proxy)) return failure;
        return writeResolved(proxy);
    }

    std::optional<Error> writeResolved(const Value& value) {
        switch (value.kind()) {
            case Value::Kind::Array:
            case Value::Kind::Dictionary:
                openContainer(value);
                return std::nullopt;
            case Value::Kind::String:
                writeString(*value.ifString());
                return std::nullopt;
            case Value::Kind::Number:
                return writeNumber(*value.ifNumber());
            case Value::Kind::Decimal:
                m_sink.append(value.ifDecimal()->toString());
                return std::nullopt;
            case Value::Kind::Boolean:
                m_sink.append(*value.ifBool() ? "true" : "false");
                return std::nullopt;
            case Value::Kind::Null:
                m_sink.append("null");
                return std::nullopt;
            default:
                return writeError(invalidType(value));
        }
    }

    void openContainer(Value container) {
        Frame frame;
        if (const auto* array = container.ifArray()) {
            frame.count = array->count();
            m_sink.put('[');
        } else {
            const auto& entries = *container.ifDictionary();
            frame.count = entries.count();
            if (m_options.sortedKeys) frame.sortedFrom = appendSortedPositions(entries);
            m_sink.put('{');
        }
        if (m_options.prettyPrinted) m_sink.put('\n');
        frame.container = std::move(container);
        m_stack.push_back(std::move(frame));
    }

    void closeContainer() {
        const bool isArray = m_stack.back().container.isArray();
        if (m_stack.back().sortedFrom != kUnsorted) m_order.resize(m_stack.back().sortedFrom);
        m_stack.pop_back();
        if (m_options.prettyPrinted) {
            m_sink.put('\n');
            indent(m_stack.size());
        }
        m_sink.put(isArray ? ']' : '}');
    }

    size_t appendSortedPositions(const Dictionary& entries) {
        const size_t from = m_order.size();
        m_order.resize(from + entries.count());
        const auto order = m_order.begin() + static_cast<std::ptrdiff_t>(from);
        std::iota(order, m_order.end(), size_t{0});
        const auto keyAt = [&](size_t position) -> const ov::String& {
            return (entries.begin() + static_cast<std::ptrdiff_t>(position))->first;
        };
        std::sort(order, m_order.end(),
                  [&](size_t left, size_t right) { return keyAt(left) < keyAt(right); });
        return from;
    }

    void indent(size_t level) {
        for (size_t i = 0; i < level; ++i)
            m_sink.append("  ");
    }

    std::optional<Error> writeNumber(const Number& number) {
        char buffer[64];
        if (!number.isFloatingPoint()) {
            const auto written =
                number.isUnsigned()
                    ? std::to_chars(buffer, buffer + sizeof buffer, number.unsignedLongLongValue())
                    : std::to_chars(buffer, buffer + sizeof buffer, number.longLongValue());
            m_sink.append(std::string_view(buffer, static_cast<size_t>(written.ptr - buffer)));
            return std::nullopt;
        }
        const double value = number.doubleValue();
        if (std::isnan(value)) return writeError("Invalid number value (NaN) in JSON write");
        if (std::isinf(value)) return writeError("Invalid number value (infinite) in JSON write");
        m_sink.append(number.type() == Number::Type::Float
                          ? shortestText(buffer, static_cast<float>(value))
                          : shortestText(buffer, value));
        return std::nullopt;
    }

    void writeString(const ov::String& string) {
        static constexpr char kHex[] = "0123456789abcdef";
        const std::u16string_view units = string.utf16();
        m_sink.put('"');
        for (size_t i = 0; i < units.size(); ++i) {
            char32_t c = units[i];
            switch (c) {
                case '"':
                    m_sink.append("\\\"");
                    continue;
                case '\\':
                    m_sink.append("\\\\");
                    continue;
                case '/':
                    m_sink.append("\\/");
                    continue;
                case '\n':
                    m_sink.append("\\n");
                    continue;
                case '\r':
                    m_sink.append("\\r");
                    continue;
                case '\t':
                    m_sink.append("\\t");
                    continue;
                case '\b':
                    m_sink.append("\\b");
                    continue;
                case '\f':
                    m_sink.append("\\f");
                    continue;
                default:
                    break;
            }
            if (c < 0x20) {
                const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
                m_sink.append(std::string_view(escape, sizeof escape));
                continue;
            }
            if (c >= 0xD800 && c <= 0xDFFF) {
                const bool paired = c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                                    units[i + 1] <= 0xDFFF;
                c = paired ? 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00) : 0xFFFD;
            }
            writeUtf8(c);
        }
        m_sink.put('"');
    }

    void writeUtf8(char32_t c) {
        if (c < 0x80) {
            m_sink.put(static_cast<char>(c));
        } else if (c < 0x800) {
            m_sink.put(static_cast<char>(0xC0 | (c >> 6)));
            m_sink.put(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            m_sink.put(static_cast<char>(0xE0 | (c >> 12)));
            m_sink.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            m_sink.put(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            m_sink.put(static_cast<char>(0xF0 | (c >> 18)));
            m_sink.put(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            m_sink.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            m_sink.put(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }

    Sink& m_sink;
    const JSONWritingOptions& m_options;
    std::vector<Frame> m_stack;
    std::vector<size_t> m_order;  // key orders of the open sorted dictionaries, innermost last
};

}  // namespace

Result<Value> JSONSerialization::JSONObjectWithData(const Data& data, JSONReadingOptions options) {
    if (data.isEmpty()) return readError("Unable to parse empty data.");
    std::string_view text = data.view();
    if (hasWideByteOrderMark(text)) {
        return readError("Unable to convert data to string " + around(text, 0));
    }
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

    // The reader stops after the top value; the rest is checked here because the memory
    // stream reports a NUL byte as the end of input. Numbers come as text for from_chars:
    // RapidJSON's own full-precision conversion trips an assertion on some huge values.
    constexpr unsigned kFlags =
        rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag |
        rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseStopWhenDoneFlag;
    rapidjson::MemoryStream stream(text.data(), text.size());
    ValueBuilder builder(options.fragmentsAllowed);
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<kFlags>(stream, builder);
    if (result.IsError()) {
        if (result.Code() == rapidjson::kParseErrorTermination) {
            return readError(stoppedReason(builder.failure(), text, result.Offset()));
        }
        return readError(syntaxReason(result.Code(), text, result.Offset()));
    }
    size_t end = stream.Tell();
    while (end < text.size() && isJsonWhitespace(text[end]))
        ++end;
    if (end < text.size()) return readError("Garbage at end " + around(text, end));
    return builder.takeRoot();
}

Result<Data> JSONSerialization::dataWithJSONObject(const Value& value, JSONWritingOptions options) {
    ByteSink sink;
    if (auto failure = JsonWriter<ByteSink>(sink, options).write(value)) return *failure;
    return sink.take();
}

bool JSONSerialization::isValidJSONObject(const Value& value) {
    DiscardSink sink;
    return !JsonWriter<DiscardSink>(sink, JSONWritingOptions{}).write(value).has_value();
}

}  // namespace ov
