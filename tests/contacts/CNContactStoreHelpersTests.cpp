#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "orvane/contacts/CNContactStore+CNContactStore.h"
#include "orvane/contacts/CNMutableContact+CNMutableContact.h"
#include "orvane/platform/contacts/CNContactStore.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/EnvironmentVariableScope.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

namespace Contacts = CNContactStore_CNContactStore;
namespace Contact = CNMutableContact_CNMutableContact;

class CNContactStoreHelpersTest : public ::testing::Test {
  protected:
    String path() const { return m_folder.path() + "/contacts.sqlite3"; }
    std::vector<CNContact> stored() { return CNContactStore(path()).allContacts().value(); }
    std::optional<CNContact> find(const CNContact& contact) {
        auto found = CNContactStore(path()).unifiedContactWithIdentifier(contact.identifier());
        return found ? std::optional(found.value()) : std::nullopt;
    }
    // The one log line every failed save writes.
    static bool loggedSaveError(const SystemLogCapture& log, const std::string& why) {
        const auto entries = log.entries();
        return entries.size() == 1 && entries[0].starts_with("error executeSaveRequest: ") &&
               entries[0].find(why) != std::string::npos;
    }

    test::TemporaryDirectory m_folder;
    test::EnvironmentVariableScope m_database{CNContactStore::kDatabaseEnvironmentVariable,
                                              path().toUtf8()};
};

TEST_F(CNContactStoreHelpersTest, StoreOperationsReplaceLabelledValuesInOrder) {
    CNMutableContact contact;
    Contact::storePhoneNumbers(contact, {"1", "2"});
    EXPECT_EQ(contact.phoneNumbers(),
              (CNLabeledPhoneNumbers{{CNLabelPhoneNumberiPhone, CNPhoneNumber("1")},
                                     {CNLabelPhoneNumberiPhone, CNPhoneNumber("2")}}));
    Contact::storePhoneNumbers(contact, {});
    EXPECT_TRUE(contact.phoneNumbers().empty());

    Contact::storeUrls(contact, {"a", "b"}, {"one"});
    EXPECT_EQ(contact.urlAddresses(), (CNLabeledStrings{{CNLabelURLAddressHomePage, "a"},
                                                        {CNLabelURLAddressHomePage, "b"}}));
    Contact::storeUrls(contact, {"a", "b"}, {"one", "two", "three"});
    EXPECT_EQ(contact.urlAddresses(), (CNLabeledStrings{{"one", "a"}, {"two", "b"}}));
    Contact::storeUrls(contact, {"c"});
    EXPECT_EQ(contact.urlAddresses(), (CNLabeledStrings{{"_$!<HomePage>!$_", "c"}}));

    Contact::storeEmails(contact, {"x@example.org"});
    EXPECT_EQ(contact.emailAddresses(), (CNLabeledStrings{{"emailAddresses", "x@example.org"}}));
    EXPECT_EQ(String(CNLabelPhoneNumberiPhone), "iPhone");

    const auto pair = Contacts::labelTitle(CNLabelWork, CNPhoneNumber("3"));
    EXPECT_EQ(pair.label, CNLabelWork);
    EXPECT_EQ(pair.value, CNPhoneNumber("3"));
}

TEST_F(CNContactStoreHelpersTest, CreationSetsEachFieldFromItsOwnArgumentWithoutSaving) {
    DateComponents birthday;
    birthday.year = 1815;
    birthday.month = 12;
    birthday.day = 10;
    const Data image = Data::fromString("GIF89a");
    const CNMutableContact ada = Contacts::createContactType(
        CNContactTypeOrganization, {"+44 1"}, std::vector<String>{"https://ada.example"},
        std::vector<String>{"ada@example.org"}, "Lady", "Ada", "Augusta", "Lovelace", "Byron",
        "Countess", "Ada", "エイダ", "オーガスタ", "ラブレス", "Analytical Engines", "Notes",
        "Programmer", "Note G", image, birthday);
    EXPECT_FALSE(ada.identifier().isEmpty());
    EXPECT_EQ(ada.urlAddresses(),
              (CNLabeledStrings{{CNLabelURLAddressHomePage, "https://ada.example"}}));
    EXPECT_EQ(ada.emailAddresses(),
              (CNLabeledStrings{{CNContactEmailAddressesKey, "ada@example.org"}}));
    EXPECT_EQ(ada.phoneNumbers().size(), 1u);
    EXPECT_EQ(ada.familyName(), "Lovelace");
    EXPECT_EQ(ada.previousFamilyName(), "Byron");
    const std::vector<String> texts{
        ada.namePrefix(),         ada.givenName(),          ada.middleName(),
        ada.nameSuffix(),         ada.nickname(),           ada.phoneticGivenName(),
        ada.phoneticMiddleName(), ada.phoneticFamilyName(), ada.organizationName(),
        ada.departmentName(),     ada.jobTitle(),           ada.note()};
    EXPECT_EQ(texts, (std::vector<String>{"Lady", "Ada", "Augusta", "Countess", "Ada", "エイダ",
                                          "オーガスタ", "ラブレス", "Analytical Engines", "Notes",
                                          "Programmer", "Note G"}));
    EXPECT_EQ(ada.imageData(), image);
    EXPECT_EQ(ada.birthday(), birthday);
    EXPECT_EQ(ada.contactType(), CNContactTypeOrganization);

    const CNMutableContact bare = Contacts::createContact(Value("ignored"), {"5"});
    EXPECT_EQ(bare.contactType(), CNContactTypePerson);
    EXPECT_EQ(bare.phoneNumbers(), (CNLabeledPhoneNumbers{{"iPhone", CNPhoneNumber("5")}}));
    EXPECT_TRUE(bare.givenName().isEmpty() && bare.urlAddresses().empty() &&
                bare.emailAddresses().empty() && !bare.imageData() && !bare.birthday());
    EXPECT_NE(bare.identifier(), ada.identifier());
    EXPECT_FALSE(std::filesystem::exists(path().toUtf8()));
}

TEST_F(CNContactStoreHelpersTest, SavesUpdatesAndDeletesThroughTheDefaultStore) {
    SystemLogCapture log;
    const CNMutableContact ada = Contacts::addContactName("Ada", {"1"}, {"https://ada.example"});
    CNMutableContact grace = Contacts::createContactType(CNContactTypePerson, {"2"});
    EXPECT_TRUE(Contacts::addContact(grace));
    ASSERT_EQ(stored().size(), 2u);
    EXPECT_EQ(*find(ada), ada);
    EXPECT_EQ(find(ada)->urlAddresses()[0].label, CNLabelURLAddressHomePage);

    grace.setGivenName("Grace");
    EXPECT_TRUE(Contacts::updateContact(grace));
    EXPECT_EQ(find(grace)->givenName(), "Grace");
    CNMutableContact ada2 = ada, grace2 = grace;
    ada2.setNote("first");
    grace2.setNote("second");
    EXPECT_TRUE(Contacts::updateContacts({ada2, grace2}));
    EXPECT_EQ(find(ada)->note(), "first");
    EXPECT_EQ(find(grace)->note(), "second");
    EXPECT_TRUE(Contacts::updateContacts({}));

    EXPECT_TRUE(Contacts::deleteContact(ada));
    EXPECT_FALSE(find(ada));
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(CNContactStoreHelpersTest, ContactsThatAreGoneOrHaveNoIdentifierAreRefused) {
    const CNMutableContact kept = Contacts::addContactName("Kept", {});
    const CNMutableContact gone = Contacts::addContactName("Gone", {});
    ASSERT_TRUE(Contacts::deleteContact(gone));
    SystemLogCapture log;

    EXPECT_FALSE(Contacts::updateContact(gone));
    EXPECT_TRUE(loggedSaveError(log, "does not exist"));
    log.clear();
    EXPECT_FALSE(Contacts::deleteContact(gone));
    EXPECT_TRUE(loggedSaveError(log, "does not exist"));
    log.clear();
    // One missing contact in the list keeps the others unchanged.
    CNMutableContact renamed = kept;
    renamed.setGivenName("Renamed");
    EXPECT_FALSE(Contacts::updateContacts({renamed, gone}));
    EXPECT_TRUE(loggedSaveError(log, gone.identifier().toUtf8()));
    EXPECT_EQ(find(kept)->givenName(), "Kept");
    log.clear();

    const CNMutableContact nameless(String(""));
    EXPECT_FALSE(Contacts::addContact(nameless));
    EXPECT_FALSE(Contacts::updateContact(nameless));
    EXPECT_FALSE(Contacts::deleteContact(nameless));
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{"addContact error: !contact.identifier",
                                        "updateContact error: !contact.identifier",
                                        "deleteContact error: !contact.identifier"}));
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(CNContactStoreHelpersTest, AStoreThatCannotBeOpenedAnswersFalseAndLogs) {
    std::ofstream(path().toUtf8(), std::ios::binary) << std::string(2048, '\x01');
    SystemLogCapture log;
    const CNMutableContact ada = Contacts::addContactName("Ada", {"1"});
    EXPECT_EQ(ada.givenName(), "Ada");
    EXPECT_TRUE(loggedSaveError(log, "file is not a database"));
    const std::function<bool()> operations[] = {
        [&] { return Contacts::addContact(ada); },
        [&] { return Contacts::updateContact(ada); },
        [&] { return Contacts::deleteContact(ada); },
        // An empty list still runs its one request, which meets the damaged file.
        [&] { return Contacts::updateContacts({}); },
        [&] { return Contacts::execRequest(CNSaveRequest()); },
    };
    for (const auto& operation : operations) {
        log.clear();
        EXPECT_FALSE(operation());
        EXPECT_TRUE(loggedSaveError(log, "file is not a database"));
    }
    std::ifstream file(path().toUtf8(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), std::string(2048, '\x01'));
}

}  // namespace
}  // namespace ov
