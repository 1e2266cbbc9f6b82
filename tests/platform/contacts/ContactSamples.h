#pragma once
// A contact with every field set, in the shapes that trip stores and vCard up: non-ASCII
// names, commas and semicolons, a long note, a photo with a zero byte, a yearless birthday
// and labels of every kind.

#include "orvane/platform/contacts/CNContact.h"

namespace ov::test {

inline CNMutableContact everyFieldContact() {
    CNMutableContact contact;
    contact.setContactType(CNContactTypeOrganization);
    contact.setNamePrefix("Dr.");
    contact.setGivenName("Zoë");
    contact.setMiddleName("Ünal");
    contact.setFamilyName("Müller-Łukasiewicz");
    contact.setPreviousFamilyName("Smith");
    contact.setNameSuffix("Jr.");
    contact.setNickname("Zo, the \\ one");
    contact.setPhoneticGivenName("ゾエ");
    contact.setPhoneticMiddleName("ユナル");
    contact.setPhoneticFamilyName("ミュラー");
    contact.setOrganizationName("Acme, Inc.");
    contact.setDepartmentName("R;D");
    contact.setJobTitle("Chief 🧪 Officer");
    contact.setNote(String("First line\nsecond line: ") + String(std::string(40, 'x')) +
                    " — and then some Ωmega text to fold across lines, ünïcödé everywhere.");
    contact.setImageData(Data::fromString(std::string("\x89PNG\r\n\x1a\n\0\x01\x02", 11)));
    DateComponents birthday;
    birthday.month = 4;
    birthday.day = 12;
    contact.setBirthday(birthday);
    contact.setPhoneNumbers({{CNLabelPhoneNumberiPhone, CNPhoneNumber("+49 30 1234")},
                             {CNLabelHome, CNPhoneNumber("030;555,0101")},
                             {"", CNPhoneNumber("112")}});
    contact.setUrlAddresses({{CNLabelURLAddressHomePage, "https://example.org/a,b"},
                             {"my \"blog\" ^", "https://blog.example.org"}});
    contact.setEmailAddresses(
        {{CNContactEmailAddressesKey, "zoe@example.org"}, {CNLabelWork, "z.mueller@acme.example"}});
    return contact;
}

}  // namespace ov::test
