// Base64 decoding and string encodings (encoding is covered through its callers).
#include <gtest/gtest.h>

#include "orvane/platform/text/Base64.h"
#include "orvane/platform/text/StringEncoding.h"

namespace ov {
namespace {

TEST(Base64, DecodesWhatItEncodesAndRejectsTheRest) {
    for (const char* text : {"", "a", "ab", "abc", "abcd\n\xff"}) {
        EXPECT_EQ(base64Decoded(base64Encoded(Data::fromString(text))), Data::fromString(text));
    }
    for (const char* bad : {"YWJ", "YW=j", "Y===", "YQ==YQ==", "YW J", "YWé="}) {
        EXPECT_FALSE(base64Decoded(bad).has_value()) << bad;
    }
}

TEST(StringEncoding, NextStepUpperHalf) {
    EXPECT_EQ(bytesInEncoding("a\u00A0é\u0153\u00FF", NSNEXTSTEPStringEncoding),
              "a\x80\xDD\xFA\xFD");
    EXPECT_EQ(bytesInEncoding("\u2044\uFB02", NSNEXTSTEPStringEncoding), "\xA4\xAF");
    EXPECT_FALSE(bytesInEncoding("€", NSNEXTSTEPStringEncoding).has_value());
}

TEST(StringEncoding, OtherEncodingsAreStrict) {
    EXPECT_EQ(bytesInEncoding("é😀", NSUTF8StringEncoding), "é😀");
    EXPECT_EQ(bytesInEncoding("é", NSISOLatin1StringEncoding), "\xE9");
    EXPECT_EQ(bytesInEncoding("€", NSWindowsCP1252StringEncoding), "\x80");
    EXPECT_FALSE(bytesInEncoding("é", NSASCIIStringEncoding).has_value());
    EXPECT_FALSE(bytesInEncoding("a", 999).has_value());
}

}  // namespace
}  // namespace ov
