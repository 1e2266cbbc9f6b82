#include "AddressBook.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "orvane/contacts/CNContactStore+CNContactStore.h"
#include "orvane/platform/contacts/CNContactStore.h"
#include "orvane/platform/contacts/CNContactVCardSerialization.h"
#include "orvane/platform/files/FileManager.h"

namespace demo {

void keepAnAddressBook() {
    const std::string own =
        ov::FileManager::defaultManager().documentsDirectory().toUtf8() + "/demo-contacts.sqlite3";
    ::setenv(ov::CNContactStore::kDatabaseEnvironmentVariable, own.c_str(), 0);
    ov::CNContactStore store;
    std::printf("== address book: %s\n", store.databasePath().toUtf8().c_str());
    const auto ada = store.unifiedContactsMatchingName("Lovelace");
    if (ada && ada.value().empty()) {
        namespace Contacts = ov::CNContactStore_CNContactStore;
        const auto contact = Contacts::createContactType(
            ov::CNContactTypePerson, {"+44 20 7946 0000"},
            std::vector<ov::String>{"https://en.wikipedia.org/wiki/Ada_Lovelace"},
            /*emails*/ std::nullopt, /*namePrefix*/ std::nullopt, "Ada", "Augusta", "Lovelace",
            /*previousFamilyName*/ "Byron", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
            std::nullopt, std::nullopt, std::nullopt, "Analyst",
            "Wrote the first published program, 1843.", std::nullopt, std::nullopt);
        Contacts::addContact(contact);
    }
    const auto everyone = store.allContacts();
    if (!everyone) {
        std::printf("%s\n\n", everyone.error().localizedDescription().toUtf8().c_str());
        return;
    }
    const ov::Data cards = ov::CNContactVCardSerialization::dataWithContacts(everyone.value());
    std::printf("%.*s\n", static_cast<int>(cards.length()), cards.view().data());
}

}  // namespace demo
