#include "orvane/extensions/CallingCodes.h"

#include <algorithm>

namespace ov::CallingCodes {

std::optional<std::string_view> callingCodeForCountryCode(std::string_view countryCode) {
    const auto found = std::ranges::find(kTable, countryCode, &Entry::countryCode);
    if (found == kTable.end()) return std::nullopt;
    return found->callingCode;
}

std::optional<std::string_view> countryCodeForCallingCode(std::string_view callingCode) {
    const auto found = std::ranges::find(kTable, callingCode, &Entry::callingCode);
    if (found == kTable.end()) return std::nullopt;
    return found->countryCode;
}

bool containsCallingCode(std::string_view callingCode) {
    return countryCodeForCallingCode(callingCode).has_value();
}

std::optional<std::string_view> leadingCallingCode(std::string_view number) {
    std::optional<std::string_view> longest;
    for (const Entry& entry : kTable) {
        const bool longer = !longest || entry.callingCode.size() > longest->size();
        if (longer && number.starts_with(entry.callingCode)) longest = entry.callingCode;
    }
    return longest;
}

}  // namespace ov::CallingCodes
