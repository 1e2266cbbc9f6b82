#pragma once
// The demo's address book: a contact saved on the first run, the whole book shown as vCard.

namespace demo {

// Uses ORVANE_CONTACTS_DB when set, else a file of its own in the documents folder, so the
// user's own address book is left alone.
void keepAnAddressBook();

}  // namespace demo
