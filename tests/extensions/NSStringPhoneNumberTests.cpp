// The phone-number operations of NSString(NSString), every branch with its trace lines.
#include <gtest/gtest.h>

#include <cstdlib>

#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/EnvironmentVariableScope.h"

namespace ov {
namespace {

using namespace NSString_NSString;
using Lines = std::vector<std::string>;
const Text kNull;

TEST(PhoneNumbers, RemovePhoneNumberString) {
    EXPECT_EQ(removePhoneNumberString(String("054-123 4567")), "541234567");
    EXPECT_EQ(removePhoneNumberString(String("+972 (54) 123-4567")), "972541234567");
    EXPECT_EQ(removePhoneNumberString(String("0054")), "054");
    SystemLogCapture capture;
    EXPECT_EQ(removePhoneNumberString(kNull), "");
    EXPECT_EQ(capture.entries(), (Lines{"ALERT! removePhoneNumberString is nil !"}));
}

TEST(PhoneNumbers, FormatPhoneNumberGroupsTheTail) {
    EXPECT_EQ(formatPhoneNumber("97252123456", 3, 2), "972-52-12-34-56-");
    EXPECT_EQ(formatPhoneNumber("9725212345", 3, 2), "972-52-12-34-5");
    EXPECT_EQ(formatPhoneNumber("1234", 0, 2), "-12-34-");
    EXPECT_EQ(formatPhoneNumber("12", 5, 2), "12-");
    EXPECT_EQ(formatPhoneNumber("", 3, 2), "-");
    // Outside the contract: no grouping rather than a division by zero.
    EXPECT_EQ(formatPhoneNumber("12345", 2, 0), "12-345");
    EXPECT_EQ(formatPhoneNumber("1234", -1, 2), "-1-23-4");
}

TEST(PhoneNumbers, FormatePhoneNumberLogsTheGroupedFormOnly) {
    SystemLogCapture capture;
    EXPECT_EQ(formatePhoneNumber("0521234567", "972"), "972521234567");
    EXPECT_EQ(capture.entries(), (Lines{"formattedNumber 972-52-12-34-56-7"}));
    EXPECT_EQ(fullPhoneNumber("0521234567", "972"), "972521234567");
    EXPECT_EQ(fullPhoneNumber("521234567", "1"), "1521234567");
}

TEST(PhoneNumbers, IsHomeNumber) {
    EXPECT_TRUE(isHomeNumber(String("03123456")));
    EXPECT_TRUE(isHomeNumber(String("031234567")));
    EXPECT_FALSE(isHomeNumber(String("312345678")));
    EXPECT_FALSE(isHomeNumber(String("0312345")));
    EXPECT_FALSE(isHomeNumber(kNull));
}

TEST(PhoneNumbers, MobileCountryAreaCode) {
    SystemLogCapture capture;
    for (const char* none : {"0541234567", "(03)1234567", "541234567"}) {
        EXPECT_EQ(getMobileCountryAreaCode(String(none)), std::nullopt) << none;
    }
    EXPECT_EQ(getMobileCountryAreaCode(kNull), std::nullopt);
    EXPECT_EQ(getMobileCountryAreaCode(String("123456789")), "1");
    EXPECT_TRUE(capture.entries().empty());
    EXPECT_EQ(getMobileCountryAreaCode(String("972541234567")), "972");
    EXPECT_EQ(getMobileCountryAreaCode(String("77012345678")), "77");
    EXPECT_EQ(getMobileCountryAreaCode(String("7123456789")), "7");
    EXPECT_EQ(getMobileCountryAreaCode(String("999123")), std::nullopt);
    EXPECT_EQ(capture.entries(), (Lines{"countryAreaCode 972", "countryAreaCode 77",
                                        "countryAreaCode 7", "countryAreaCode (null)"}));
    EXPECT_EQ(cutCountryAreaCode(""), std::nullopt);
}

struct MobileCase {
    const char* input;
    const char* result;
    Lines log;
};

TEST(PhoneNumbers, GetMobilePhoneNumberEveryBranch) {
    const std::vector<MobileCase> cases = {
        {"03-123-4567", "31234567", {"mobile 03-123-4567", "isHomeNumber 31234567"}},
        {"054-123 4567",
         "541234567",
         {"mobile 054-123 4567", "areaCode (null)", "areaCode.length 0",
          "getMobilePhoneNumber 541234567", "strtoCut 541234567", "strtoCut 541234567"}},
        {"+972 54-123-4567",
         "541234567",
         {"mobile +972 54-123-4567", "countryAreaCode 972", "areaCode 972", "areaCode.length 3",
          "getMobilePhoneNumber 541234567", "strtoCut 541234567", "strtoCut 541234567"}},
        {"972123456",
         "123456",
         {"mobile 972123456", "areaCode (null)", "areaCode.length 0",
          "getMobilePhoneNumber 972123456", "strtoCut 972123456", "strtoCut 123456"}},
        {"123456789",
         "23456789",
         {"mobile 123456789", "areaCode 1", "areaCode.length 1", "getMobilePhoneNumber 23456789",
          "strtoCut 23456789", "strtoCut 23456789"}},
    };
    for (const MobileCase& mobile : cases) {
        SystemLogCapture capture;
        EXPECT_EQ(getMobilePhoneNumber(String(mobile.input)), mobile.result) << mobile.input;
        EXPECT_EQ(capture.entries(), mobile.log) << mobile.input;
    }
    SystemLogCapture capture;
    EXPECT_EQ(getMobilePhoneNumber(kNull), "");
    EXPECT_EQ(capture.entries().front(), "mobile (null)");
    EXPECT_EQ(capture.entries()[1], "ALERT! removePhoneNumberString is nil !");
}

TEST(PhoneNumbers, IsMobileNumber) {
    SystemLogCapture quiet;
    EXPECT_TRUE(isMobileNumber(String(""), "054-123 4567"));
    EXPECT_TRUE(isMobileNumber(String(""), "+972 54-123-4567"));
    // The second clean-up drops a second trunk zero.
    EXPECT_TRUE(isMobileNumber(String(""), "00972541234567"));
    EXPECT_FALSE(isMobileNumber(String(""), "03-123-4567"));
    // A home number that keeps a leading zero is judged by the once-cleaned length.
    EXPECT_TRUE(isMobileNumber(String(""), "00031234567"));
    EXPECT_FALSE(isMobileNumber(String(""), "0031234567"));
    EXPECT_FALSE(isMobileNumber(kNull, "054-123 4567"));
}

TEST(PhoneNumbers, DataDetectorOperations) {
    SystemLogCapture capture;
    EXPECT_FALSE(validatePhoneWithString("call +1 650-253-0000 or +972 54-123-4567"));
    EXPECT_FALSE(validatePhoneWithString(""));
    EXPECT_EQ(capture.entries(), (Lines{"numberOfMatches 2", "numberOfMatches 0"}));
    EXPECT_TRUE(isPhoneNumber(String("ring +1 650-253-0000")));
    EXPECT_FALSE(isPhoneNumber(String("no number")));
    EXPECT_FALSE(isPhoneNumber(String("")));
    EXPECT_FALSE(isPhoneNumber(kNull));
}

TEST(PhoneNumbers, LocalNumbersCountUnderAnyLocale) {
    const test::EnvironmentVariableScope english("LC_ALL", "en_US.UTF-8");
    SystemLogCapture capture;
    EXPECT_TRUE(isPhoneNumber(String("054-1234567")));
    EXPECT_FALSE(validatePhoneWithString("054-1234567 or +44 7946 0958"));
    EXPECT_EQ(capture.entries(), Lines{"numberOfMatches 2"});
}

}  // namespace
}  // namespace ov
