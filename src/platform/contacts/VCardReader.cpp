// Reading vCard 4.0 and 3.0 text into contacts.
#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "VCardFormat.h"
#include "orvane/platform/contacts/CNContactVCardSerialization.h"
#include "orvane/platform/contacts/CNError.h"
#include "orvane/platform/text/Base64.h"

namespace ov {
namespace {

struct Parameter {
    std::string name;  // upper case
    std::string_view value;
};

struct ContentLine {
    std::string group;  // upper case; empty for none
    std::string name;   // upper case
    std::vector<Parameter> parameters;
    std::string_view value;
};

struct LogicalLine {
    std::string text;
    size_t number;  // of the physical line it starts on, from 1
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

Error malformed(size_t line, std::string_view why) {
    return Error(
        CNErrorDomain, CNErrorCodeVCardMalformed,
        {{NSLocalizedDescriptionKey,
          "The vCard is malformed at line " + String(std::to_string(line)) + ": " + String(why)}});
}

// Lines end at CRLF, LF or CR; a line starting with a space or a tab continues the one before.
std::vector<LogicalLine> unfold(std::string_view text) {
    std::vector<LogicalLine> lines;
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.find('\r'));
        const std::string_view physical = text.substr(0, end);
        ++number;
        if (end == std::string_view::npos) {
            text = {};
        } else {
            text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
        }
        const bool continues = !physical.empty() && (physical[0] == ' ' || physical[0] == '\t');
        if (continues && !lines.empty()) {
            lines.back().text.append(physical.substr(1));
        } else {
            lines.push_back({std::string(physical), number});
        }
    }
    return lines;
}

bool nameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
}

// [group "."] name *(";" parameter) ":" value; none when the line is not of that shape.
std::optional<ContentLine> parse(std::string_view line) {
    size_t at = 0;
    while (at < line.size() && nameCharacter(line[at]))
        ++at;
    std::string_view name = line.substr(0, at);
    std::string_view group;
    if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) {
        group = name.substr(0, dot);
        name.remove_prefix(dot + 1);
    }
    if (name.empty()) return std::nullopt;
    ContentLine content{upper(group), upper(name), {}, {}};
    while (at < line.size() && line[at] == ';') {
        const size_t start = ++at;
        while (at < line.size() && nameCharacter(line[at]))
            ++at;
        const std::string_view parameter = line.substr(start, at - start);
        if (parameter.empty()) return std::nullopt;
        if (at == line.size() || line[at] != '=') {
            // vCard 2.1's bare types: TEL;CELL:...
            content.parameters.push_back({"TYPE", parameter});
            continue;
        }
        do {
            const size_t valueStart = ++at;
            if (at < line.size() && line[at] == '"') {
                at = line.find('"', at + 1);
                if (at == std::string_view::npos) return std::nullopt;
                ++at;
            } else {
                while (at < line.size() && line[at] != ',' && line[at] != ';' && line[at] != ':')
                    ++at;
            }
            content.parameters.push_back(
                {upper(parameter), line.substr(valueStart, at - valueStart)});
        } while (at < line.size() && line[at] == ',');
    }
    if (at == line.size() || line[at] != ':') return std::nullopt;
    content.value = line.substr(at + 1);
    return content;
}

const Parameter* parameterNamed(const ContentLine& line, std::string_view name) {
    for (const Parameter& parameter : line.parameters) {
        if (parameter.name == name) return &parameter;
    }
    return nullptr;
}

String labelOf(const ContentLine& line) {
    if (const Parameter* label = parameterNamed(line, vcard::kLabelParameter))
        return vcard::unquoteParameter(label->value);
    for (const Parameter& parameter : line.parameters) {
        if (parameter.name != "TYPE") continue;
        String label = vcard::labelForType(line.name, lower(unquoted(parameter.value)));
        if (!label.isEmpty()) return label;
    }
    return {};
}

std::optional<long> digits(std::string_view text) {
    if (text.empty() || text.size() > 8 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        }))
        return std::nullopt;
    return std::stol(std::string(text));
}

// BDAY as date: YYYYMMDD, YYYY-MM-DD, YYYY-MM, YYYY, --MMDD, --MM, ---DD; a time is ignored.
std::optional<DateComponents> birthdayFrom(std::string_view text) {
    text = text.substr(0, text.find('T'));
    DateComponents birthday;
    if (text.starts_with("---")) {
        if (text.size() != 5) return std::nullopt;
        birthday.day = digits(text.substr(3));
    } else {
        const bool yearless = text.starts_with("--");
        std::string compact;
        for (char c : text.substr(yearless ? 2 : 0)) {
            if (c != '-') compact += c;
        }
        if (!digits(compact)) return std::nullopt;
        const std::string_view parts(compact);
        if (yearless && (parts.size() == 2 || parts.size() == 4)) {
            birthday.month = digits(parts.substr(0, 2));
            if (parts.size() == 4) birthday.day = digits(parts.substr(2));
        } else if (!yearless && (parts.size() == 4 || parts.size() == 6 || parts.size() == 8)) {
            birthday.year = digits(parts.substr(0, 4));
            if (parts.size() >= 6) birthday.month = digits(parts.substr(4, 2));
            if (parts.size() == 8) birthday.day = digits(parts.substr(6));
        } else {
            return std::nullopt;
        }
    }
    if (!vcard::representableBirthday(birthday)) return std::nullopt;
    return birthday;
}

// The photo's bytes: a data: address (4.0) or base64 text (3.0's ENCODING=b); none for an
// address to fetch, which is not followed.
Result<std::optional<Data>> photoFrom(const ContentLine& line, size_t number) {
    std::string_view encoded = line.value;
    if (encoded.starts_with("data:")) {
        const size_t comma = encoded.find(',');
        if (comma == std::string_view::npos || !encoded.substr(0, comma).ends_with(";base64"))
            return malformed(number, "PHOTO is not a base64 data: address");
        encoded.remove_prefix(comma + 1);
    } else {
        const Parameter* encoding = parameterNamed(line, "ENCODING");
        const std::string kind = encoding ? lower(unquoted(encoding->value)) : "";
        if (kind != "b" && kind != "base64") return std::optional<Data>();
    }
    std::string compact;
    for (char c : encoded) {
        if (c != ' ' && c != '\t') compact += c;
    }
    auto bytes = base64Decoded(String(compact));
    if (!bytes) return malformed(number, "PHOTO is not base64");
    return std::optional<Data>(std::move(*bytes));
}

template <class ValueType>
void append(std::vector<CNLabeledValue<ValueType>> values, CNLabeledValue<ValueType> value,
            void (CNMutableContact::*set)(std::vector<CNLabeledValue<ValueType>>),
            CNMutableContact& contact) {
    values.push_back(std::move(value));
    (contact.*set)(std::move(values));
}

// One card between BEGIN:VCARD and END:VCARD.
class CardReader {
  public:
    Result<bool> read(const ContentLine& line, size_t number) {
        const std::string& name = line.name;
        const std::string_view value = line.value;
        if (name == "UID") {
            m_identifier = vcard::unescapeText(value);
        } else if (name == "KIND" || name == "X-ABSHOWAS") {
            const std::string kind = lower(value);
            if (kind == "org" || kind == "organization" || kind == "company")
                m_contact.setContactType(CNContactTypeOrganization);
        } else if (name == "FN") {
            m_formattedName = vcard::unescapeText(value);
        } else if (name == "N") {
            const auto parts = vcard::components(value);
            using Setter = void (CNMutableContact::*)(String);
            const Setter setters[] = {
                &CNMutableContact::setFamilyName, &CNMutableContact::setGivenName,
                &CNMutableContact::setMiddleName, &CNMutableContact::setNamePrefix,
                &CNMutableContact::setNameSuffix};
            for (size_t i = 0; i < std::min(parts.size(), std::size(setters)); ++i)
                (m_contact.*setters[i])(parts[i]);
        } else if (name == "ORG") {
            const auto parts = vcard::components(value);
            m_contact.setOrganizationName(parts[0]);
            if (parts.size() > 1) m_contact.setDepartmentName(parts[1]);
        } else if (name == "BDAY") {
            if (auto birthday = birthdayFrom(value)) m_contact.setBirthday(birthday);
        } else if (name == "X-ABLABEL") {
            if (!line.group.empty()) m_groupLabels[line.group] = vcard::unescapeText(value);
        } else if (name == "TEL") {
            remember(line, m_contact.phoneNumbers().size());
            std::string_view phone = value;
            const Parameter* type = parameterNamed(line, "VALUE");
            if (type && lower(unquoted(type->value)) == "uri" && phone.starts_with("tel:"))
                phone.remove_prefix(4);
            append(m_contact.phoneNumbers(),
                   {labelOf(line), CNPhoneNumber(vcard::unescapeText(phone))},
                   &CNMutableContact::setPhoneNumbers, m_contact);
        } else if (name == "EMAIL") {
            remember(line, m_contact.emailAddresses().size());
            append(m_contact.emailAddresses(), {labelOf(line), vcard::unescapeText(value)},
                   &CNMutableContact::setEmailAddresses, m_contact);
        } else if (name == "URL") {
            remember(line, m_contact.urlAddresses().size());
            append(m_contact.urlAddresses(), {labelOf(line), vcard::unescapeText(value)},
                   &CNMutableContact::setUrlAddresses, m_contact);
        } else if (name == "PHOTO") {
            auto photo = photoFrom(line, number);
            if (!photo) return photo.error();
            if (photo.value()) m_contact.setImageData(photo.value());
        } else if (const auto setter = textSetter(name)) {
            (m_contact.*setter)(vcard::unescapeText(value));
        }
        return true;
    }

    CNMutableContact finish() const {
        CNMutableContact contact = m_contact.copyWithIdentifier(
            m_identifier.isEmpty() ? newContactIdentifier() : m_identifier);
        applyGroupLabels(contact);
        // A card may name its person in FN only.
        if (contact.givenName().isEmpty() && contact.middleName().isEmpty() &&
            contact.familyName().isEmpty() && contact.organizationName().isEmpty())
            contact.setGivenName(m_formattedName);
        return contact;
    }

  private:
    // Other books label a value in a line of its own, tied to it by a group:
    // "item1.TEL:555" and "item1.X-ABLabel:Lab". Our own X-LABEL comes first.
    struct Grouped {
        std::string group;
        std::string property;
        size_t index;
    };
    void remember(const ContentLine& line, size_t index) {
        if (!line.group.empty() && !parameterNamed(line, vcard::kLabelParameter))
            m_grouped.push_back({line.group, line.name, index});
    }
    template <class ValueType>
    static void relabel(const std::vector<CNLabeledValue<ValueType>>& values, size_t index,
                        const String& label,
                        void (CNMutableContact::*set)(std::vector<CNLabeledValue<ValueType>>),
                        CNMutableContact& contact) {
        auto changed = values;
        changed[index].label = label;
        (contact.*set)(std::move(changed));
    }
    void applyGroupLabels(CNMutableContact& contact) const {
        for (const Grouped& grouped : m_grouped) {
            const auto label = m_groupLabels.find(grouped.group);
            if (label == m_groupLabels.end()) continue;
            if (grouped.property == "TEL")
                relabel(contact.phoneNumbers(), grouped.index, label->second,
                        &CNMutableContact::setPhoneNumbers, contact);
            else if (grouped.property == "EMAIL")
                relabel(contact.emailAddresses(), grouped.index, label->second,
                        &CNMutableContact::setEmailAddresses, contact);
            else
                relabel(contact.urlAddresses(), grouped.index, label->second,
                        &CNMutableContact::setUrlAddresses, contact);
        }
    }

    using TextSetter = void (CNMutableContact::*)(String);
    static TextSetter textSetter(const std::string& name) {
        struct TextProperty {
            const char* name;
            TextSetter set;
        };
        static const TextProperty kTexts[] = {
            {"NICKNAME", &CNMutableContact::setNickname},
            {"X-MAIDENNAME", &CNMutableContact::setPreviousFamilyName},
            {"X-PHONETIC-FIRST-NAME", &CNMutableContact::setPhoneticGivenName},
            {"X-PHONETIC-MIDDLE-NAME", &CNMutableContact::setPhoneticMiddleName},
            {"X-PHONETIC-LAST-NAME", &CNMutableContact::setPhoneticFamilyName},
            {"TITLE", &CNMutableContact::setJobTitle},
            {"NOTE", &CNMutableContact::setNote},
        };
        for (const TextProperty& property : kTexts) {
            if (name == property.name) return property.set;
        }
        return nullptr;
    }

    CNMutableContact m_contact{String()};
    String m_identifier;
    String m_formattedName;
    std::vector<Grouped> m_grouped;
    std::map<std::string, String> m_groupLabels;
};

}  // namespace

Result<std::vector<CNMutableContact>> CNContactVCardSerialization::contactsWithData(
    const Data& data) {
    std::string_view text = data.view();
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<CNMutableContact> contacts;
    std::optional<CardReader> card;
    size_t lastLine = 0;
    for (const LogicalLine& line : unfold(text)) {
        lastLine = line.number;
        if (line.text.find_first_not_of(" \t") == std::string::npos) continue;
        // Checked after unfolding: some writers fold inside a character.
        if (!String::fromUtf8(line.text)) return malformed(line.number, "the text is not UTF-8");
        const auto content = parse(line.text);
        if (!content) return malformed(line.number, "not a property line");
        const bool begins = content->name == "BEGIN" && upper(content->value) == "VCARD";
        const bool ends = content->name == "END" && upper(content->value) == "VCARD";
        if (!card) {
            if (!begins) return malformed(line.number, "expected BEGIN:VCARD");
            card.emplace();
        } else if (begins) {
            return malformed(line.number, "BEGIN:VCARD inside a card");
        } else if (ends) {
            contacts.push_back(card->finish());
            card.reset();
        } else if (auto applied = card->read(*content, line.number); !applied) {
            return applied.error();
        }
    }
    if (card) return malformed(lastLine, "the card has no END:VCARD");
    return contacts;
}

}  // namespace ov
