#include "orvane/platform/network/TextCheckingResult.h"

namespace ov {

TextCheckingResult TextCheckingResult::linkCheckingResultWithRange(Range range,
                                                                   const ov::URL& url) {
    TextCheckingResult result(NSTextCheckingTypeLink, range);
    result.m_url = url;
    return result;
}

TextCheckingResult TextCheckingResult::addressCheckingResultWithRange(
    Range range, const Dictionary& components) {
    TextCheckingResult result(NSTextCheckingTypeAddress, range);
    result.m_components = components;
    return result;
}

TextCheckingResult TextCheckingResult::phoneNumberCheckingResultWithRange(
    Range range, const String& phoneNumber) {
    TextCheckingResult result(NSTextCheckingTypePhoneNumber, range);
    result.m_phoneNumber = phoneNumber;
    return result;
}

TextCheckingResult TextCheckingResult::dateCheckingResultWithRange(Range range, const Date& date) {
    TextCheckingResult result(NSTextCheckingTypeDate, range);
    result.m_date = date;
    return result;
}

TextCheckingResult TextCheckingResult::dateCheckingResultWithRange(Range range, const Date& date,
                                                                   const TimeZone& timeZone,
                                                                   double duration) {
    TextCheckingResult result = dateCheckingResultWithRange(range, date);
    result.m_timeZone = timeZone;
    result.m_duration = duration;
    return result;
}

TextCheckingResult TextCheckingResult::transitInformationCheckingResultWithRange(
    Range range, const Dictionary& components) {
    TextCheckingResult result(NSTextCheckingTypeTransitInformation, range);
    result.m_components = components;
    return result;
}

TextCheckingResult TextCheckingResult::resultByAdjustingRangesWithOffset(int64_t offset) const {
    TextCheckingResult moved = *this;
    moved.m_range.location = static_cast<uint64_t>(static_cast<int64_t>(m_range.location) + offset);
    return moved;
}

}  // namespace ov
