#include <gtest/gtest.h>

#include <set>

#include "orvane/platform/contacts/CNContactVCardSerialization.h"
#include "orvane/platform/contacts/CNError.h"
#include "platform/contacts/ContactSamples.h"

namespace ov {
namespace {

std::vector<std::string> physicalLines(const Data& data) {
    std::vector<std::string> lines;
    std::string_view text = data.view();
    while (!text.empty()) {
        const size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
    return lines;
}

Result<std::vector<CNMutableContact>> read(const std::string& text) {
    return CNContactVCardSerialization::contactsWithData(Data::fromString(text));
}

TEST(CNContactVCardSerializationTest, RoundTripKeepsEveryFieldInFoldedEscapedLines) {
    const CNMutableContact zoe = test::everyFieldContact();
    const Data written = CNContactVCardSerialization::dataWithContacts({zoe, CNMutableContact()});

    const auto back = CNContactVCardSerialization::contactsWithData(written);
    ASSERT_TRUE(back) << back.error().description().toUtf8();
    ASSERT_EQ(back.value().size(), 2u);
    EXPECT_EQ(CNContact(back.value()[0]), CNContact(zoe));

    const std::string text(written.view());
    for (const char* expected :
         {"BEGIN:VCARD\r\nVERSION:4.0\r\nUID:", "\r\nKIND:org\r\n",
          "\r\nFN:Dr. Zoë Ünal Müller-Łukasiewicz Jr.\r\n",
          "\r\nN:Müller-Łukasiewicz;Zoë;Ünal;Dr.;Jr.\r\n", "\r\nORG:Acme\\, Inc.;R\\;D\r\n",
          "\r\nNICKNAME:Zo\\, the \\\\ one\r\n", "\r\nBDAY:--0412\r\n",
          "\r\nTEL;TYPE=cell;X-LABEL=\"iPhone\":+49 30 1234\r\n",
          "\r\nTEL;TYPE=home:030\\;555\\,0101\r\n", "\r\nTEL:112\r\n",
          "\r\nEMAIL;X-LABEL=\"emailAddresses\":zoe@example.org\r\n",
          "\r\nURL;X-LABEL=\"_$!<HomePage>!$_\":https://example.org/a\\,b\r\n",
          "\r\nURL;X-LABEL=\"my ^'blog^' ^^\":",
          "\r\nPHOTO:data:image/png;base64,iVBORw0KGgoAAQI=\r\n",
          "\r\nNOTE:First line\\nsecond line: "}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    bool folded = false;
    for (const std::string& line : physicalLines(written)) {
        EXPECT_LE(line.size(), 75u) << line;
        // A fold never cuts a character in two.
        EXPECT_TRUE(String::fromUtf8(line)) << line;
        folded = folded || line.starts_with(" ");
    }
    EXPECT_TRUE(folded);
}

TEST(CNContactVCardSerializationTest, ReadsCardsOfOtherAddressBooks) {
    const auto cards = read(
        "\xEF\xBB\xBF"
        "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John;;;\nFN:John Doe\n"
        "item1.TEL;type=CELL;type=VOICE;type=pref:555-0100\nTEL;HOME:555-0101\n"
        "item1.X-ABLabel:_$!<Other>!$_\nitem2.EMAIL:john@home.example\nitem2.X-ABLabel:Gym\n"
        "TEL;VALUE=uri;TYPE=\"work\":tel:+1-555-0102\n"
        "EMAIL;TYPE=INTERNET,WORK:john@work.example\n"
        "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\n SkZJRg==\n"
        "BDAY:1985-04-12T00:00:00Z\nX-MAIDENNAME:M\xC3\n \xBCller\nNOTE:two\\nlines\\, "
        "\\;kept\nX-UNKNOWN;P=1:ignored\nEND:VCARD\n"
        "\r\n"
        "begin:vcard\r\nversion:4.0\r\nfn:Grace Hopper\r\nkind:org\r\ntel;type=cell:7\r\n"
        "photo:https://example.org/grace.jpg\r\nbday:1906\r\nend:vcard\r\n");
    ASSERT_TRUE(cards) << cards.error().description().toUtf8();
    ASSERT_EQ(cards.value().size(), 2u);
    const CNMutableContact& john = cards.value()[0];
    EXPECT_EQ(john.givenName(), "John");
    EXPECT_EQ(john.familyName(), "Doe");
    EXPECT_EQ(john.phoneNumbers(),
              (CNLabeledPhoneNumbers{{CNLabelOther, CNPhoneNumber("555-0100")},
                                     {CNLabelHome, CNPhoneNumber("555-0101")},
                                     {CNLabelWork, CNPhoneNumber("+1-555-0102")}}));
    EXPECT_EQ(john.emailAddresses(),
              (CNLabeledStrings{{"Gym", "john@home.example"}, {CNLabelWork, "john@work.example"}}));
    EXPECT_EQ(john.imageData(),
              Data::fromString(std::string_view("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10)));
    EXPECT_EQ(john.birthday()->year, 1985);
    EXPECT_EQ(john.birthday()->day, 12);
    EXPECT_EQ(john.note(), "two\nlines, ;kept");
    // Folded inside a character by its writer.
    EXPECT_EQ(john.previousFamilyName(), "Müller");

    const CNMutableContact& grace = cards.value()[1];
    EXPECT_EQ(grace.givenName(), "Grace Hopper");
    EXPECT_EQ(grace.phoneNumbers(),
              (CNLabeledPhoneNumbers{{CNLabelPhoneNumberMobile, CNPhoneNumber("7")}}));
    EXPECT_EQ(grace.contactType(), CNContactTypeOrganization);
    EXPECT_FALSE(grace.imageData());
    EXPECT_EQ(grace.birthday()->year, 1906);
    EXPECT_FALSE(grace.birthday()->month);
    // Cards without UID get identifiers of their own.
    EXPECT_FALSE(john.identifier().isEmpty());
    EXPECT_NE(john.identifier(), grace.identifier());

    EXPECT_TRUE(read("").value().empty());
}

TEST(CNContactVCardSerializationTest, MalformedTextIsRefusedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"BEGIN:VCARD\nFN:\xC3\n", "line 2: the text is not UTF-8"},
        {"hello: world\n", "line 1: expected BEGIN:VCARD"},
        {"BEGIN:VCARD\nFN:x\n", "line 2: the card has no END:VCARD"},
        {"BEGIN:VCARD\nBEGIN:VCARD\n", "line 2: BEGIN:VCARD inside a card"},
        {"BEGIN:VCARD\nVERSION:4.0\nno colon here\nEND:VCARD\n", "line 3: not a property line"},
        {"BEGIN:VCARD\nTEL;TYPE=\"cell:1\nEND:VCARD\n", "line 2: not a property line"},
        {"BEGIN:VCARD\nPHOTO:data:image/png;base64,@@@@\nEND:VCARD\n",
         "line 2: PHOTO is not base64"},
        {"BEGIN:VCARD\nPHOTO:data:image/png,raw\nEND:VCARD\n", "line 2: PHOTO is not a base64"},
    };
    for (const auto& [text, why] : cases) {
        const auto refused = read(text);
        ASSERT_FALSE(refused) << text;
        EXPECT_EQ(refused.error().domain(), String(CNErrorDomain));
        EXPECT_EQ(refused.error().code(), CNErrorCodeVCardMalformed);
        EXPECT_TRUE(refused.error().localizedDescription().containsString(String(why)))
            << refused.error().localizedDescription().toUtf8();
    }
}

}  // namespace
}  // namespace ov
