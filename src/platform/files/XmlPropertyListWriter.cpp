#include "platform/files/XmlPropertyListWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

constexpr const char* kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";
// Base64 lines are this wide at the top and eight narrower per tab, down to eight tabs.
constexpr size_t kDataLineWidth = 76;
constexpr size_t kDataTabWidth = 8;
constexpr size_t kDataMaxTabs = 8;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Seventeen significant digits, so that every double reads back the same.
std::string realText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "+infinity" : "-infinity";
    if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    return std::string(text, end.ptr);
}

std::string integerText(const Number& number) {
    char text[24];
    const auto beyond = unsignedBeyondSigned(number);
    const auto end = beyond ? std::to_chars(text, text + sizeof text, *beyond)
                            : std::to_chars(text, text + sizeof text, number.longLongValue());
    return std::string(text, end.ptr);
}

class XmlWriter {
  public:
    std::optional<Error> write(const Value& value, size_t depth) {
        if (depth >= PropertyListSerialization::kMaxDepth) return writeError("nested too deeply");
        switch (value.kind()) {
            case Value::Kind::Boolean:
                return line(depth, value.asBool() ? "<true/>" : "<false/>");
            case Value::Kind::Number:
                if (value.asNumber().isFloatingPoint())
                    return element(depth, "real", realText(value.asNumber().doubleValue()));
                return element(depth, "integer", integerText(value.asNumber()));
            case Value::Kind::Decimal:
                return element(depth, "real", realText(value.ifDecimal()->doubleValue()));
            case Value::Kind::String:
                return textElement(depth, "string", value.asString());
            case Value::Kind::Data:
                return data(depth, value.asData());
            case Value::Kind::Date:
                return date(depth, *value.ifDate());
            case Value::Kind::Array:
                return array(depth, value.asArray());
            case Value::Kind::Dictionary:
                return dictionary(depth, value.asDictionary());
            default:
                return unwritableError(value);
        }
    }

    std::string& text() { return m_text; }

  private:
    void indent(size_t depth) { m_text.append(depth, '\t'); }

    std::optional<Error> line(size_t depth, std::string_view content) {
        indent(depth);
        m_text.append(content);
        m_text += '\n';
        return std::nullopt;
    }

    std::optional<Error> element(size_t depth, std::string_view name, std::string_view content) {
        indent(depth);
        m_text.append("<").append(name).append(">").append(content);
        m_text.append("</").append(name).append(">\n");
        return std::nullopt;
    }

    std::optional<Error> textElement(size_t depth, std::string_view name, const String& content) {
        indent(depth);
        m_text.append("<").append(name).append(">");
        if (auto failure = appendEscaped(content)) return failure;
        m_text.append("</").append(name).append(">\n");
        return std::nullopt;
    }

    // UTF-8 with &, < and > escaped, as the platform writes text.
    std::optional<Error> appendEscaped(const String& text) {
        const std::u16string_view units = text.utf16();
        for (size_t i = 0; i < units.size(); ++i) {
            char32_t codePoint = units[i];
            if (codePoint == 0) return writeError("string holds U+0000, which XML cannot");
            if (isHighSurrogate(units[i]) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[++i] - 0xDC00);
            } else if (isHighSurrogate(units[i]) || isLowSurrogate(units[i])) {
                return writeError("string holds an unpaired surrogate, which XML cannot");
            }
            if (codePoint == '&') {
                m_text += "&amp;";
            } else if (codePoint == '<') {
                m_text += "&lt;";
            } else if (codePoint == '>') {
                m_text += "&gt;";
            } else {
                char bytes[4];
                m_text.append(bytes, encodeUtf8(codePoint, bytes));
            }
        }
        return std::nullopt;
    }

    std::optional<Error> data(size_t depth, const Data& bytes) {
        line(depth, "<data>");
        const std::string encoded = base64Encoded(bytes).toUtf8();
        const size_t tabs = std::min(depth, kDataMaxTabs);
        const size_t width = kDataLineWidth - kDataTabWidth * tabs;
        for (size_t start = 0; start < encoded.size(); start += width)
            line(tabs, std::string_view(encoded).substr(start, width));
        return line(depth, "</data>");
    }

    std::optional<Error> date(size_t depth, const Date& moment) {
        const auto text = xmlDateText(moment.timeIntervalSinceReferenceDate());
        if (!text) return writeError("date outside the years 0001 to 9999");
        return element(depth, "date", *text);
    }

    std::optional<Error> array(size_t depth, const Array& items) {
        if (items.isEmpty()) return line(depth, "<array/>");
        line(depth, "<array>");
        for (const Value& item : items) {
            if (auto failure = write(item, depth + 1)) return failure;
        }
        return line(depth, "</array>");
    }

    std::optional<Error> dictionary(size_t depth, const Dictionary& entries) {
        if (entries.isEmpty()) return line(depth, "<dict/>");
        line(depth, "<dict>");
        for (const auto& [key, item] : entries) {
            if (auto failure = textElement(depth + 1, "key", key)) return failure;
            if (auto failure = write(item, depth + 1)) return failure;
        }
        return line(depth, "</dict>");
    }

    std::string m_text = kHeader;
};

}  // namespace

Result<Data> writeXmlPropertyList(const Value& value) {
    XmlWriter writer;
    if (auto failure = writer.write(value, 0)) return *failure;
    writer.text() += "</plist>\n";
    return Data::fromString(writer.text());
}

}  // namespace ov::plist
