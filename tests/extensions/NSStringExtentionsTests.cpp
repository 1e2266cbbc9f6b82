// NSString(NSStringExtentions), NSString(URLEncoding), NSMutableString(NSMutableString),
// NSData(NSDataExtentions) and NSURL(NSURL).
#include <gtest/gtest.h>

#include <chrono>

#include "orvane/extensions/NSData+NSDataExtentions.h"
#include "orvane/extensions/NSMutableString+NSMutableString.h"
#include "orvane/extensions/NSString+NSStringExtentions.h"
#include "orvane/extensions/NSString+URLEncoding.h"
#include "orvane/extensions/NSURL+NSURL.h"

namespace ov {
namespace {

using namespace NSString_NSStringExtentions;
const Text kNull;

TEST(NSStringExtentions, ValidateUrlStrictThenLiberal) {
    for (const char* good :
         {"http://www.example.com", "https://example.com/a-b_c/d.html", "www.example.com",
          "example.com/path", "ftp://files.example.org", "http://example.com/wiki/Foo_(bar)"}) {
        EXPECT_TRUE(validateUrl(String(good))) << good;
    }
    // The liberal pattern takes a bare scheme too.
    EXPECT_TRUE(validateUrl(String("http://")));
    for (const char* bad : {"", "not a url", "example", "http://a b", "\u201Cexample.com\u201D"}) {
        EXPECT_FALSE(validateUrl(String(bad))) << bad;
    }
    EXPECT_FALSE(validateUrl(kNull));
}

TEST(NSStringExtentions, ValidateUrlGivesUpOnPathologicalInput) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(validateUrl(String("http://" + std::string(5000, 'a') + " ")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(NSStringExtentions, ShortUrlNeedsSchemeOrHostCandidateNeedsBoth) {
    EXPECT_TRUE(validateShortUrl("mailto:"));
    EXPECT_FALSE(validateCandidate("mailto:"));
    EXPECT_TRUE(validateShortUrl("//example.com"));
    EXPECT_FALSE(validateCandidate("//example.com"));
    EXPECT_TRUE(validateCandidate("https://example.com"));
    EXPECT_FALSE(validateShortUrl("just/a/path"));
    EXPECT_FALSE(validateShortUrl("http://exa mple.com"));
    EXPECT_FALSE(validateShortUrl(""));
}

TEST(NSStringExtentions, DigitsAndSpaces) {
    EXPECT_EQ(cleanStringFromSymbols(String("+972-54 ١٢")), "97254١٢");
    EXPECT_EQ(cleanStringFromSymbols(String("")), "");
    EXPECT_EQ(cleanStringFromSymbols(kNull), std::nullopt);
    EXPECT_TRUE(isNumeric(String("")));
    EXPECT_TRUE(isNumeric(String("0123١٢")));
    EXPECT_FALSE(isNumeric(String("12a")));
    EXPECT_FALSE(isNumeric(String("²")));
    EXPECT_FALSE(isNumeric(kNull));
    EXPECT_TRUE(isSpaces(String(" \t")));
    EXPECT_FALSE(isSpaces(String(" a")));
}

TEST(NSStringExtentions, HttpPrefixes) {
    EXPECT_EQ(removeHTTP("http://x/http://y"), "x/y");
    EXPECT_EQ(removeHTTP("https://x"), "https://x");
    EXPECT_EQ(addHTTP("https://x"), "https://x");
    EXPECT_EQ(addHTTP("x.com"), "http://x.com");
    EXPECT_EQ(addHTTP("httpbin.org"), "httpbin.org");
}

TEST(URLEncoding, EscapesUrlDelimitersInTheGivenEncoding) {
    using NSString_URLEncoding::urlEncodeUsingEncoding;
    EXPECT_EQ(urlEncodeUsingEncoding(String("!*'();:@&=+$,/?%#[]\" "), NSUTF8StringEncoding),
              "%21%2A%27%28%29%3B%3A%40%26%3D%2B%24%2C%2F%3F%25%23%5B%5D%22%20");
    EXPECT_EQ(urlEncodeUsingEncoding(String("aZ9-._~<>\\^`{|}"), NSUTF8StringEncoding),
              "aZ9-._~%3C%3E%5C%5E%60%7B%7C%7D");
    EXPECT_EQ(urlEncodeUsingEncoding(String("é😀"), NSUTF8StringEncoding), "%C3%A9%F0%9F%98%80");
    EXPECT_EQ(urlEncodeUsingEncoding(String("é fi"), NSNEXTSTEPStringEncoding), "%DD%20fi");
    EXPECT_EQ(urlEncodeUsingEncoding(String("€"), NSNEXTSTEPStringEncoding), std::nullopt);
    EXPECT_EQ(urlEncodeUsingEncoding(String("a"), 12345), std::nullopt);
    EXPECT_EQ(urlEncodeUsingEncoding(std::nullopt, NSUTF8StringEncoding), std::nullopt);
}

TEST(NSMutableString, DeleteLastCharacter) {
    String text = "ab";
    EXPECT_TRUE(NSMutableString_NSMutableString::deleteLastCharacter(text));
    EXPECT_EQ(text, "a");
    EXPECT_TRUE(NSMutableString_NSMutableString::deleteLastCharacter(text));
    EXPECT_FALSE(NSMutableString_NSMutableString::deleteLastCharacter(text));
    EXPECT_EQ(text, "");
}

TEST(NSDataExtentions, Base64StringPadsEveryCase) {
    using NSData_NSDataExtentions::base64String;
    EXPECT_EQ(base64String(Data::fromString("abc")), "YWJj");
    EXPECT_EQ(base64String(Data()), "");
    EXPECT_EQ(base64String(Data::fromString("a")), "YQ==");
    EXPECT_EQ(base64String(Data::fromString("ab")), "YWI=");
    EXPECT_EQ(base64String(Data(std::vector<uint8_t>{0xFB, 0xFF, 0xBF})), "+/+/");
}

TEST(NSURL, ValidityAndSocialHosts) {
    using namespace NSURL_NSURL;
    EXPECT_TRUE(isValid(URL::withString("https://example.com")));
    EXPECT_FALSE(isValid(URL::withString("mailto:someone")));
    EXPECT_FALSE(isValid(URL::withString("bad url")));
    EXPECT_TRUE(isFacebook(URL::withString("https://m.facebook.com/page")));
    EXPECT_TRUE(isFacebook(URL::withString("https://WWW.FACEBOOK.COM")));
    EXPECT_FALSE(isFacebook(URL::withString("https://example.com/facebook.com")));
    EXPECT_TRUE(isYoutube(URL::withString("https://www.youtube.com/watch?v=1")));
    EXPECT_FALSE(isYoutube(URL::withString("https://vimeo.com/1")));
    EXPECT_FALSE(isYoutube(std::nullopt));
}

}  // namespace
}  // namespace ov
