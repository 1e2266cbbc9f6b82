#include "VCardFormat.h"

#include "orvane/platform/contacts/CNLabeledValue.h"
#include "orvane/platform/contacts/CNPhoneNumber.h"
#include "orvane/platform/values/Utf8.h"

namespace ov::vcard {
namespace {

struct LabelType {
    std::string_view property;
    const char* label;
    std::string_view type;
};
// Reading takes the first label listed for a type.
const LabelType kLabelTypes[] = {
    {"TEL", CNLabelPhoneNumberMobile, "cell"},
    {"TEL", CNLabelPhoneNumberiPhone, "cell"},
    {"TEL", CNLabelHome, "home"},
    {"TEL", CNLabelWork, "work"},
    {"EMAIL", CNLabelHome, "home"},
    {"EMAIL", CNLabelWork, "work"},
    {"URL", CNLabelHome, "home"},
    {"URL", CNLabelWork, "work"},
};

}  // namespace

std::string escapeText(const String& text) {
    const std::string utf8 = text.toUtf8();
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            // A CRLF pair is one line break.
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

String unescapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += (next == 'n' || next == 'N') ? '\n' : next;
    }
    return String(out);
}

std::vector<String> components(std::string_view value) {
    std::vector<String> parts;
    size_t start = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\') {
            ++i;
        } else if (value[i] == ';') {
            parts.push_back(unescapeText(value.substr(start, i - start)));
            start = i + 1;
        }
    }
    parts.push_back(unescapeText(value.substr(start)));
    return parts;
}

std::string quoteParameter(const String& text) {
    std::string out = "\"";
    for (char c : text.toUtf8()) {
        if (c == '^') {
            out += "^^";
        } else if (c == '"') {
            out += "^'";
        } else if (c == '\n') {
            out += "^n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out + "\"";
}

String unquoteParameter(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '^' || next == '\'' || next == 'n') {
                out += next == '^' ? '^' : next == '\'' ? '"' : '\n';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return String(out);
}

void appendFolded(std::string& out, std::string_view line) {
    size_t room = kLineLength;
    while (line.size() > room) {
        size_t cut = room;
        while (cut > 0 && isUtf8Continuation(static_cast<unsigned char>(line[cut])))
            --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        // The leading space of a continuation line counts.
        room = kLineLength - 1;
    }
    out.append(line);
    out += "\r\n";
}

std::optional<std::string_view> typeForLabel(std::string_view property, const String& label) {
    for (const LabelType& entry : kLabelTypes) {
        if (entry.property == property && label == String(entry.label)) return entry.type;
    }
    return std::nullopt;
}

String labelForType(std::string_view property, std::string_view lowercaseType) {
    for (const LabelType& entry : kLabelTypes) {
        if (entry.property == property && entry.type == lowercaseType) return String(entry.label);
    }
    return {};
}

bool representableBirthday(const DateComponents& birthday) {
    const auto within = [](const std::optional<long>& part, long low, long high) {
        return !part || (*part >= low && *part <= high);
    };
    // vCard has no form for a year and a day without their month.
    if (birthday.year && birthday.day && !birthday.month) return false;
    return (birthday.year || birthday.month || birthday.day) && within(birthday.year, 0, 9999) &&
           within(birthday.month, 1, 12) && within(birthday.day, 1, 31);
}

}  // namespace ov::vcard
