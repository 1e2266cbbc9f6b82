#pragma once
// The address book's SQLite file: opening (with its folder, write-ahead logging, the busy
// time-out and schema migration), saving requests as one transaction, and reading contacts.

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/contacts/CNSaveRequest.h"
#include "orvane/platform/values/Result.h"

namespace ov {

class ContactDatabase {
  public:
    static Result<std::unique_ptr<ContactDatabase>> open(const String& path);
    ~ContactDatabase() { sqlite3_close(m_database); }
    ContactDatabase(const ContactDatabase&) = delete;
    ContactDatabase& operator=(const ContactDatabase&) = delete;

    Result<bool> save(const CNSaveRequest& request);
    // None when there is no such contact.
    Result<std::optional<CNMutableContact>> contactWithIdentifier(const String& identifier);
    // Oldest first.
    Result<std::vector<CNMutableContact>> contacts();

  private:
    ContactDatabase(sqlite3* database, String path)
        : m_database(database), m_path(std::move(path)) {}

    struct FileState {
        long version;  // of the schema
        long tables;
    };
    Result<FileState> fileState();
    Result<bool> useWriteAheadLog();
    Result<bool> migrate();
    // Commits what `work` did when it succeeds, rolls all of it back otherwise.
    Result<bool> inTransaction(const std::function<Result<bool>()>& work);
    Result<bool> execute(const char* sql);
    Result<bool> apply(const CNSaveRequest::Change& change);
    Result<bool> writeContact(const char* sql, const CNContact& contact);
    Result<bool> writeLabeledValues(const CNContact& contact);
    Result<bool> readLabeledValues(CNMutableContact& contact);
    Result<std::vector<CNMutableContact>> readContacts(const char* sql, const String* identifier);
    Error failure(const char* doing) const;

    sqlite3* m_database;
    String m_path;
};

}  // namespace ov
