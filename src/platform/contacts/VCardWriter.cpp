// Writing contacts as vCard 4.0.
#include <cstdio>
#include <initializer_list>

#include "VCardFormat.h"
#include "orvane/platform/contacts/CNContactVCardSerialization.h"
#include "orvane/platform/text/Base64.h"

namespace ov {
namespace {

using vcard::escapeText;

std::string mediaType(const Data& image) {
    const std::string_view bytes = image.view();
    if (bytes.starts_with("\x89PNG")) return "image/png";
    if (bytes.starts_with("\xFF\xD8\xFF")) return "image/jpeg";
    if (bytes.starts_with("GIF8")) return "image/gif";
    return "application/octet-stream";
}

std::string digits(long value, int width) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*ld", width, value);
    return text;
}

// YYYYMMDD, YYYY-MM, YYYY, --MMDD, --MM or ---DD: a representable birthday.
std::string birthdayText(const DateComponents& birthday) {
    std::string text = birthday.year ? digits(*birthday.year, 4) : "--";
    if (birthday.month)
        text += (birthday.year && !birthday.day ? "-" : "") + digits(*birthday.month, 2);
    else if (!birthday.year)
        text += "-";
    if (birthday.day) text += digits(*birthday.day, 2);
    return text;
}

String formattedName(const CNContact& contact) {
    String name;
    for (const String* part : {&contact.namePrefix(), &contact.givenName(), &contact.middleName(),
                               &contact.familyName(), &contact.nameSuffix()}) {
        if (part->isEmpty()) continue;
        if (!name.isEmpty()) name += " ";
        name += *part;
    }
    return name.isEmpty() ? contact.organizationName() : name;
}

class CardWriter {
  public:
    explicit CardWriter(std::string& out) : m_out(out) {}

    void line(std::string_view name, std::string_view value) {
        vcard::appendFolded(m_out, std::string(name) + ":" + std::string(value));
    }
    void text(std::string_view name, const String& value) {
        if (!value.isEmpty()) line(name, escapeText(value));
    }
    void structured(std::string_view name, std::initializer_list<const String*> parts) {
        std::string value;
        bool first = true;
        for (const String* part : parts) {
            if (!first) value += ';';
            first = false;
            value += escapeText(*part);
        }
        line(name, value);
    }
    void labeled(std::string_view property, const String& label, const String& value) {
        std::string name(property);
        const auto type = vcard::typeForLabel(property, label);
        if (type) name += ";TYPE=" + std::string(*type);
        if (!label.isEmpty() && (!type || vcard::labelForType(property, *type) != label))
            name += ";" + std::string(vcard::kLabelParameter) + "=" + vcard::quoteParameter(label);
        line(name, escapeText(value));
    }

    void contact(const CNContact& contact) {
        line("BEGIN", "VCARD");
        line("VERSION", "4.0");
        text("UID", contact.identifier());
        if (contact.contactType() == CNContactTypeOrganization) line("KIND", "org");
        line("FN", escapeText(formattedName(contact)));
        structured("N", {&contact.familyName(), &contact.givenName(), &contact.middleName(),
                         &contact.namePrefix(), &contact.nameSuffix()});
        text("NICKNAME", contact.nickname());
        text("X-MAIDENNAME", contact.previousFamilyName());
        text("X-PHONETIC-FIRST-NAME", contact.phoneticGivenName());
        text("X-PHONETIC-MIDDLE-NAME", contact.phoneticMiddleName());
        text("X-PHONETIC-LAST-NAME", contact.phoneticFamilyName());
        if (!contact.organizationName().isEmpty() || !contact.departmentName().isEmpty())
            structured("ORG", {&contact.organizationName(), &contact.departmentName()});
        text("TITLE", contact.jobTitle());
        text("NOTE", contact.note());
        if (contact.birthday() && vcard::representableBirthday(*contact.birthday()))
            line("BDAY", birthdayText(*contact.birthday()));
        for (const auto& phone : contact.phoneNumbers())
            labeled("TEL", phone.label, phone.value.stringValue());
        for (const auto& email : contact.emailAddresses())
            labeled("EMAIL", email.label, email.value);
        for (const auto& url : contact.urlAddresses())
            labeled("URL", url.label, url.value);
        if (const auto& image = contact.imageData()) {
            line("PHOTO",
                 "data:" + mediaType(*image) + ";base64," + base64Encoded(*image).toUtf8());
        }
        line("END", "VCARD");
    }

  private:
    std::string& m_out;
};

}  // namespace

Data CNContactVCardSerialization::dataWithContacts(const std::vector<CNContact>& contacts) {
    std::string out;
    CardWriter writer(out);
    for (const CNContact& contact : contacts)
        writer.contact(contact);
    return Data::fromString(out);
}

}  // namespace ov
