#pragma once
// One-call contact building and saving over the address book (CNContactStore). Every save
// runs one save request on a new store, on the calling thread; a failure answers false and
// logs "error executeSaveRequest: <why>" to the system log. Nothing throws.
//
//   namespace Contacts = ov::CNContactStore_CNContactStore;
//   auto ada = Contacts::addContactName("Ada", {"+44 20 7946 0000"});   // saved (or logged)
//   ada.setFamilyName("Lovelace");
//   Contacts::updateContact(ada);                                      // true
//   Contacts::deleteContact(ada);                                      // true

#include <optional>
#include <vector>

#include "orvane/platform/contacts/CNContact.h"
#include "orvane/platform/contacts/CNSaveRequest.h"
#include "orvane/platform/values/Value.h"

namespace ov::CNContactStore_CNContactStore {

// A new, unsaved contact from its parts. Phone numbers are always stored (none leaves an
// empty list); web and e-mail addresses when given. Absent texts leave their fields empty;
// the type and the name suffix are kept on the contact too.
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
    const std::optional<DateComponents>& birthday);
CNMutableContact createContactType(CNContactType type, const std::vector<String>& phoneNumbers);
// A person with the phone numbers; `contact` is not used.
CNMutableContact createContact(const Value& contact, const std::vector<String>& phoneNumbers);

template <class ValueType>
CNLabeledValue<ValueType> labelTitle(const String& label, ValueType value) {
    return CNLabeledValue<ValueType>::labeledValueWithLabel(label, std::move(value));
}

// Runs the request on a new default store.
bool execRequest(const CNSaveRequest& request);
// Adds to the default container. A contact without identifier is logged
// ("addContact error: !contact.identifier") and refused before any request.
bool addContact(const CNMutableContact& contact);
// Makes, fills and adds a contact; returns it whether or not the save succeeded.
CNMutableContact addContactName(const String& name, const std::vector<String>& phoneNumbers,
                                const std::vector<String>& urls);
CNMutableContact addContactName(const String& name, const std::vector<String>& phoneNumbers);
// Refused and logged ("updateContact error: !contact.identifier") without identifier.
bool updateContact(const CNMutableContact& contact);
// One request updating every contact, in order; an empty list still runs one request.
bool updateContacts(const std::vector<CNMutableContact>& contacts);
// Refused and logged ("deleteContact error: !contact.identifier") without identifier.
bool deleteContact(const CNMutableContact& contact);

}  // namespace ov::CNContactStore_CNContactStore
