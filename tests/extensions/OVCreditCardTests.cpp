#include <gtest/gtest.h>

#include "orvane/extensions/OVCreditCard.h"
#include "orvane/platform/time/Locale.h"
#include "orvane/platform/time/TimeZone.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using Text = OVCreditCard::Text;

TEST(OVCreditCardTest, FormatsInGroupsOfFourFromAtMostSixteenCharacters) {
    const std::pair<Text, const char*> cases[] = {
        {String("1234567812345678"), "1234 5678 1234 5678"},
        {String("123456781234567"), "1234 5678 1234 567"},
        {String("12345678123456789999"), "1234 5678 1234 5678"},
        {String("12345"), "1234 5"},
        {String("1234"), "1234"},
        {String("12345678"), "1234 5678"},
        {String("12"), "12"},
        {String(""), ""},
        {std::nullopt, ""},
    };
    for (const auto& [number, formatted] : cases)
        EXPECT_EQ(OVCreditCard::creditCardNumberFormatedString(number), formatted)
            << number.value_or("(null)").toUtf8();
}

TEST(OVCreditCardTest, MirrorFollowsTheKeyNamesInForceWhenWritten) {
    OVCreditCard card;
    EXPECT_TRUE(card.dictionary().isEmpty());
    card.setFirst_name(String("Ann"));
    EXPECT_EQ(card.dictionary(), (Dictionary{{"first_name", "Ann"}}));

    const Text none;
    card.setKeys_first_name("fname", none, none, none, none, none, none, none, none, none, none,
                            none, none, none, none, none, none, none);
    card.setFirst_name(String("Bea"));
    card.setLast_name(String("Lee"));
    // The old entry stays where it was written.
    EXPECT_EQ(card.dictionary(),
              (Dictionary{{"first_name", "Ann"}, {"fname", "Bea"}, {"last_name", "Lee"}}));

    // Arguments land in their own key properties, in argument order; the formatted number's
    // key is not among them.
    card.setKey_card_number_formatted(String("pretty"));
    card.setKeys_first_name("a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n",
                            "o", "p", "q", "r");
    using C = OVCreditCard;
    const Text& (C::*const order[])() const = {&C::key_first_name,
                                               &C::key_last_name,
                                               &C::key_address,
                                               &C::key_email,
                                               &C::key_city,
                                               &C::key_country,
                                               &C::key_state,
                                               &C::key_zip,
                                               &C::key_phone,
                                               &C::key_ext,
                                               &C::key_card_type,
                                               &C::key_card_exp_YY,
                                               &C::key_card_exp_MM,
                                               &C::key_card_number,
                                               &C::key_card_number_encrypted,
                                               &C::key_card_last_4digits,
                                               &C::key_card_cvv,
                                               &C::key_card_cvv_encrypted};
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ((card.*order[i])(), String(std::string(1, char('a' + i))));
    EXPECT_EQ(card.key_card_number_formatted(), String("pretty"));
}

TEST(OVCreditCardTest, NumberAndCodeSetTheirFlags) {
    OVCreditCard card;
    card.setCard_number(String("1111222233334444"));
    EXPECT_TRUE(card.isCreditCardNumber());
    EXPECT_EQ(card.dictionary(), (Dictionary{{"card_number", "1111222233334444"},
                                             {"formatted_number", "1111 2222 3333 4444"}}));
    card.setCard_number(String("1111 2222 3333 4444"));
    EXPECT_FALSE(card.isCreditCardNumber());
    EXPECT_EQ(card.card_number_formatted(), String("1111  222 2 33 33 4"));
    card.setCard_number(String("111122223333444"));
    EXPECT_FALSE(card.isCreditCardNumber());

    for (const auto& [cvv, valid] :
         {std::pair{"12", false}, {"123", true}, {"1234", true}, {"12345", false}}) {
        card.setCard_cvv(String(cvv));
        EXPECT_EQ(card.isCVV(), valid) << cvv;
        EXPECT_EQ(card.dictionary().objectForKey("card_cvv"), Value(cvv));
    }
    // Clearing a field clears its entry instead of leaving a stale one behind.
    card.setCard_cvv(std::nullopt);
    card.setCard_number(std::nullopt);
    EXPECT_FALSE(card.isCVV());
    EXPECT_FALSE(card.isCreditCardNumber());
    EXPECT_FALSE(card.dictionary().containsKey("card_cvv"));
    EXPECT_EQ(card.dictionary().objectForKey("formatted_number"), Value(""));

    // A field whose key name was cleared is stored but not mirrored.
    card.setKey_city(std::nullopt);
    card.setCity(String("Haifa"));
    EXPECT_EQ(card.city(), String("Haifa"));
    EXPECT_FALSE(card.dictionary().containsKey("city"));
}

TEST(OVCreditCardTest, ExpiryDateMirrorsYearAndMonth) {
    const Locale original = Locale::currentLocale();
    Locale::setCurrentLocale("en_US");
    TimeZone::setDefaultTimeZone(TimeZone::utc());
    OVCreditCard card;
    // 15 March 2030, 12:00 UTC.
    card.setCard_exp_date(Date::dateWithTimeIntervalSince1970(1899892800));
    EXPECT_TRUE(card.isCard_exp_date());
    EXPECT_EQ(card.card_exp_date_formatted(), String("March 2030"));
    EXPECT_EQ(card.dictionary(), (Dictionary{{"exp_date_year", "2030"}, {"exp_date_month", "3"}}));
    card.setCard_exp_date(std::nullopt);
    EXPECT_FALSE(card.isCard_exp_date());
    EXPECT_EQ(card.card_exp_date_formatted(), std::nullopt);
    EXPECT_EQ(card.dictionary(), (Dictionary{{"exp_date_year", "0"}, {"exp_date_month", "0"}}));
    TimeZone::setDefaultTimeZone(std::nullopt);
    Locale::setCurrentLocale(original.localeIdentifier());
}

TEST(OVCreditCardTest, YearsStartAtTheClocksYear) {
    test::ManualClockScope clock(
        Date::dateWithTimeIntervalSince1970(1899892800).timeIntervalSinceReferenceDate());
    const auto years = OVCreditCard::visaYears();
    ASSERT_EQ(years.size(), 20u);
    EXPECT_EQ(years.front(), "2030");
    EXPECT_EQ(years.back(), "2049");
    EXPECT_EQ(OVCreditCard::visaTypes().objectForKey("MASTERCARD"), Value("Master Card"));
}

}  // namespace
}  // namespace ov
