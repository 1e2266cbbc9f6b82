// vCard text must never crash the reader; what it reads must come back the same after
// writing, and every written line must fit the folding limit.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/platform/contacts/CNContactVCardSerialization.h"

using ov::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = ov::CNContactVCardSerialization::contactsWithData(ov::Data(data, size));
    if (!read) return 0;
    const std::vector<ov::CNContact> contacts(read.value().begin(), read.value().end());
    const ov::Data written = ov::CNContactVCardSerialization::dataWithContacts(contacts);
    std::string_view text = written.view();
    while (!text.empty()) {
        const size_t end = text.find("\r\n");
        check(end != std::string_view::npos && end <= 75);
        text.remove_prefix(end + 2);
    }
    const auto again = ov::CNContactVCardSerialization::contactsWithData(written);
    check(again.ok());
    check(std::vector<ov::CNContact>(again.value().begin(), again.value().end()) == contacts);
    return 0;
}
