#include "orvane/extensions/OVCreditCard.h"

#include <utility>

#include "orvane/extensions/NSDate+Utilities.h"
#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/values/Format.h"

namespace ov {

OVCreditCard::OVCreditCard() {
    initDefaultKeys();
}

void OVCreditCard::initDefaultKeys() {
    const std::pair<Text*, const char*> defaults[] = {
        {&m_key_first_name, "first_name"},
        {&m_key_last_name, "last_name"},
        {&m_key_email, "email"},
        {&m_key_address, "address"},
        {&m_key_city, "city"},
        {&m_key_zip, "zip"},
        {&m_key_country, "country"},
        {&m_key_state, "state"},
        {&m_key_phone, "phone"},
        {&m_key_ext, "ext"},
        {&m_key_card_type, "card_type"},
        {&m_key_card_number, "card_number"},
        {&m_key_card_number_encrypted, "encrypted_card_number"},
        {&m_key_card_number_formatted, "formatted_number"},
        {&m_key_card_cvv, "card_cvv"},
        {&m_key_card_cvv_encrypted, "encrypted_cvv"},
        {&m_key_card_exp_YY, "exp_date_year"},
        {&m_key_card_exp_MM, "exp_date_month"},
        {&m_key_card_last_4digits, "lastFourDigits"},
    };
    for (const auto& [key, name] : defaults) {
        if (!*key) *key = String(name);
    }
}

void OVCreditCard::setKeys_first_name(const Text& first_name, const Text& last_name,
                                      const Text& address, const Text& email, const Text& city,
                                      const Text& country, const Text& state, const Text& zip,
                                      const Text& phone, const Text& ext, const Text& card_type,
                                      const Text& card_exp_YY, const Text& card_exp_MM,
                                      const Text& card_number, const Text& card_encrypted_number,
                                      const Text& card_last_4digits, const Text& card_cvv,
                                      const Text& card_cvv_encrypted) {
    m_key_first_name = first_name;
    m_key_last_name = last_name;
    m_key_address = address;
    m_key_email = email;
    m_key_city = city;
    m_key_country = country;
    m_key_state = state;
    m_key_zip = zip;
    m_key_phone = phone;
    m_key_ext = ext;
    m_key_card_type = card_type;
    m_key_card_exp_YY = card_exp_YY;
    m_key_card_exp_MM = card_exp_MM;
    m_key_card_number = card_number;
    m_key_card_number_encrypted = card_encrypted_number;
    m_key_card_last_4digits = card_last_4digits;
    m_key_card_cvv = card_cvv;
    m_key_card_cvv_encrypted = card_cvv_encrypted;
    initDefaultKeys();
}

String OVCreditCard::creditCardNumberFormatedString(const Text& number) {
    if (!number) return String();
    const String digits = number->substringToIndex(16);
    // Four characters alone get no space; otherwise every full group but the last does.
    String formatted;
    for (size_t start = 0; start < digits.length(); start += 4) {
        if (start > 0) formatted += " ";
        formatted += digits.substring(start, 4);
    }
    return formatted;
}

void OVCreditCard::checkIfEmpty(const Text&) {}

std::vector<String> OVCreditCard::visaMonths() {
    std::vector<String> months;
    for (int month = 1; month <= 12; ++month)
        months.push_back(stringWithFormat("%d", month));
    return months;
}

std::vector<String> OVCreditCard::visaYears() {
    const long first = NSDate_Utilities::year(Date::now());
    std::vector<String> years;
    for (long year = first; year < first + 20; ++year)
        years.push_back(stringWithFormat("%lu", year));
    return years;
}

Dictionary OVCreditCard::visaTypes() {
    return Dictionary{{"VISA", "Visa"},
                      {"MASTERCARD", "Master Card"},
                      {"AMEX", "American Express"},
                      {"CARTE_BLEUE", "Carte Bleue"},
                      {"DINERS", "Diners"},
                      {"DISCOVER", "Discover"},
                      {"JCB", "JCB"}};
}

bool OVCreditCard::validateEmailWithString(const String& text) {
    return NSString_NSString::validateEmailWithString(text);
}

void OVCreditCard::setMirrored(Text& field, const Text& key, const Text& value) {
    field = value;
    mirror(key, value);
}

void OVCreditCard::mirror(const Text& key, const Text& value) {
    if (!key) return;
    if (value) {
        m_dictionary.setObject(*value, *key);
    } else {
        m_dictionary.removeObjectForKey(*key);
    }
}

void OVCreditCard::setCard_number(const Text& value) {
    m_card_number = value;
    m_card_number_formatted = creditCardNumberFormatedString(value);
    mirror(m_key_card_number, value);
    mirror(m_key_card_number_formatted, m_card_number_formatted);
    m_isCreditCardNumber = value && value->length() == 16;
}

void OVCreditCard::setCard_cvv(const Text& value) {
    setMirrored(m_card_cvv, m_key_card_cvv, value);
    m_isCVV = value && (value->length() == 3 || value->length() == 4);
}

void OVCreditCard::setCard_exp_date(const std::optional<Date>& value) {
    m_card_exp_date = value;
    setCard_exp_YY(value ? NSDate_Utilities::year(*value) : 0);
    setCard_exp_MM(value ? NSDate_Utilities::month(*value) : 0);
    m_card_exp_date_formatted =
        value ? Text(NSDate_Utilities::stringWithFormat(*value, "LLLL yyyy")) : Text();
    m_isCard_exp_date = value.has_value();
}

void OVCreditCard::setCard_exp_YY(int64_t value) {
    m_card_exp_YY = value;
    mirror(m_key_card_exp_YY, stringWithFormat("%li", static_cast<long>(value)));
}

void OVCreditCard::setCard_exp_MM(int64_t value) {
    m_card_exp_MM = value;
    mirror(m_key_card_exp_MM, stringWithFormat("%li", static_cast<long>(value)));
}

}  // namespace ov
