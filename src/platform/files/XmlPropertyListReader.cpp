#include "platform/files/XmlPropertyListReader.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/text/Base64.h"
#include "orvane/platform/values/Utf8.h"
#include "platform/files/PropertyListDate.h"
#include "platform/files/PropertyListError.h"
#include "platform/files/PropertyListNumbers.h"

namespace ov::plist {
namespace {

constexpr std::string_view kWhitespace = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isWhitespace(char character) {
    return kWhitespace.find(character) != std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const size_t start = text.find_first_not_of(kWhitespace);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(kWhitespace) - start + 1);
}

// Decimal or "0x" hexadecimal, with an optional sign; none outside 64 bits.
std::optional<Value> integerFrom(std::string_view text) {
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (!negative) return integerValue(magnitude);
    if (magnitude > uint64_t{1} << 63) return std::nullopt;
    return Value(static_cast<long long>(0 - magnitude));
}

// Decimal, "nan" and "[+-]inf[inity]" in any case, independent of the C locale.
std::optional<Value> realFrom(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return Value(value);
}

std::optional<Value> dataFrom(std::string_view text) {
    std::string compact;
    for (const char character : text) {
        if (!isWhitespace(character)) compact += character;
    }
    while (compact.size() % 4 != 0)
        compact += '=';
    auto bytes = base64Decoded(String(compact));
    if (!bytes) return std::nullopt;
    return Value(std::move(*bytes));
}

std::optional<Value> dateFrom(std::string_view text) {
    const auto seconds = secondsFromXmlDate(trimmed(text));
    if (!seconds) return std::nullopt;
    return Value(Date::dateWithTimeIntervalSinceReferenceDate(*seconds));
}

using ScalarParser = std::optional<Value> (*)(std::string_view);
constexpr std::pair<std::string_view, ScalarParser> kScalars[] = {
    {"integer", integerFrom}, {"real", realFrom}, {"date", dateFrom}, {"data", dataFrom}};

class XmlReader {
  public:
    explicit XmlReader(std::string_view text) : m_text(text) {}

    Result<Value> read() {
        if (m_text.starts_with(kByteOrderMark)) m_position = kByteOrderMark.size();
        auto value = document();
        if (!value) return readError(m_failure);
        return std::move(*value);
    }

  private:
    struct Tag {
        std::string_view name;
        bool selfClosing = false;
    };

    std::optional<Value> document() {
        auto tag = nextTag();
        if (!tag) return std::nullopt;
        std::optional<Value> value;
        if (tag->name == "plist") {
            if (tag->selfClosing) return fail("empty plist");
            auto inner = nextTag();
            if (!inner || !(value = element(*inner, 0)) || !skipMarkup() || !closeTag("plist"))
                return fail("plist without exactly one value");
        } else if (!(value = element(*tag, 0))) {
            return std::nullopt;
        }
        if (!skipMarkup() || m_position != m_text.size()) return fail("text after the plist");
        return value;
    }

    std::optional<Value> element(const Tag& tag, size_t depth) {
        if (depth >= PropertyListSerialization::kMaxDepth) return fail("plist nested too deeply");
        const std::string_view name = tag.name;
        if (name == "dict") return tag.selfClosing ? Value(Dictionary()) : dictionary(depth);
        if (name == "array") return tag.selfClosing ? Value(Array()) : array(depth);
        if (name == "true" || name == "false") {
            if (!tag.selfClosing && !trimmedContent(name)) return std::nullopt;
            return Value(name == "true");
        }
        if (name == "string" || name == "key") return string(tag);
        for (const auto& [scalarName, parse] : kScalars) {
            if (name == scalarName) return scalar(tag, parse);
        }
        return fail("unknown element " + std::string(name));
    }

    // An empty element reads as empty text, which only data accepts.
    std::optional<Value> scalar(const Tag& tag, ScalarParser parse) {
        std::optional<std::string> text = std::string();
        if (!tag.selfClosing && !(text = content(tag.name))) return std::nullopt;
        auto value = parse(*text);
        if (!value) return fail("bad " + std::string(tag.name));
        return value;
    }

    std::optional<Value> string(const Tag& tag) {
        if (tag.selfClosing) return Value(String());
        const auto text = content(tag.name);
        if (!text) return std::nullopt;
        auto decoded = String::fromUtf8(*text);
        if (!decoded) return fail("text is not UTF-8");
        return Value(std::move(*decoded));
    }

    std::optional<Value> array(size_t depth) {
        Array items;
        for (;;) {
            if (!skipMarkup()) return std::nullopt;
            if (atClosingTag())
                return closeTag("array") ? std::optional<Value>(std::move(items)) : std::nullopt;
            auto tag = nextTag();
            if (!tag) return std::nullopt;
            auto item = element(*tag, depth + 1);
            if (!item) return std::nullopt;
            items.addObject(std::move(*item));
        }
    }

    std::optional<Value> dictionary(size_t depth) {
        std::vector<Dictionary::Entry> entries;
        for (;;) {
            if (!skipMarkup()) return std::nullopt;
            if (atClosingTag()) {
                if (!closeTag("dict")) return std::nullopt;
                return Value(Dictionary::fromEntries(std::move(entries)));
            }
            auto keyTag = nextTag();
            if (!keyTag) return std::nullopt;
            if (keyTag->name != "key") return fail("dict entry without a key");
            auto key = string(*keyTag);
            if (!key) return std::nullopt;
            auto valueTag = nextTag();
            if (!valueTag) return std::nullopt;
            if (valueTag->name == "key") return fail("key without a value");
            auto item = element(*valueTag, depth + 1);
            if (!item) return std::nullopt;
            entries.emplace_back(key->asString(), std::move(*item));
        }
    }

    // The text up to the element's closing tag, with entities, CDATA and comments resolved.
    std::optional<std::string> content(std::string_view name) {
        std::string text;
        for (;;) {
            const size_t special = m_text.find_first_of(std::string_view("&<\0", 3), m_position);
            if (special == std::string_view::npos) return fail("unterminated " + std::string(name));
            text.append(m_text.substr(m_position, special - m_position));
            m_position = special;
            if (m_text[special] == '\0') return fail("U+0000 in text");
            if (m_text[special] == '&') {
                if (!entity(text)) return std::nullopt;
            } else if (rest().starts_with("<![CDATA[")) {
                if (!skipPast("<![CDATA[", "]]>", &text)) return std::nullopt;
            } else if (rest().starts_with("<!--") || rest().starts_with("<?")) {
                if (!skipMarkupItem()) return std::nullopt;
            } else {
                if (!closeTag(name)) return fail("element inside " + std::string(name));
                return text;
            }
        }
    }

    std::optional<std::string> trimmedContent(std::string_view name) {
        auto text = content(name);
        if (text && !trimmed(*text).empty()) return fail("text inside " + std::string(name));
        return text;
    }

    // Appends the character an entity reference at the position stands for.
    bool entity(std::string& text) {
        const size_t end = m_text.find(';', m_position);
        if (end == std::string_view::npos) return failed("unterminated entity");
        const std::string_view name = m_text.substr(m_position + 1, end - m_position - 1);
        m_position = end + 1;
        static constexpr std::pair<std::string_view, char> kNamed[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [entityName, character] : kNamed) {
            if (name == entityName) {
                text += character;
                return true;
            }
        }
        const auto codePoint = characterReference(name);
        if (!codePoint) return failed("unknown entity &" + std::string(name) + ";");
        char bytes[4];
        text.append(bytes, encodeUtf8(*codePoint, bytes));
        return true;
    }

    // "#65" or "#x41"; none for U+0000, surrogates and anything past U+10FFFF.
    static std::optional<char32_t> characterReference(std::string_view name) {
        if (!name.starts_with('#')) return std::nullopt;
        name.remove_prefix(1);
        int base = 10;
        if (name.starts_with('x')) {
            base = 16;
            name.remove_prefix(1);
        }
        uint32_t codePoint = 0;
        const auto [end, error] =
            std::from_chars(name.data(), name.data() + name.size(), codePoint, base);
        if (name.empty() || error != std::errc() || end != name.data() + name.size())
            return std::nullopt;
        if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return std::nullopt;
        return codePoint;
    }

    // Moves past the next element's start tag, skipping what may come before it.
    std::optional<Tag> nextTag() {
        if (!skipMarkup()) return std::nullopt;
        if (!rest().starts_with('<') || atClosingTag()) return fail("expected an element");
        const size_t nameStart = m_position + 1;
        size_t nameEnd = nameStart;
        while (nameEnd < m_text.size() && !isWhitespace(m_text[nameEnd]) &&
               m_text[nameEnd] != '/' && m_text[nameEnd] != '>')
            ++nameEnd;
        Tag tag{m_text.substr(nameStart, nameEnd - nameStart)};
        // Attributes are skipped, quoted values included.
        char quote = '\0';
        for (size_t position = nameEnd; position < m_text.size(); ++position) {
            const char character = m_text[position];
            if (quote) {
                if (character == quote) quote = '\0';
            } else if (character == '"' || character == '\'') {
                quote = character;
            } else if (character == '<') {
                break;
            } else if (character == '>') {
                tag.selfClosing = m_text[position - 1] == '/';
                m_position = position + 1;
                if (tag.name.empty()) return fail("element without a name");
                return tag;
            }
        }
        return fail("unterminated tag");
    }

    bool atClosingTag() const { return rest().starts_with("</"); }

    bool closeTag(std::string_view name) {
        if (!atClosingTag() || !rest().substr(2).starts_with(name)) return failed("mismatched tag");
        m_position += 2 + name.size();
        while (m_position < m_text.size() && isWhitespace(m_text[m_position]))
            ++m_position;
        if (!rest().starts_with('>')) return failed("mismatched tag");
        ++m_position;
        return true;
    }

    // Skips whitespace, comments, processing instructions and declarations such as DOCTYPE.
    bool skipMarkup() {
        for (;;) {
            while (m_position < m_text.size() && isWhitespace(m_text[m_position]))
                ++m_position;
            const std::string_view here = rest();
            if (!here.starts_with("<?") && !here.starts_with("<!")) return true;
            if (here.starts_with("<![CDATA[")) return failed("CDATA outside text");
            if (!skipMarkupItem()) return false;
        }
    }

    bool skipMarkupItem() {
        if (rest().starts_with("<!--")) return skipPast("<!--", "-->");
        if (rest().starts_with("<?")) return skipPast("<?", "?>");
        return skipDeclaration();
    }

    // "<!DOCTYPE ...>", stepping over quoted text and an internal subset in brackets.
    bool skipDeclaration() {
        char quote = '\0';
        int brackets = 0;
        for (size_t position = m_position + 2; position < m_text.size(); ++position) {
            const char character = m_text[position];
            if (quote) {
                if (character == quote) quote = '\0';
            } else if (character == '"' || character == '\'') {
                quote = character;
            } else if (character == '[') {
                ++brackets;
            } else if (character == ']') {
                --brackets;
            } else if (character == '>' && brackets <= 0) {
                m_position = position + 1;
                return true;
            }
        }
        return failed("unterminated declaration");
    }

    // Moves past `terminator`, appending what lies between to `inside` when given.
    bool skipPast(std::string_view opener, std::string_view terminator,
                  std::string* inside = nullptr) {
        const size_t start = m_position + opener.size();
        const size_t end = m_text.find(terminator, start);
        if (end == std::string_view::npos) return failed("unterminated " + std::string(opener));
        if (inside) inside->append(m_text.substr(start, end - start));
        m_position = end + terminator.size();
        return true;
    }

    std::string_view rest() const { return m_text.substr(m_position); }

    std::nullopt_t fail(std::string reason) {
        if (m_failure.empty()) m_failure = std::move(reason);
        return std::nullopt;
    }
    bool failed(std::string reason) {
        fail(std::move(reason));
        return false;
    }

    std::string_view m_text;
    size_t m_position = 0;
    std::string m_failure;
};

}  // namespace

Result<Value> readXmlPropertyList(std::string_view text) {
    return XmlReader(text).read();
}

}  // namespace ov::plist
