#include "ContactDatabase.h"

#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "SqliteStatement.h"
#include "orvane/platform/contacts/CNContactStore.h"
#include "orvane/platform/contacts/CNError.h"

namespace ov {
namespace {

// The contact's text fields and their columns, in column order.
struct TextColumn {
    const char* name;
    const String& (CNContact::*get)() const;
    void (CNMutableContact::*set)(String);
};
const TextColumn kTextColumns[] = {
    {"name_prefix", &CNContact::namePrefix, &CNMutableContact::setNamePrefix},
    {"given_name", &CNContact::givenName, &CNMutableContact::setGivenName},
    {"middle_name", &CNContact::middleName, &CNMutableContact::setMiddleName},
    {"family_name", &CNContact::familyName, &CNMutableContact::setFamilyName},
    {"previous_family_name", &CNContact::previousFamilyName,
     &CNMutableContact::setPreviousFamilyName},
    {"name_suffix", &CNContact::nameSuffix, &CNMutableContact::setNameSuffix},
    {"nickname", &CNContact::nickname, &CNMutableContact::setNickname},
    {"phonetic_given_name", &CNContact::phoneticGivenName, &CNMutableContact::setPhoneticGivenName},
    {"phonetic_middle_name", &CNContact::phoneticMiddleName,
     &CNMutableContact::setPhoneticMiddleName},
    {"phonetic_family_name", &CNContact::phoneticFamilyName,
     &CNMutableContact::setPhoneticFamilyName},
    {"organization_name", &CNContact::organizationName, &CNMutableContact::setOrganizationName},
    {"department_name", &CNContact::departmentName, &CNMutableContact::setDepartmentName},
    {"job_title", &CNContact::jobTitle, &CNMutableContact::setJobTitle},
    {"note", &CNContact::note, &CNMutableContact::setNote},
};
constexpr int kTextColumnCount = std::size(kTextColumns);
// Parameter and column positions: identifier, type, the texts, then these.
constexpr int kImageColumn = 2 + kTextColumnCount;
constexpr int kBirthdayColumn = kImageColumn + 1;

// Each step takes a file from the version before it to the next; step i makes version i + 1.
const char* const kMigrations[] = {
    "CREATE TABLE contacts(identifier TEXT PRIMARY KEY NOT NULL, contact_type INTEGER NOT NULL,"
    " name_prefix TEXT NOT NULL, given_name TEXT NOT NULL, middle_name TEXT NOT NULL,"
    " family_name TEXT NOT NULL, previous_family_name TEXT NOT NULL, name_suffix TEXT NOT NULL,"
    " nickname TEXT NOT NULL, phonetic_given_name TEXT NOT NULL,"
    " phonetic_middle_name TEXT NOT NULL, phonetic_family_name TEXT NOT NULL,"
    " organization_name TEXT NOT NULL, department_name TEXT NOT NULL, job_title TEXT NOT NULL,"
    " note TEXT NOT NULL, image_data BLOB, birthday_year INTEGER, birthday_month INTEGER,"
    " birthday_day INTEGER);"
    "CREATE TABLE labeled_values(contact TEXT NOT NULL, property TEXT NOT NULL,"
    " position INTEGER NOT NULL, label TEXT NOT NULL, value TEXT NOT NULL,"
    " PRIMARY KEY(contact, property, position));",
};
static_assert(std::size(kMigrations) == CNContactStore::kSchemaVersion);

std::string columnList() {
    std::string list = "identifier, contact_type";
    for (const TextColumn& column : kTextColumns)
        list += std::string(", ") + column.name;
    return list + ", image_data, birthday_year, birthday_month, birthday_day";
}

std::string parameterList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i)
        list += (i > 1 ? ", ?" : "?") + std::to_string(i);
    return list;
}

const std::string& insertSql() {
    static const std::string sql = "INSERT INTO contacts(" + columnList() + ") VALUES(" +
                                   parameterList(kBirthdayColumn + 3) + ")";
    return sql;
}

const std::string& updateSql() {
    static const std::string sql = [] {
        std::string assignments = "contact_type = ?2";
        int parameter = 3;
        for (const TextColumn& column : kTextColumns)
            assignments += std::string(", ") + column.name + " = ?" + std::to_string(parameter++);
        assignments += ", image_data = ?" + std::to_string(parameter++);
        for (const char* part : {"year", "month", "day"})
            assignments += std::string(", birthday_") + part + " = ?" + std::to_string(parameter++);
        return "UPDATE contacts SET " + assignments + " WHERE identifier = ?1";
    }();
    return sql;
}

const std::string& selectSql(bool one) {
    static const std::string all = "SELECT " + columnList() + " FROM contacts ORDER BY rowid";
    static const std::string byIdentifier =
        "SELECT " + columnList() + " FROM contacts WHERE identifier = ?1";
    return one ? byIdentifier : all;
}

// The labelled-value fields, stored under their key names.
struct LabeledField {
    const char* property;
    std::vector<std::pair<String, String>> (*read)(const CNContact&);
    void (*write)(CNMutableContact&, const String& label, const String& value);
};

template <class ValueType, class Text>
std::vector<std::pair<String, String>> pairs(const std::vector<CNLabeledValue<ValueType>>& values,
                                             Text text) {
    std::vector<std::pair<String, String>> out;
    for (const auto& labeled : values)
        out.emplace_back(labeled.label, text(labeled.value));
    return out;
}

const LabeledField kLabeledFields[] = {
    {CNContactPhoneNumbersKey,
     [](const CNContact& contact) {
         return pairs(contact.phoneNumbers(),
                      [](const CNPhoneNumber& p) { return p.stringValue(); });
     },
     [](CNMutableContact& contact, const String& label, const String& value) {
         auto values = contact.phoneNumbers();
         values.push_back({label, CNPhoneNumber(value)});
         contact.setPhoneNumbers(std::move(values));
     }},
    {CNContactUrlAddressesKey,
     [](const CNContact& contact) {
         return pairs(contact.urlAddresses(), [](const String& s) { return s; });
     },
     [](CNMutableContact& contact, const String& label, const String& value) {
         auto values = contact.urlAddresses();
         values.push_back({label, value});
         contact.setUrlAddresses(std::move(values));
     }},
    {CNContactEmailAddressesKey,
     [](const CNContact& contact) {
         return pairs(contact.emailAddresses(), [](const String& s) { return s; });
     },
     [](CNMutableContact& contact, const String& label, const String& value) {
         auto values = contact.emailAddresses();
         values.push_back({label, value});
         contact.setEmailAddresses(std::move(values));
     }},
};

Error contactError(CNErrorCode code, const String& message, const String& identifier) {
    return Error(CNErrorDomain, code,
                 {{NSLocalizedDescriptionKey, message},
                  {CNErrorUserInfoAffectedRecordIdentifiersKey, Array{identifier}}});
}

// A file nobody may write to is opened read-only: root would otherwise write it anyway.
bool writeProtected(const std::string& path) {
    struct stat found {};
    return ::stat(path.c_str(), &found) == 0 && (found.st_mode & 0222) == 0;
}

}  // namespace

Result<std::unique_ptr<ContactDatabase>> ContactDatabase::open(const String& path) {
    // SQLite would take an empty name for a private temporary database, lost on closing.
    if (path.isEmpty()) {
        return Error(CNErrorDomain, CNErrorCodeDataAccessError,
                     {{NSLocalizedDescriptionKey, "The contact store has no file name"}});
    }
    const std::string file = path.toUtf8();
    std::error_code madeFolder;
    const auto folder = std::filesystem::path(file).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, madeFolder);
    if (madeFolder) {
        return Error(
            CNErrorDomain, CNErrorCodeDataAccessError,
            {{NSLocalizedDescriptionKey,
              "The contact store " + path + " cannot be made: " + String(madeFolder.message())}});
    }
    const bool readOnly = writeProtected(file);
    sqlite3* handle = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_NOMUTEX;
    const int opened = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    std::unique_ptr<ContactDatabase> database(new ContactDatabase(handle, path));
    if (opened != SQLITE_OK) return database->failure("opened");
    sqlite3_busy_timeout(handle, CNContactStore::kBusyTimeout);
    // Everything is read and checked before anything is written: a damaged file, a newer one
    // or another program's database stays as it is.
    const auto state = database->fileState();
    if (!state) return state.error();
    if (state.value().version > CNContactStore::kSchemaVersion) {
        return Error(CNErrorDomain, CNErrorCodeDataAccessError,
                     {{NSLocalizedDescriptionKey,
                       "The contact store " + path + " was made by a newer version (schema " +
                           String(std::to_string(state.value().version)) + ")"}});
    }
    if (state.value().version == 0 && state.value().tables > 0) {
        return Error(
            CNErrorDomain, CNErrorCodeDataAccessError,
            {{NSLocalizedDescriptionKey,
              "The file " + path + " is another program's database, not a contact store"}});
    }
    if (!readOnly) {
        if (auto logging = database->useWriteAheadLog(); !logging) return logging.error();
    }
    if (state.value().version < CNContactStore::kSchemaVersion) {
        if (auto migrated = database->migrate(); !migrated) return migrated.error();
    }
    return database;
}

Result<ContactDatabase::FileState> ContactDatabase::fileState() {
    // One statement, so one snapshot: another process may be making the schema meanwhile.
    SqliteStatement statement(m_database,
                              "SELECT (SELECT user_version FROM pragma_user_version),"
                              " (SELECT count(*) FROM sqlite_master)");
    if (statement.step() != SQLITE_ROW) return failure("read");
    return FileState{statement.integer(0).value_or(0), statement.integer(1).value_or(0)};
}

Result<bool> ContactDatabase::useWriteAheadLog() {
    // Each query's statement ends before the switch: an open one would hold a transaction.
    {
        SqliteStatement mode(m_database, "PRAGMA journal_mode");
        if (mode.step() != SQLITE_ROW) return failure("read");
        if (mode.text(0) == String("wal")) return true;
    }
    {
        // Switching rewrites the header: only a file whose pages are sound gets it.
        SqliteStatement check(m_database, "PRAGMA quick_check");
        if (check.step() != SQLITE_ROW) return failure("read");
        if (check.text(0) != String("ok")) {
            return Error(CNErrorDomain, CNErrorCodeDataAccessError,
                         {{NSLocalizedDescriptionKey,
                           "The contact store " + m_path + " is damaged: " + check.text(0)}});
        }
    }
    return execute("PRAGMA journal_mode = WAL");
}

Result<bool> ContactDatabase::migrate() {
    return inTransaction([this]() -> Result<bool> {
        // Another process may have migrated the file since it was first read.
        const auto state = fileState();
        if (!state) return state.error();
        const long version = state.value().version;
        if (version >= CNContactStore::kSchemaVersion) return true;
        for (long step = version; step < CNContactStore::kSchemaVersion; ++step) {
            if (auto done = execute(kMigrations[step]); !done) return done;
        }
        const std::string stamp =
            "PRAGMA user_version = " + std::to_string(CNContactStore::kSchemaVersion);
        return execute(stamp.c_str());
    });
}

Result<bool> ContactDatabase::inTransaction(const std::function<Result<bool>()>& work) {
    // Immediate: the write lock is taken (or waited for) up front, so two writers never
    // deadlock upgrading their read locks.
    if (auto begun = execute("BEGIN IMMEDIATE"); !begun) return begun;
    Result<bool> done = work();
    if (done) done = execute("COMMIT");
    if (!done) static_cast<void>(execute("ROLLBACK"));
    return done;
}

Result<bool> ContactDatabase::execute(const char* sql) {
    if (sqlite3_exec(m_database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return failure("written");
    return true;
}

Error ContactDatabase::failure(const char* doing) const {
    return Error(
        CNErrorDomain, CNErrorCodeDataAccessError,
        {{NSLocalizedDescriptionKey, "The contact store " + m_path + " cannot be " + String(doing) +
                                         ": " + String(sqlite3_errmsg(m_database))}});
}

Result<bool> ContactDatabase::save(const CNSaveRequest& request) {
    return inTransaction([&]() -> Result<bool> {
        for (const auto& change : request.changes()) {
            if (auto applied = apply(change); !applied) return applied;
        }
        return true;
    });
}

Result<bool> ContactDatabase::apply(const CNSaveRequest::Change& change) {
    const CNMutableContact& contact = change.contact;
    const String& identifier = contact.identifier();
    if (identifier.isEmpty()) {
        return contactError(CNErrorCodeRecordIdentifierInvalid, "A contact has no identifier",
                            identifier);
    }
    switch (change.kind) {
        case CNSaveRequest::Kind::Add: {
            if (change.container) {
                return contactError(CNErrorCodeRecordDoesNotExist,
                                    "There is no container " + *change.container, identifier);
            }
            auto inserted = writeContact(insertSql().c_str(), contact);
            if (!inserted && sqlite3_extended_errcode(m_database) == SQLITE_CONSTRAINT_PRIMARYKEY) {
                return contactError(CNErrorCodeInsertedRecordAlreadyExists,
                                    "The contact " + identifier + " is already in the store",
                                    identifier);
            }
            if (!inserted) return inserted;
            return writeLabeledValues(contact);
        }
        case CNSaveRequest::Kind::Update: {
            if (auto updated = writeContact(updateSql().c_str(), contact); !updated) return updated;
            if (sqlite3_changes(m_database) == 0) break;
            return writeLabeledValues(contact);
        }
        case CNSaveRequest::Kind::Delete: {
            SqliteStatement statement(m_database, "DELETE FROM contacts WHERE identifier = ?1");
            if (statement.bind(1, identifier).step() != SQLITE_DONE) return failure("written");
            if (sqlite3_changes(m_database) == 0) break;
            SqliteStatement values(m_database, "DELETE FROM labeled_values WHERE contact = ?1");
            if (values.bind(1, identifier).step() != SQLITE_DONE) return failure("written");
            return true;
        }
    }
    return contactError(CNErrorCodeRecordDoesNotExist,
                        "The contact " + identifier + " does not exist", identifier);
}

Result<bool> ContactDatabase::writeContact(const char* sql, const CNContact& contact) {
    SqliteStatement statement(m_database, sql);
    statement.bind(1, contact.identifier()).bind(2, std::optional<long>(contact.contactType()));
    int parameter = 3;
    for (const TextColumn& column : kTextColumns)
        statement.bind(parameter++, (contact.*column.get)());
    statement.bind(kImageColumn + 1, contact.imageData());
    const auto& birthday = contact.birthday();
    statement.bind(kBirthdayColumn + 1, birthday ? birthday->year : std::nullopt)
        .bind(kBirthdayColumn + 2, birthday ? birthday->month : std::nullopt)
        .bind(kBirthdayColumn + 3, birthday ? birthday->day : std::nullopt);
    if (statement.step() != SQLITE_DONE) return failure("written");
    return true;
}

Result<bool> ContactDatabase::writeLabeledValues(const CNContact& contact) {
    SqliteStatement cleared(m_database, "DELETE FROM labeled_values WHERE contact = ?1");
    if (cleared.bind(1, contact.identifier()).step() != SQLITE_DONE) return failure("written");
    for (const LabeledField& field : kLabeledFields) {
        long position = 0;
        for (const auto& [label, value] : field.read(contact)) {
            SqliteStatement statement(m_database,
                                      "INSERT INTO labeled_values(contact, property, position,"
                                      " label, value) VALUES(?1, ?2, ?3, ?4, ?5)");
            statement.bind(1, contact.identifier())
                .bind(2, String(field.property))
                .bind(3, std::optional<long>(position++))
                .bind(4, label)
                .bind(5, value);
            if (statement.step() != SQLITE_DONE) return failure("written");
        }
    }
    return true;
}

Result<bool> ContactDatabase::readLabeledValues(CNMutableContact& contact) {
    SqliteStatement statement(m_database,
                              "SELECT property, label, value FROM labeled_values"
                              " WHERE contact = ?1 ORDER BY property, position");
    statement.bind(1, contact.identifier());
    int stepped;
    while ((stepped = statement.step()) == SQLITE_ROW) {
        const String property = statement.text(0);
        for (const LabeledField& field : kLabeledFields) {
            if (property == String(field.property))
                field.write(contact, statement.text(1), statement.text(2));
        }
    }
    if (stepped != SQLITE_DONE) return failure("read");
    return true;
}

Result<std::vector<CNMutableContact>> ContactDatabase::readContacts(const char* sql,
                                                                    const String* identifier) {
    SqliteStatement statement(m_database, sql);
    if (identifier) statement.bind(1, *identifier);
    std::vector<CNMutableContact> contacts;
    int stepped;
    while ((stepped = statement.step()) == SQLITE_ROW) {
        CNMutableContact contact(statement.text(0));
        contact.setContactType(statement.integer(1) == CNContactTypeOrganization
                                   ? CNContactTypeOrganization
                                   : CNContactTypePerson);
        int column = 2;
        for (const TextColumn& text : kTextColumns)
            (contact.*text.set)(statement.text(column++));
        contact.setImageData(statement.blob(kImageColumn));
        DateComponents birthday;
        birthday.year = statement.integer(kBirthdayColumn);
        birthday.month = statement.integer(kBirthdayColumn + 1);
        birthday.day = statement.integer(kBirthdayColumn + 2);
        if (birthday.year || birthday.month || birthday.day) contact.setBirthday(birthday);
        contacts.push_back(std::move(contact));
    }
    if (stepped != SQLITE_DONE) return failure("read");
    for (CNMutableContact& contact : contacts) {
        if (auto read = readLabeledValues(contact); !read) return read.error();
    }
    return contacts;
}

Result<std::optional<CNMutableContact>> ContactDatabase::contactWithIdentifier(
    const String& identifier) {
    auto found = readContacts(selectSql(true).c_str(), &identifier);
    if (!found) return found.error();
    if (found.value().empty()) return std::optional<CNMutableContact>();
    return std::optional<CNMutableContact>(std::move(found).value().front());
}

Result<std::vector<CNMutableContact>> ContactDatabase::contacts() {
    return readContacts(selectSql(false).c_str(), nullptr);
}

}  // namespace ov
