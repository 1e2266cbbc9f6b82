#pragma once
// The record a payment form fills while the user types: holder, billing address, card number,
// security code and expiry. Every field set is mirrored at once into `dictionary` under that
// field's key name (defaults below, replaceable as a set), so the dictionary can be sent on as
// it is. The "encrypted" fields hold text the caller enciphered elsewhere.
//
//   ov::OVCreditCard card;
//   card.setCard_number(ov::String("1111222233334444"));
//   card.card_number_formatted();   // "1111 2222 3333 4444"
//   card.isCreditCardNumber();      // true: 16 characters (digits are not checked)
//   card.dictionary();              // {card_number = ...; formatted_number = "1111 2222 ...";}
//
// Entries are never moved: one stays under the key name in force when it was written. Setting
// a field to none removes its entry (a dictionary cannot hold none); a field whose key name was
// cleared is stored but not mirrored. One thread at a time.

#include <cstdint>
#include <optional>
#include <vector>

#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class OVCreditCard {
  public:
    using Text = std::optional<String>;

    // An empty dictionary and the default key names.
    OVCreditCard();

    // Gives every key name that is none its default; set ones stay.
    void initDefaultKeys();
    // None stands for the default. key_card_number_formatted is not among them and stays.
    void setKeys_first_name(const Text& first_name, const Text& last_name, const Text& address,
                            const Text& email, const Text& city, const Text& country,
                            const Text& state, const Text& zip, const Text& phone, const Text& ext,
                            const Text& card_type, const Text& card_exp_YY, const Text& card_exp_MM,
                            const Text& card_number, const Text& card_encrypted_number,
                            const Text& card_last_4digits, const Text& card_cvv,
                            const Text& card_cvv_encrypted);

    // Groups of four separated by single spaces, from at most the first 16 characters.
    static String creditCardNumberFormatedString(const Text& number);
    // Takes a text and does nothing with it.
    static void checkIfEmpty(const Text& text);
    static std::vector<String> visaMonths();  // "1" ... "12"
    static std::vector<String> visaYears();   // this year and the 19 after it
    static Dictionary visaTypes();            // code -> display name, 7 entries
    static bool validateEmailWithString(const String& text);

    void setFirst_name(const Text& value) { setMirrored(m_first_name, m_key_first_name, value); }
    void setLast_name(const Text& value) { setMirrored(m_last_name, m_key_last_name, value); }
    void setAddress(const Text& value) { setMirrored(m_address, m_key_address, value); }
    void setEmail(const Text& value) { setMirrored(m_email, m_key_email, value); }
    void setCity(const Text& value) { setMirrored(m_city, m_key_city, value); }
    void setCountry(const Text& value) { setMirrored(m_country, m_key_country, value); }
    void setState(const Text& value) { setMirrored(m_state, m_key_state, value); }
    void setZip(const Text& value) { setMirrored(m_zip, m_key_zip, value); }
    void setPhone(const Text& value) { setMirrored(m_phone, m_key_phone, value); }
    void setExt(const Text& value) { setMirrored(m_ext, m_key_ext, value); }
    void setCard_type(const Text& value) { setMirrored(m_card_type, m_key_card_type, value); }
    void setCard_number_encrypted(const Text& value) {
        setMirrored(m_card_number_encrypted, m_key_card_number_encrypted, value);
    }
    void setCard_cvv_encrypted(const Text& value) {
        setMirrored(m_card_cvv_encrypted, m_key_card_cvv_encrypted, value);
    }
    void setCard_last_4digits(const Text& value) {
        setMirrored(m_card_last_4digits, m_key_card_last_4digits, value);
    }
    void setCard_number_formatted(const Text& value) {
        setMirrored(m_card_number_formatted, m_key_card_number_formatted, value);
    }
    // Also the formatted number; isCreditCardNumber when it has exactly 16 characters.
    void setCard_number(const Text& value);
    // isCVV when it has 3 or 4 characters.
    void setCard_cvv(const Text& value);
    // Also year, month (0 for none), the "LLLL yyyy" text and isCard_exp_date.
    void setCard_exp_date(const std::optional<Date>& value);
    void setCard_exp_YY(int64_t value);  // mirrored as "%li"
    void setCard_exp_MM(int64_t value);

    const Text& first_name() const { return m_first_name; }
    const Text& last_name() const { return m_last_name; }
    const Text& address() const { return m_address; }
    const Text& email() const { return m_email; }
    const Text& city() const { return m_city; }
    const Text& country() const { return m_country; }
    const Text& state() const { return m_state; }
    const Text& zip() const { return m_zip; }
    const Text& phone() const { return m_phone; }
    const Text& ext() const { return m_ext; }
    const Text& card_number() const { return m_card_number; }
    const Text& card_number_encrypted() const { return m_card_number_encrypted; }
    const Text& card_number_formatted() const { return m_card_number_formatted; }
    const Text& card_cvv() const { return m_card_cvv; }
    const Text& card_cvv_encrypted() const { return m_card_cvv_encrypted; }
    const Text& card_type() const { return m_card_type; }
    int64_t card_exp_MM() const { return m_card_exp_MM; }
    int64_t card_exp_YY() const { return m_card_exp_YY; }
    const Text& card_last_4digits() const { return m_card_last_4digits; }
    const std::optional<Date>& card_exp_date() const { return m_card_exp_date; }
    const Text& card_exp_date_formatted() const { return m_card_exp_date_formatted; }

    bool isCreditCardNumber() const { return m_isCreditCardNumber; }
    bool isCard_exp_date() const { return m_isCard_exp_date; }
    bool isCVV() const { return m_isCVV; }
    void setIsCreditCardNumber(bool value) { m_isCreditCardNumber = value; }
    void setIsCard_exp_date(bool value) { m_isCard_exp_date = value; }
    void setIsCVV(bool value) { m_isCVV = value; }

    const Dictionary& dictionary() const { return m_dictionary; }
    void setDictionary(const Dictionary& dictionary) { m_dictionary = dictionary; }

    // Key names; setting one changes nothing else.
    const Text& key_first_name() const { return m_key_first_name; }
    const Text& key_last_name() const { return m_key_last_name; }
    const Text& key_email() const { return m_key_email; }
    const Text& key_address() const { return m_key_address; }
    const Text& key_city() const { return m_key_city; }
    const Text& key_zip() const { return m_key_zip; }
    const Text& key_country() const { return m_key_country; }
    const Text& key_state() const { return m_key_state; }
    const Text& key_phone() const { return m_key_phone; }
    const Text& key_ext() const { return m_key_ext; }
    const Text& key_card_type() const { return m_key_card_type; }
    const Text& key_card_number() const { return m_key_card_number; }
    const Text& key_card_number_encrypted() const { return m_key_card_number_encrypted; }
    const Text& key_card_number_formatted() const { return m_key_card_number_formatted; }
    const Text& key_card_cvv() const { return m_key_card_cvv; }
    const Text& key_card_cvv_encrypted() const { return m_key_card_cvv_encrypted; }
    const Text& key_card_exp_YY() const { return m_key_card_exp_YY; }
    const Text& key_card_exp_MM() const { return m_key_card_exp_MM; }
    const Text& key_card_last_4digits() const { return m_key_card_last_4digits; }
    void setKey_first_name(const Text& key) { m_key_first_name = key; }
    void setKey_last_name(const Text& key) { m_key_last_name = key; }
    void setKey_email(const Text& key) { m_key_email = key; }
    void setKey_address(const Text& key) { m_key_address = key; }
    void setKey_city(const Text& key) { m_key_city = key; }
    void setKey_zip(const Text& key) { m_key_zip = key; }
    void setKey_country(const Text& key) { m_key_country = key; }
    void setKey_state(const Text& key) { m_key_state = key; }
    void setKey_phone(const Text& key) { m_key_phone = key; }
    void setKey_ext(const Text& key) { m_key_ext = key; }
    void setKey_card_type(const Text& key) { m_key_card_type = key; }
    void setKey_card_number(const Text& key) { m_key_card_number = key; }
    void setKey_card_number_encrypted(const Text& key) { m_key_card_number_encrypted = key; }
    void setKey_card_number_formatted(const Text& key) { m_key_card_number_formatted = key; }
    void setKey_card_cvv(const Text& key) { m_key_card_cvv = key; }
    void setKey_card_cvv_encrypted(const Text& key) { m_key_card_cvv_encrypted = key; }
    void setKey_card_exp_YY(const Text& key) { m_key_card_exp_YY = key; }
    void setKey_card_exp_MM(const Text& key) { m_key_card_exp_MM = key; }
    void setKey_card_last_4digits(const Text& key) { m_key_card_last_4digits = key; }

  private:
    void setMirrored(Text& field, const Text& key, const Text& value);
    void mirror(const Text& key, const Text& value);

    bool m_isCreditCardNumber = false;
    bool m_isCard_exp_date = false;
    bool m_isCVV = false;
    Text m_first_name, m_last_name, m_address, m_email, m_city, m_country, m_state, m_zip, m_phone,
        m_ext, m_card_number, m_card_number_encrypted, m_card_number_formatted, m_card_cvv,
        m_card_cvv_encrypted, m_card_type, m_card_last_4digits;
    int64_t m_card_exp_MM = 0;
    int64_t m_card_exp_YY = 0;
    Text m_key_first_name, m_key_last_name, m_key_email, m_key_address, m_key_city, m_key_zip,
        m_key_country, m_key_state, m_key_phone, m_key_ext, m_key_card_type, m_key_card_number,
        m_key_card_number_encrypted, m_key_card_number_formatted, m_key_card_cvv,
        m_key_card_cvv_encrypted, m_key_card_exp_YY, m_key_card_exp_MM, m_key_card_last_4digits;
    Dictionary m_dictionary;
    std::optional<Date> m_card_exp_date;
    Text m_card_exp_date_formatted;
};

}  // namespace ov
