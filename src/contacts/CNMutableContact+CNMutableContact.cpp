#include "orvane/contacts/CNMutableContact+CNMutableContact.h"

namespace ov::CNMutableContact_CNMutableContact {

void storePhoneNumbers(CNMutableContact& contact, const std::vector<String>& phoneNumbers) {
    CNLabeledPhoneNumbers values;
    for (const String& text : phoneNumbers)
        values.push_back(
            {CNLabelPhoneNumberiPhone, CNPhoneNumber::phoneNumberWithStringValue(text)});
    contact.setPhoneNumbers(std::move(values));
}

void storeUrls(CNMutableContact& contact, const std::vector<String>& urls,
               const std::vector<String>& labels) {
    const bool labelled = labels.size() >= urls.size();
    CNLabeledStrings values;
    for (size_t i = 0; i < urls.size(); ++i)
        values.push_back({labelled ? labels[i] : String(CNLabelURLAddressHomePage), urls[i]});
    contact.setUrlAddresses(std::move(values));
}

void storeUrls(CNMutableContact& contact, const std::vector<String>& urls) {
    storeUrls(contact, urls, {});
}

void storeEmails(CNMutableContact& contact, const std::vector<String>& emails) {
    CNLabeledStrings values;
    for (const String& text : emails)
        values.push_back({CNContactEmailAddressesKey, text});
    contact.setEmailAddresses(std::move(values));
}

}  // namespace ov::CNMutableContact_CNMutableContact
