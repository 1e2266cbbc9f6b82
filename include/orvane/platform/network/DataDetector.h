#pragma once
// Finds links and phone numbers in text (the platform's NSDataDetector).
//
//   auto detector = ov::DataDetector::dataDetectorWithTypes(
//       ov::NSTextCheckingTypeLink | ov::NSTextCheckingTypePhoneNumber);
//   for (const auto& found : detector->matchesInString(text)) { ... }
//
// Links: addresses with a scheme ("https://example.com/a?b"), web addresses without one
// ("www.example.com", "example.org/path"), which get "http://", and e-mail addresses, which
// become "mailto:" links. Phone numbers come from libphonenumber's matcher (PhoneNumberDetector)
// for the current region. Dates, street addresses and transit information are not detected;
// results of those kinds are made directly (TextCheckingResult). Trailing punctuation that
// ends a sentence is not part of a link.
//
// Immutable once made, so one detector may run on several threads at once.

#include <memory>
#include <vector>

#include "orvane/platform/network/TextCheckingResult.h"
#include "orvane/platform/values/Error.h"

namespace ov {

class DataDetector {
  public:
    // None, with the error set, for a mask without any kind this detector finds.
    static std::shared_ptr<DataDetector> dataDetectorWithTypes(
        NSTextCheckingTypes types, std::shared_ptr<Error>* error = nullptr);

    NSTextCheckingTypes checkingTypes() const { return m_types; }
    // Results in text order, within `range` (the whole text by default); where a link and a
    // phone number overlap, the link wins.
    std::vector<TextCheckingResult> matchesInString(const String& text) const;
    std::vector<TextCheckingResult> matchesInString(const String& text, Range range) const;

  private:
    explicit DataDetector(NSTextCheckingTypes types) : m_types(types) {}

    NSTextCheckingTypes m_types;
};

}  // namespace ov
