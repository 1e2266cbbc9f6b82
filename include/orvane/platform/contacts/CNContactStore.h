#pragma once
// The address book: a SQLite database at $XDG_DATA_HOME/orvane/contacts.sqlite3 (or the path
// in ORVANE_CONTACTS_DB), made with its folder on first use. Write-ahead logging and a busy
// time-out let several processes read and save at once; every save request is one
// transaction, so it is saved whole or not at all.
//
//   ov::CNSaveRequest request;
//   request.addContact(ada, std::nullopt);
//   request.deleteContact(bob);
//   ov::CNContactStore store;
//   if (auto saved = store.executeSaveRequest(request); !saved)
//       log(saved.error().localizedDescription());     // neither change was made
//
// A store that cannot be opened (a folder that cannot be made, a damaged file, a newer schema)
// fails every operation with CNErrorCodeDataAccessError and never writes to the file. A file
// with no write permission at all is opened read-only, even by root. One store object belongs
// to one thread at a time.

#include <memory>
#include <vector>

#include "orvane/platform/contacts/CNContact.h"
#include "orvane/platform/contacts/CNError.h"
#include "orvane/platform/contacts/CNSaveRequest.h"
#include "orvane/platform/values/Result.h"

namespace ov {

class ContactDatabase;

class CNContactStore {
  public:
    static constexpr const char* kDatabaseEnvironmentVariable = "ORVANE_CONTACTS_DB";
    // The database's schema version; older files are migrated when first opened.
    static constexpr int kSchemaVersion = 1;
    // How long a save waits for another process's transaction, in milliseconds.
    static constexpr int kBusyTimeout = 10000;

    // The default database, opened when first used.
    CNContactStore();
    explicit CNContactStore(String databasePath);
    ~CNContactStore();
    CNContactStore(const CNContactStore&) = delete;
    CNContactStore& operator=(const CNContactStore&) = delete;

    // ORVANE_CONTACTS_DB, else $XDG_DATA_HOME (else ~/.local/share) /orvane/contacts.sqlite3.
    static String defaultDatabasePath();
    const String& databasePath() const { return m_path; }

    // True, or the error of the first change that failed (or of the database); on error
    // nothing of the request is saved.
    Result<bool> executeSaveRequest(const CNSaveRequest& saveRequest);

    // CNErrorCodeRecordDoesNotExist when there is no such contact.
    Result<CNContact> unifiedContactWithIdentifier(const String& identifier);
    // Contacts any of whose names, nickname or organisation contains `name`, ignoring case.
    Result<std::vector<CNContact>> unifiedContactsMatchingName(const String& name);
    // Every contact, oldest first.
    Result<std::vector<CNContact>> allContacts();

  private:
    Result<ContactDatabase*> database();

    String m_path;
    std::unique_ptr<ContactDatabase> m_database;
};

}  // namespace ov
