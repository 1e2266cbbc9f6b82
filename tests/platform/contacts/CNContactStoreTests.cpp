#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "orvane/platform/contacts/CNContactStore.h"
#include "platform/contacts/ContactSamples.h"
#include "support/EnvironmentVariableScope.h"
#include "support/FileSizeLimitScope.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

std::string bytesOf(const String& path) {
    std::ifstream file(path.toUtf8(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class CNContactStoreTest : public ::testing::Test {
  protected:
    String path() const { return m_folder.path() + "/book/contacts.sqlite3"; }

    Result<bool> save(void (CNSaveRequest::*change)(const CNMutableContact&),
                      const CNMutableContact& contact) {
        CNSaveRequest request;
        (request.*change)(contact);
        return CNContactStore(path()).executeSaveRequest(request);
    }
    Result<bool> add(const CNMutableContact& contact) {
        CNSaveRequest request;
        request.addContact(contact, std::nullopt);
        return CNContactStore(path()).executeSaveRequest(request);
    }
    size_t count() {
        const auto all = CNContactStore(path()).allContacts();
        return all ? all.value().size() : 0;
    }
    // The store refuses to save (and, unless the file is readable, to read) with a
    // data-access error, and leaves the file as it was.
    enum class Reads { Fail, MayWork };
    void expectUnusableAndUntouched(const std::string& why, Reads reads = Reads::Fail) {
        const std::string before = bytesOf(path());
        CNContactStore store(path());
        const auto saved = add(CNMutableContact());
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.error().domain(), String(CNErrorDomain));
        EXPECT_EQ(saved.error().code(), CNErrorCodeDataAccessError);
        EXPECT_TRUE(saved.error().localizedDescription().containsString(String(why)))
            << saved.error().localizedDescription().toUtf8();
        if (reads == Reads::Fail) {
            EXPECT_FALSE(store.allContacts());
            EXPECT_FALSE(store.unifiedContactWithIdentifier("x"));
        }
        EXPECT_EQ(bytesOf(path()), before);
    }

    test::TemporaryDirectory m_folder;
};

TEST_F(CNContactStoreTest, KeepsEveryFieldThroughAddUpdateAndDelete) {
    const CNMutableContact zoe = test::everyFieldContact();
    CNMutableContact plain;
    plain.setGivenName("Bob");
    plain.setImageData(Data());
    ASSERT_TRUE(add(zoe));
    ASSERT_TRUE(add(plain));

    CNContactStore store(path());
    EXPECT_EQ(store.unifiedContactWithIdentifier(zoe.identifier()).value(), zoe);
    const auto all = store.allContacts();
    ASSERT_EQ(all.value().size(), 2u);
    EXPECT_EQ(all.value()[0].identifier(), zoe.identifier());
    // Empty image data is not the same as none.
    EXPECT_EQ(all.value()[1], plain);

    CNMutableContact changed = zoe.mutableCopy();
    changed.setGivenName("Zoé");
    changed.setPhoneNumbers({{CNLabelWork, CNPhoneNumber("1")}});
    changed.setImageData(std::nullopt);
    changed.setBirthday(std::nullopt);
    ASSERT_TRUE(save(&CNSaveRequest::updateContact, changed));
    EXPECT_EQ(store.unifiedContactWithIdentifier(zoe.identifier()).value(), changed);
    EXPECT_EQ(store.allContacts().value()[0].identifier(), zoe.identifier());

    ASSERT_TRUE(save(&CNSaveRequest::deleteContact, changed));
    const auto gone = store.unifiedContactWithIdentifier(zoe.identifier());
    ASSERT_FALSE(gone);
    EXPECT_EQ(gone.error().domain(), String(CNErrorDomain));
    EXPECT_EQ(gone.error().code(), CNErrorCodeRecordDoesNotExist);
    EXPECT_EQ(count(), 1u);
}

TEST_F(CNContactStoreTest, ARequestFailingPartWayChangesNothing) {
    CNMutableContact ada;
    ada.setGivenName("Ada");
    ASSERT_TRUE(add(ada));

    CNMutableContact renamed = ada.mutableCopy();
    renamed.setGivenName("Augusta");
    CNMutableContact newcomer, ghost;
    CNSaveRequest request;
    request.updateContact(renamed);
    request.addContact(newcomer, std::nullopt);
    request.updateContact(ghost);
    request.deleteContact(ada);
    const auto saved = CNContactStore(path()).executeSaveRequest(request);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().code(), CNErrorCodeRecordDoesNotExist);
    EXPECT_EQ(saved.error().userInfo().objectForKey(CNErrorUserInfoAffectedRecordIdentifiersKey),
              Value(Array{ghost.identifier()}));
    CNContactStore store(path());
    EXPECT_EQ(store.unifiedContactWithIdentifier(ada.identifier()).value().givenName(), "Ada");
    EXPECT_FALSE(store.unifiedContactWithIdentifier(newcomer.identifier()));

    // Each kind of refusal has its own code.
    EXPECT_EQ(add(ada).error().code(), CNErrorCodeInsertedRecordAlreadyExists);
    EXPECT_EQ(save(&CNSaveRequest::deleteContact, ghost).error().code(),
              CNErrorCodeRecordDoesNotExist);
    EXPECT_EQ(add(CNMutableContact("")).error().code(), CNErrorCodeRecordIdentifierInvalid);
    CNSaveRequest elsewhere;
    elsewhere.addContact(newcomer, String("icloud"));
    EXPECT_EQ(store.executeSaveRequest(elsewhere).error().code(), CNErrorCodeRecordDoesNotExist);
    EXPECT_TRUE(store.executeSaveRequest(CNSaveRequest()));
    EXPECT_EQ(count(), 1u);
}

TEST_F(CNContactStoreTest, FindsContactsByAnyNameIgnoringCase) {
    CNMutableContact zoe = test::everyFieldContact(), bob, acme;
    bob.setGivenName("Bob");
    bob.setNickname("Bobby Tables");
    acme.setOrganizationName("ACME Anvils");
    for (const auto* contact : {&zoe, &bob, &acme})
        ASSERT_TRUE(add(*contact));

    CNContactStore store(path());
    const auto names = [&](const String& name) {
        std::vector<String> found;
        const auto matching = store.unifiedContactsMatchingName(name);
        for (const CNContact& contact : matching.value())
            found.push_back(contact.identifier());
        return found;
    };
    EXPECT_EQ(names("ZOË"), std::vector<String>{zoe.identifier()});
    EXPECT_EQ(names("müller"), std::vector<String>{zoe.identifier()});
    EXPECT_EQ(names("tables"), std::vector<String>{bob.identifier()});
    EXPECT_EQ(names("acme"), (std::vector<String>{zoe.identifier(), acme.identifier()}));
    EXPECT_TRUE(names("").empty());
    EXPECT_TRUE(names("nobody").empty());
}

TEST_F(CNContactStoreTest, DatabaseIsMadeWhereTheEnvironmentSaysWithLoggingAndVersion) {
    test::EnvironmentVariableScope chosen(CNContactStore::kDatabaseEnvironmentVariable, {});
    test::EnvironmentVariableScope data("XDG_DATA_HOME", m_folder.path().toUtf8() + "/data");
    const String expected = m_folder.path() + "/data/orvane/contacts.sqlite3";
    EXPECT_EQ(CNContactStore::defaultDatabasePath(), expected);
    ASSERT_TRUE(CNContactStore().executeSaveRequest(CNSaveRequest()));
    // Read once the store is closed and its log written back into the file.
    const std::string header = bytesOf(expected);
    ASSERT_GE(header.size(), 64u);
    // File format versions 2 mean write-ahead logging; the user version is the schema's.
    EXPECT_EQ(header[18], 2);
    EXPECT_EQ(header[19], 2);
    EXPECT_EQ(header[63], CNContactStore::kSchemaVersion);
    chosen.set(path().toUtf8());
    EXPECT_EQ(CNContactStore::defaultDatabasePath(), path());
    EXPECT_TRUE(CNContactStore().executeSaveRequest(CNSaveRequest()));
    EXPECT_TRUE(std::filesystem::exists(path().toUtf8()));
}

TEST_F(CNContactStoreTest, DamagedNewerForeignOrWriteProtectedFilesAreNeverWritten) {
    std::filesystem::create_directories(m_folder.path().toUtf8() + "/book");
    std::ofstream(path().toUtf8(), std::ios::binary) << std::string(4096, '\x5a');
    expectUnusableAndUntouched("file is not a database");

    std::filesystem::remove(path().toUtf8());
    ASSERT_TRUE(add(CNMutableContact()));
    {
        std::string newer = bytesOf(path());
        newer[63] = 99;
        std::ofstream(path().toUtf8(), std::ios::binary) << newer;
    }
    expectUnusableAndUntouched("newer version");

    std::filesystem::remove(path().toUtf8());
    sqlite3* other = nullptr;
    sqlite3_open(path().toUtf8().c_str(), &other);
    sqlite3_exec(other, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    expectUnusableAndUntouched("another program's database");

    std::filesystem::remove(path().toUtf8());
    ASSERT_TRUE(add(CNMutableContact()));
    ::chmod(path().toUtf8().c_str(), 0444);
    expectUnusableAndUntouched("readonly", Reads::MayWork);
    ::chmod(path().toUtf8().c_str(), 0644);
    EXPECT_EQ(count(), 1u);
}

TEST_F(CNContactStoreTest, AFullDiskFailsTheSaveAndKeepsTheBook) {
    ASSERT_TRUE(add(CNMutableContact()));
    const std::string before = bytesOf(path());
    CNMutableContact large;
    large.setImageData(Data(std::vector<uint8_t>(1 << 20, 7)));
    {
        test::FileSizeLimitScope full(before.size() + 64 * 1024);
        const auto saved = add(large);
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.error().code(), CNErrorCodeDataAccessError);
    }
    EXPECT_EQ(bytesOf(path()), before);
    EXPECT_EQ(count(), 1u);
}

TEST_F(CNContactStoreTest, AFolderThatCannotBeMadeFailsEveryOperation) {
    std::ofstream(m_folder.path().toUtf8() + "/book") << "a file where the folder should be";
    expectUnusableAndUntouched("cannot be made");
}

TEST_F(CNContactStoreTest, TwoProcessesSavingAtOnceLoseNothing) {
    constexpr int kEach = 20;
    ASSERT_TRUE(CNContactStore(path()).executeSaveRequest(CNSaveRequest()));
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kEach; ++i)
                failures += add(CNMutableContact()).ok() ? 0 : 1;
            ::_exit(failures);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(count(), 2u * kEach);
}

}  // namespace
}  // namespace ov
