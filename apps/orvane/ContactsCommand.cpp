// `orvane contacts`: the address book from the command line.
//
//   orvane contacts add --given Ada --family Lovelace --phone "+44 20 7946 0000"
//   orvane contacts list                    ID<TAB>given family<TAB>phones joined by ","
//   orvane contacts show ID | delete ID     one contact as a vCard | removed
//   orvane contacts export > all.vcf
//   orvane contacts import all.vcf          one identifier per contact
//
// --db FILE (before the sub-command) chooses the database, as ORVANE_CONTACTS_DB does.
// Importing a contact whose identifier is in the book already updates it, so importing a file
// twice makes no copies.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Command.h"
#include "orvane/contacts/CNContactStore+CNContactStore.h"
#include "orvane/platform/contacts/CNContactStore.h"
#include "orvane/platform/contacts/CNContactVCardSerialization.h"

namespace orvane::cli {
namespace {

namespace Contacts = ov::CNContactStore_CNContactStore;

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane contacts: %s\n", message.c_str());
    return 1;
}

int fail(const ov::Error& error) {
    return fail(error.localizedDescription().toUtf8());
}

void writeOut(const ov::Data& data) {
    std::fwrite(data.bytes(), 1, data.length(), stdout);
}

// The file's bytes, or why they cannot be had.
std::variant<ov::Data, std::string> readFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::string("cannot read ") + path + ": " + std::strerror(errno);
    struct stat found {};
    if (::fstat(fd, &found) == 0 && S_ISDIR(found.st_mode)) {
        ::close(fd);
        return std::string("cannot read ") + path + ": it is a directory";
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    const int error = errno;
    ::close(fd);
    if (got < 0) return std::string("cannot read ") + path + ": " + std::strerror(error);
    return ov::Data(std::move(bytes));
}

int add(Arguments arguments) {
    std::optional<ov::String> given, family;
    std::vector<ov::String> phones, urls, emails;
    for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
        const std::string_view option = arguments[i];
        const ov::String value = arguments[i + 1];
        if (option == "--given") {
            given = value;
        } else if (option == "--family") {
            family = value;
        } else if (option == "--phone") {
            phones.push_back(value);
        } else if (option == "--url") {
            urls.push_back(value);
        } else if (option == "--email") {
            emails.push_back(value);
        } else {
            return usage("contacts");
        }
    }
    if (!given || arguments.size() % 2 != 0) return usage("contacts");
    const ov::CNMutableContact contact = Contacts::createContactType(
        ov::CNContactTypePerson, phones, urls, emails, std::nullopt, given, std::nullopt, family,
        std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
        std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    if (!Contacts::addContact(contact)) return fail("the contact was not saved");
    printLine(contact.identifier());
    return 0;
}

int list() {
    ov::CNContactStore store;
    const auto contacts = store.allContacts();
    if (!contacts) return fail(contacts.error());
    for (const ov::CNContact& contact : contacts.value()) {
        ov::String name = contact.givenName();
        if (!name.isEmpty() && !contact.familyName().isEmpty()) name += " ";
        name += contact.familyName();
        ov::String phones;
        for (const auto& phone : contact.phoneNumbers()) {
            if (!phones.isEmpty()) phones += ",";
            phones += phone.value.stringValue();
        }
        printLine(contact.identifier() + "\t" + name + "\t" + phones);
    }
    return 0;
}

// The contact, or none after saying why it cannot be had.
std::optional<ov::CNContact> existing(ov::CNContactStore& store, const ov::String& identifier) {
    auto found = store.unifiedContactWithIdentifier(identifier);
    if (found) return found.value();
    if (found.error().code() == ov::CNErrorCodeRecordDoesNotExist)
        fail("no contact with identifier " + identifier.toUtf8());
    else
        fail(found.error());
    return std::nullopt;
}

int show(const ov::String& identifier) {
    ov::CNContactStore store;
    const auto contact = existing(store, identifier);
    if (!contact) return 1;
    writeOut(ov::CNContactVCardSerialization::dataWithContacts({*contact}));
    return 0;
}

int deleteOne(const ov::String& identifier) {
    ov::CNContactStore store;
    const auto contact = existing(store, identifier);
    if (!contact) return 1;
    if (!Contacts::deleteContact(contact->mutableCopy()))
        return fail("the contact was not deleted");
    return 0;
}

int exportAll() {
    ov::CNContactStore store;
    const auto contacts = store.allContacts();
    if (!contacts) return fail(contacts.error());
    writeOut(ov::CNContactVCardSerialization::dataWithContacts(contacts.value()));
    return 0;
}

int importFile(const char* path) {
    const auto file = readFile(path);
    if (const auto* problem = std::get_if<std::string>(&file)) return fail(*problem);
    const auto contacts =
        ov::CNContactVCardSerialization::contactsWithData(std::get<ov::Data>(file));
    if (!contacts)
        return fail(std::string(path) + ": " + contacts.error().localizedDescription().toUtf8());
    ov::CNContactStore store;
    ov::CNSaveRequest request;
    for (const ov::CNMutableContact& contact : contacts.value()) {
        const auto known = store.unifiedContactWithIdentifier(contact.identifier());
        if (!known && known.error().code() != ov::CNErrorCodeRecordDoesNotExist)
            return fail(known.error());
        known ? request.updateContact(contact) : request.addContact(contact, std::nullopt);
    }
    if (const auto saved = store.executeSaveRequest(request); !saved) return fail(saved.error());
    for (const ov::CNMutableContact& contact : contacts.value())
        printLine(contact.identifier());
    return 0;
}

int run(Arguments arguments) {
    if (arguments.size() >= 2 && std::string_view(arguments[0]) == "--db") {
        ::setenv(ov::CNContactStore::kDatabaseEnvironmentVariable, arguments[1], 1);
        arguments = arguments.subspan(2);
    }
    if (arguments.empty()) return usage("contacts");
    const std::string_view verb = arguments[0];
    const Arguments rest = arguments.subspan(1);
    if (verb == "add") return add(rest);
    if (verb == "list" && rest.empty()) return list();
    if (verb == "show" && rest.size() == 1) return show(rest[0]);
    if (verb == "delete" && rest.size() == 1) return deleteOne(rest[0]);
    if (verb == "export" && rest.empty()) return exportAll();
    if (verb == "import" && rest.size() == 1) return importFile(rest[0]);
    return usage("contacts");
}

}  // namespace

static const Command kContacts{
    "contacts",
    "contacts [--db FILE] add --given NAME [--family NAME] [--phone P]... [--url U]... "
    "[--email E]... | list | show ID | delete ID | export | import FILE.vcf",
    run};

}  // namespace orvane::cli
