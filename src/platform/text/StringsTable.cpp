#include "orvane/platform/text/StringsTable.h"

#include <fstream>
#include <iterator>
#include <string>

namespace ov {

namespace {

constexpr long long kPropertyListReadCorruptError = 3840;
constexpr long long kFileReadNoSuchFileError = 260;

Error corrupt(const std::string& reason) {
    return Error(NSCocoaErrorDomain, kPropertyListReadCorruptError,
                 Dictionary{{NSDebugDescriptionErrorKey, String(reason)}});
}

std::optional<std::u16string> decodeUtf16(const uint8_t* bytes, size_t length, bool bigEndian) {
    if (length % 2 != 0) return std::nullopt;
    std::u16string units;
    units.reserve(length / 2);
    for (size_t i = 0; i < length; i += 2) {
        const uint8_t high = bigEndian ? bytes[i] : bytes[i + 1];
        const uint8_t low = bigEndian ? bytes[i + 1] : bytes[i];
        units.push_back(static_cast<char16_t>(high << 8 | low));
    }
    return units;
}

std::optional<std::u16string> decode(const Data& data) {
    const uint8_t* bytes = data.bytes();
    const size_t length = data.length();
    if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return decodeUtf16(bytes + 2, length - 2, true);
    }
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return decodeUtf16(bytes + 2, length - 2, false);
    }
    // Without a byte-order mark, ASCII text in UTF-16 starts with a zero byte on one side.
    if (length >= 2 && bytes[0] == 0 && bytes[1] != 0) return decodeUtf16(bytes, length, true);
    if (length >= 2 && bytes[0] != 0 && bytes[1] == 0) return decodeUtf16(bytes, length, false);
    std::string_view text = data.view();
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    auto string = String::fromUtf8(text);
    if (!string) return std::nullopt;
    return std::u16string(string->utf16());
}

bool isUnquotedCharacter(char16_t unit) {
    return (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') ||
           (unit >= '0' && unit <= '9') || unit == '_' || unit == '$' || unit == '+' ||
           unit == '/' || unit == ':' || unit == '.' || unit == '-';
}

int hexDigit(char16_t unit) {
    if (unit >= '0' && unit <= '9') return unit - '0';
    if (unit >= 'a' && unit <= 'f') return unit - 'a' + 10;
    if (unit >= 'A' && unit <= 'F') return unit - 'A' + 10;
    return -1;
}

class Parser {
  public:
    explicit Parser(const std::u16string& text) : m_text(text) {}

    Result<Dictionary> parse() {
        Dictionary table;
        if (!skipSpace()) return failure("Unterminated comment");
        const bool braced = peek() == '{';
        if (braced) ++m_position;
        while (true) {
            if (!skipSpace()) return failure("Unterminated comment");
            if (atEnd()) break;
            if (braced && peek() == '}') {
                ++m_position;
                if (!skipSpace()) return failure("Unterminated comment");
                if (!atEnd()) return failure("Junk after the closing brace");
                return table;
            }
            auto key = readString();
            if (!key) return failure("Expected a quoted or unquoted string");
            if (!skipSpace()) return failure("Unterminated comment");
            String value = *key;
            if (peek() == '=') {
                ++m_position;
                if (!skipSpace()) return failure("Unterminated comment");
                auto read = readString();
                if (!read) return failure("Expected a value after '='");
                value = *read;
                if (!skipSpace()) return failure("Unterminated comment");
            }
            if (peek() != ';') return failure("Missing ';'");
            ++m_position;
            table.setObject(value, *key);
        }
        if (braced) return failure("Missing closing brace");
        return table;
    }

  private:
    bool atEnd() const { return m_position >= m_text.size(); }
    char16_t peek(size_t ahead = 0) const {
        return m_position + ahead < m_text.size() ? m_text[m_position + ahead] : u'\0';
    }
    char16_t next() {
        const char16_t unit = m_text[m_position++];
        if (unit == '\n') ++m_line;
        return unit;
    }

    Error failure(const char* reason) const {
        return corrupt(std::string(reason) + " at line " + std::to_string(m_line));
    }

    // False for a block comment that never ends.
    bool skipSpace() {
        while (!atEnd()) {
            const char16_t unit = peek();
            if (unit == ' ' || unit == '\t' || unit == '\r' || unit == '\n' || unit == 0xFEFF) {
                next();
            } else if (unit == '/' && peek(1) == '/') {
                while (!atEnd() && peek() != '\n')
                    next();
            } else if (unit == '/' && peek(1) == '*') {
                m_position += 2;
                while (!(peek() == '*' && peek(1) == '/')) {
                    if (atEnd()) return false;
                    next();
                }
                m_position += 2;
            } else {
                break;
            }
        }
        return true;
    }

    std::optional<String> readString() {
        if (peek() == '"') return readQuoted();
        const size_t start = m_position;
        while (!atEnd() && isUnquotedCharacter(peek()))
            ++m_position;
        if (m_position == start) return std::nullopt;
        return String(m_text.substr(start, m_position - start));
    }

    std::optional<String> readQuoted() {
        ++m_position;
        std::u16string units;
        while (!atEnd()) {
            const char16_t unit = next();
            if (unit == '"') return String(std::move(units));
            if (unit != '\\') {
                units.push_back(unit);
            } else if (atEnd()) {
                break;
            } else {
                units.push_back(readEscape());
            }
        }
        return std::nullopt;
    }

    char16_t readEscape() {
        const char16_t unit = next();
        switch (unit) {
            case 'a':
                return u'\a';
            case 'b':
                return u'\b';
            case 'f':
                return u'\f';
            case 'n':
                return u'\n';
            case 'r':
                return u'\r';
            case 't':
                return u'\t';
            case 'v':
                return u'\v';
            case 'U':
            case 'u':
                return readDigits(16, 4, 0);
            default:
                break;
        }
        if (unit >= '0' && unit <= '7') return readDigits(8, 2, unit - '0');
        return unit;
    }

    // Up to `count` more digits of `base` after an accumulated `value`.
    char16_t readDigits(int base, int count, int value) {
        for (int i = 0; i < count; ++i) {
            const int digit = hexDigit(peek());
            if (digit < 0 || digit >= base) break;
            value = value * base + digit;
            ++m_position;
        }
        return static_cast<char16_t>(value);
    }

    const std::u16string& m_text;
    size_t m_position = 0;
    size_t m_line = 1;
};

}  // namespace

Result<Dictionary> StringsTable::parse(const Data& data) {
    const auto text = decode(data);
    if (!text) return corrupt("The text is neither UTF-8 nor UTF-16");
    return Parser(*text).parse();
}

Result<Dictionary> StringsTable::parseFile(const String& path) {
    std::ifstream file(path.toUtf8(), std::ios::binary);
    if (!file) {
        return Error(NSCocoaErrorDomain, kFileReadNoSuchFileError,
                     Dictionary{{NSDebugDescriptionErrorKey, "No such file: " + path}});
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    return parse(Data(std::move(bytes)));
}

}  // namespace ov
