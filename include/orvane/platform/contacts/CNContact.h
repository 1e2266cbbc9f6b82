#pragma once
// An address-book entry: read-only (CNContact, what the store hands out) and editable
// (CNMutableContact, what save requests take). Contacts are values: a copy is independent
// and keeps the identifier, which a new editable contact gets when it is made and keeps for
// good.
//
//   ov::CNMutableContact ada;                   // identifier "5A0E…-…:ABPerson"
//   ada.setGivenName("Ada");
//   ada.setPhoneNumbers({{ov::CNLabelPhoneNumberiPhone, ov::CNPhoneNumber("+44 20 7946 0000")}});
//   ov::CNContact snapshot = ada;               // read-only copy, same identifier

#include <optional>
#include <vector>

#include "orvane/platform/contacts/CNLabeledValue.h"
#include "orvane/platform/contacts/CNPhoneNumber.h"
#include "orvane/platform/time/DateComponents.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/String.h"

namespace ov {

// The default label of web addresses.
inline constexpr const char* CNLabelURLAddressHomePage = "_$!<HomePage>!$_";
// Key names of the contact's fields, as the platform spells them.
inline constexpr const char* CNContactPhoneNumbersKey = "phoneNumbers";
inline constexpr const char* CNContactUrlAddressesKey = "urlAddresses";
inline constexpr const char* CNContactEmailAddressesKey = "emailAddresses";

enum CNContactType : long {
    CNContactTypePerson = 0,
    CNContactTypeOrganization = 1,
};

using CNLabeledPhoneNumbers = std::vector<CNLabeledValue<CNPhoneNumber>>;
using CNLabeledStrings = std::vector<CNLabeledValue<String>>;

class CNMutableContact;

class CNContact {
  public:
    // Empty only for a contact made with an empty identifier on purpose.
    const String& identifier() const { return m_fields.identifier; }
    CNContactType contactType() const { return m_fields.contactType; }
    const String& namePrefix() const { return m_fields.namePrefix; }
    const String& givenName() const { return m_fields.givenName; }
    const String& middleName() const { return m_fields.middleName; }
    const String& familyName() const { return m_fields.familyName; }
    const String& previousFamilyName() const { return m_fields.previousFamilyName; }
    const String& nameSuffix() const { return m_fields.nameSuffix; }
    const String& nickname() const { return m_fields.nickname; }
    const String& phoneticGivenName() const { return m_fields.phoneticGivenName; }
    const String& phoneticMiddleName() const { return m_fields.phoneticMiddleName; }
    const String& phoneticFamilyName() const { return m_fields.phoneticFamilyName; }
    const String& organizationName() const { return m_fields.organizationName; }
    const String& departmentName() const { return m_fields.departmentName; }
    const String& jobTitle() const { return m_fields.jobTitle; }
    const String& note() const { return m_fields.note; }
    const std::optional<Data>& imageData() const { return m_fields.imageData; }
    // Any of year, month and day; a birthday without year is common.
    const std::optional<DateComponents>& birthday() const { return m_fields.birthday; }
    const CNLabeledPhoneNumbers& phoneNumbers() const { return m_fields.phoneNumbers; }
    const CNLabeledStrings& urlAddresses() const { return m_fields.urlAddresses; }
    const CNLabeledStrings& emailAddresses() const { return m_fields.emailAddresses; }

    CNMutableContact mutableCopy() const;
    friend bool operator==(const CNContact&, const CNContact&) = default;

  protected:
    explicit CNContact(String identifier) { m_fields.identifier = std::move(identifier); }

    struct Fields {
        String identifier;
        CNContactType contactType = CNContactTypePerson;
        String namePrefix, givenName, middleName, familyName, previousFamilyName, nameSuffix,
            nickname, phoneticGivenName, phoneticMiddleName, phoneticFamilyName, organizationName,
            departmentName, jobTitle, note;
        std::optional<Data> imageData;
        std::optional<DateComponents> birthday;
        CNLabeledPhoneNumbers phoneNumbers;
        CNLabeledStrings urlAddresses, emailAddresses;
        friend bool operator==(const Fields&, const Fields&) = default;
    };
    Fields m_fields;
};

class CNMutableContact : public CNContact {
  public:
    // A new contact with a new identifier.
    CNMutableContact();
    // A contact known by `identifier` (read from a store or a vCard).
    explicit CNMutableContact(String identifier) : CNContact(std::move(identifier)) {}

    // This contact's fields under another identifier.
    CNMutableContact copyWithIdentifier(String identifier) const {
        CNMutableContact copy(*this);
        copy.m_fields.identifier = std::move(identifier);
        return copy;
    }

    void setContactType(CNContactType type) { m_fields.contactType = type; }
    void setNamePrefix(String text) { m_fields.namePrefix = std::move(text); }
    void setGivenName(String text) { m_fields.givenName = std::move(text); }
    void setMiddleName(String text) { m_fields.middleName = std::move(text); }
    void setFamilyName(String text) { m_fields.familyName = std::move(text); }
    void setPreviousFamilyName(String text) { m_fields.previousFamilyName = std::move(text); }
    void setNameSuffix(String text) { m_fields.nameSuffix = std::move(text); }
    void setNickname(String text) { m_fields.nickname = std::move(text); }
    void setPhoneticGivenName(String text) { m_fields.phoneticGivenName = std::move(text); }
    void setPhoneticMiddleName(String text) { m_fields.phoneticMiddleName = std::move(text); }
    void setPhoneticFamilyName(String text) { m_fields.phoneticFamilyName = std::move(text); }
    void setOrganizationName(String text) { m_fields.organizationName = std::move(text); }
    void setDepartmentName(String text) { m_fields.departmentName = std::move(text); }
    void setJobTitle(String text) { m_fields.jobTitle = std::move(text); }
    void setNote(String text) { m_fields.note = std::move(text); }
    void setImageData(std::optional<Data> data) { m_fields.imageData = std::move(data); }
    void setBirthday(std::optional<DateComponents> date) { m_fields.birthday = std::move(date); }
    void setPhoneNumbers(CNLabeledPhoneNumbers values) {
        m_fields.phoneNumbers = std::move(values);
    }
    void setUrlAddresses(CNLabeledStrings values) { m_fields.urlAddresses = std::move(values); }
    void setEmailAddresses(CNLabeledStrings values) { m_fields.emailAddresses = std::move(values); }
};

// "XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX:ABPerson": a random UUID, in the platform's form.
String newContactIdentifier();

}  // namespace ov
