#include "orvane/platform/contacts/CNContactStore.h"

#include <cstdlib>
#include <string>

#include "ContactDatabase.h"
#include "orvane/platform/text/StringTransforms.h"

namespace ov {

CNContactStore::CNContactStore() : CNContactStore(defaultDatabasePath()) {}

CNContactStore::CNContactStore(String databasePath) : m_path(std::move(databasePath)) {}

CNContactStore::~CNContactStore() = default;

String CNContactStore::defaultDatabasePath() {
    const char* chosen = std::getenv(kDatabaseEnvironmentVariable);
    if (chosen && *chosen) return String(chosen);
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        data = xdg;
    } else {
        const char* home = std::getenv("HOME");
        data = std::string(home && *home ? home : ".") + "/.local/share";
    }
    return String(data + "/orvane/contacts.sqlite3");
}

Result<ContactDatabase*> CNContactStore::database() {
    // A failed opening is tried again on the next call: the file may be mended meanwhile.
    if (!m_database) {
        auto opened = ContactDatabase::open(m_path);
        if (!opened) return opened.error();
        m_database = std::move(opened).value();
    }
    return m_database.get();
}

Result<bool> CNContactStore::executeSaveRequest(const CNSaveRequest& saveRequest) {
    const auto opened = database();
    if (!opened) return opened.error();
    return opened.value()->save(saveRequest);
}

Result<CNContact> CNContactStore::unifiedContactWithIdentifier(const String& identifier) {
    const auto opened = database();
    if (!opened) return opened.error();
    auto found = opened.value()->contactWithIdentifier(identifier);
    if (!found) return found.error();
    if (!found.value()) {
        return Error(CNErrorDomain, CNErrorCodeRecordDoesNotExist,
                     {{NSLocalizedDescriptionKey, "The contact " + identifier + " does not exist"},
                      {CNErrorUserInfoAffectedRecordIdentifiersKey, Array{identifier}}});
    }
    return CNContact(*found.value());
}

Result<std::vector<CNContact>> CNContactStore::allContacts() {
    const auto opened = database();
    if (!opened) return opened.error();
    auto found = opened.value()->contacts();
    if (!found) return found.error();
    return std::vector<CNContact>(found.value().begin(), found.value().end());
}

Result<std::vector<CNContact>> CNContactStore::unifiedContactsMatchingName(const String& name) {
    auto everyone = allContacts();
    if (!everyone) return everyone;
    if (name.isEmpty()) return std::vector<CNContact>();
    const String wanted = caseFoldedString(name);
    std::vector<CNContact> matching;
    for (const CNContact& contact : everyone.value()) {
        for (const String* field :
             {&contact.givenName(), &contact.middleName(), &contact.familyName(),
              &contact.nickname(), &contact.organizationName()}) {
            if (caseFoldedString(*field).containsString(wanted)) {
                matching.push_back(contact);
                break;
            }
        }
    }
    return matching;
}

}  // namespace ov
