#pragma once
// Fills a contact's multi-valued fields from plain texts, replacing what they held.
//
//   namespace Contact = ov::CNMutableContact_CNMutableContact;
//   Contact::storePhoneNumbers(contact, {"+972 3 555 0100"});       // labelled "iPhone"
//   Contact::storeUrls(contact, {"https://a.example", "https://b.example"}, {"blog", "shop"});

#include <vector>

#include "orvane/platform/contacts/CNContact.h"

namespace ov::CNMutableContact_CNMutableContact {

// One number per text, in order, each labelled CNLabelPhoneNumberiPhone.
void storePhoneNumbers(CNMutableContact& contact, const std::vector<String>& phoneNumbers);
// Address i gets label i when there are at least as many labels as addresses (surplus labels
// are ignored); otherwise every address gets CNLabelURLAddressHomePage.
void storeUrls(CNMutableContact& contact, const std::vector<String>& urls,
               const std::vector<String>& labels);
void storeUrls(CNMutableContact& contact, const std::vector<String>& urls);
// One address per text, each labelled with the text of CNContactEmailAddressesKey.
void storeEmails(CNMutableContact& contact, const std::vector<String>& emails);

}  // namespace ov::CNMutableContact_CNMutableContact
