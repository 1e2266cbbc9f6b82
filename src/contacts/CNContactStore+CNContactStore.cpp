#include "orvane/platform/contacts/CNContactStore.h"

#include "orvane/contacts/CNContactStore+CNContactStore.h"
#include "orvane/contacts/CNMutableContact+CNMutableContact.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::CNContactStore_CNContactStore {
namespace {

namespace Contact = CNMutableContact_CNMutableContact;

void setWhenGiven(CNMutableContact& contact, void (CNMutableContact::*set)(String),
                  const std::optional<String>& text) {
    if (text) (contact.*set)(*text);
}

}  // namespace

CNMutableContact createContactType(
    CNContactType type, const std::vector<String>& phoneNumbers,
    const std::optional<std::vector<String>>& urls,
    const std::optional<std::vector<String>>& emails, const std::optional<String>& namePrefix,
    const std::optional<String>& givenName, const std::optional<String>& middleName,
    const std::optional<String>& familyName, const std::optional<String>& previousFamilyName,
    const std::optional<String>& nameSuffix, const std::optional<String>& nickname,
    const std::optional<String>& phoneticGivenName, const std::optional<String>& phoneticMiddleName,
    const std::optional<String>& phoneticFamilyName, const std::optional<String>& organizationName,
    const std::optional<String>& departmentName, const std::optional<String>& jobTitle,
    const std::optional<String>& note, const std::optional<Data>& imageData,
    const std::optional<DateComponents>& birthday) {
    CNMutableContact contact;
    contact.setContactType(type);
    Contact::storePhoneNumbers(contact, phoneNumbers);
    if (urls) Contact::storeUrls(contact, *urls);
    if (emails) Contact::storeEmails(contact, *emails);
    const std::pair<void (CNMutableContact::*)(String), const std::optional<String>*> texts[] = {
        {&CNMutableContact::setGivenName, &givenName},
        {&CNMutableContact::setMiddleName, &middleName},
        {&CNMutableContact::setFamilyName, &familyName},
        {&CNMutableContact::setPreviousFamilyName, &previousFamilyName},
        {&CNMutableContact::setNamePrefix, &namePrefix},
        {&CNMutableContact::setNameSuffix, &nameSuffix},
        {&CNMutableContact::setNickname, &nickname},
        {&CNMutableContact::setPhoneticGivenName, &phoneticGivenName},
        {&CNMutableContact::setPhoneticMiddleName, &phoneticMiddleName},
        {&CNMutableContact::setPhoneticFamilyName, &phoneticFamilyName},
        {&CNMutableContact::setOrganizationName, &organizationName},
        {&CNMutableContact::setDepartmentName, &departmentName},
        {&CNMutableContact::setJobTitle, &jobTitle},
        {&CNMutableContact::setNote, &note},
    };
    for (const auto& [set, text] : texts)
        setWhenGiven(contact, set, *text);
    contact.setImageData(imageData);
    contact.setBirthday(birthday);
    return contact.mutableCopy();
}

CNMutableContact createContactType(CNContactType type, const std::vector<String>& phoneNumbers) {
    return createContactType(type, phoneNumbers, std::nullopt, std::nullopt, std::nullopt,
                             std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                             std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                             std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
}

CNMutableContact createContact(const Value&, const std::vector<String>& phoneNumbers) {
    return createContactType(CNContactTypePerson, phoneNumbers);
}

bool execRequest(const CNSaveRequest& request) {
    CNContactStore store;
    const auto saved = store.executeSaveRequest(request);
    if (!saved) {
        systemLog("error executeSaveRequest: %@", saved.error().localizedDescription());
        return false;
    }
    return true;
}

bool addContact(const CNMutableContact& contact) {
    if (contact.identifier().isEmpty()) {
        systemLog("addContact error: !contact.identifier");
        return false;
    }
    CNSaveRequest request;
    request.addContact(contact, std::nullopt);
    return execRequest(request);
}

CNMutableContact addContactName(const String& name, const std::vector<String>& phoneNumbers,
                                const std::vector<String>& urls) {
    CNMutableContact contact;
    contact.setGivenName(name);
    Contact::storePhoneNumbers(contact, phoneNumbers);
    Contact::storeUrls(contact, urls);
    CNSaveRequest request;
    request.addContact(contact, std::nullopt);
    execRequest(request);
    return contact;
}

CNMutableContact addContactName(const String& name, const std::vector<String>& phoneNumbers) {
    return addContactName(name, phoneNumbers, {});
}

bool updateContact(const CNMutableContact& contact) {
    if (contact.identifier().isEmpty()) {
        systemLog("updateContact error: !contact.identifier");
        return false;
    }
    CNSaveRequest request;
    request.updateContact(contact);
    return execRequest(request);
}

bool updateContacts(const std::vector<CNMutableContact>& contacts) {
    CNSaveRequest request;
    for (const CNMutableContact& contact : contacts)
        request.updateContact(contact);
    return execRequest(request);
}

bool deleteContact(const CNMutableContact& contact) {
    if (contact.identifier().isEmpty()) {
        systemLog("deleteContact error: !contact.identifier");
        return false;
    }
    CNSaveRequest request;
    request.deleteContact(contact);
    return execRequest(request);
}

}  // namespace ov::CNContactStore_CNContactStore
