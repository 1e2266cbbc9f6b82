#pragma once
// Contacts to and from vCard (RFC 6350), the exchange format of desktop address books.
// Writes vCard 4.0 (UTF-8, CRLF, lines folded at 75 octets, the photo as a data: address);
// reads 4.0 and 3.0 cards, including 3.0's base64 photos and bare TYPE parameters.
//
//   auto text = ov::CNContactVCardSerialization::dataWithContacts({ada});
//   auto back = ov::CNContactVCardSerialization::contactsWithData(text.value());
//
// Labels travel as TYPE where vCard has one (home, work, cell, voice) and as an X-LABEL
// parameter otherwise, so our labels come back exactly and other books see the common ones.
// The identifier travels as UID; a card without UID gets a new identifier.

#include <vector>

#include "orvane/platform/contacts/CNContact.h"
#include "orvane/platform/values/Result.h"

namespace ov {

class CNContactVCardSerialization {
  public:
    static Data dataWithContacts(const std::vector<CNContact>& contacts);
    // CNErrorCodeVCardMalformed (with the line number) for text that is not vCards.
    static Result<std::vector<CNMutableContact>> contactsWithData(const Data& data);
};

}  // namespace ov
