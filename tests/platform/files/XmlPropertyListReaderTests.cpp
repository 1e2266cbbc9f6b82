#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "orvane/platform/files/PropertyList.h"

namespace ov {
namespace {

Result<Value> read(const std::string& xml) {
    return PropertyListSerialization::propertyListWithData(Data::fromString(xml));
}

Value readOk(const std::string& xml) {
    auto value = read(xml);
    EXPECT_TRUE(value.ok()) << xml << ": "
                            << (value.ok() ? "" : value.error().description().toUtf8());
    return value.ok() ? value.value() : Value();
}

Value date(double seconds) {
    return Date::dateWithTimeIntervalSinceReferenceDate(seconds);
}

TEST(XmlPropertyListReaderTest, ReadsTheMarkupOtherWritersUse) {
    const std::string xml =
        "\xEF\xBB\xBF<?xml version='1.0'?><!-- written by hand -->"
        "<!DOCTYPE plist [ <!ENTITY unused 'x'> ]>\n"
        "<plist version='1.0'><dict><?note x?>"
        "<key><![CDATA[<k>]]>&#x1F600;&apos;&quot;&#65;</key><string/>"
        "<key>data</key><data/>"
        "<key>spaced</key><data> AAH/\n\t//8= </data>"
        "<key>unpadded</key><data>AAE</data>"
        "<key>yes</key><true></true>"
        "<key>comment</key><string>a<!-- dropped -->b</string>"
        "<key>raw</key><string>\t\r\n\x01</string>"
        "</dict ></plist>\n<!-- trailing -->";
    const Value expected = Dictionary{
        {String("<k>\xF0\x9F\x98\x80'\"A"), ""},
        {"data", Data()},
        {"spaced", Data::fromString(std::string("\x00\x01\xff\xff\xff", 5))},
        {"unpadded", Data::fromString(std::string("\x00\x01", 2))},
        {"yes", true},
        {"comment", "ab"},
        {"raw", "\t\r\n\x01"},
    };
    EXPECT_EQ(readOk(xml), expected);
    // A value without the <plist> wrapper, and a key outside a dictionary, read as the platform
    // reads them.
    EXPECT_EQ(readOk("<array><key>k</key></array>"), Value(Array{"k"}));
}

TEST(XmlPropertyListReaderTest, IntegersAndRealsReadExactlyWhateverTheLocale) {
    const Value numbers = readOk(
        "<array><integer> 0x7f </integer><integer>+5</integer><integer>-0</integer>"
        "<integer>-9223372036854775808</integer><integer>18446744073709551615</integer>"
        "<real>.5</real><real>-infinity</real><real>NaN</real><real>1e-320</real></array>");
    const Array& items = numbers.asArray();
    EXPECT_EQ(items[0], Value(127));
    EXPECT_EQ(items[1], Value(5));
    EXPECT_EQ(items[2], Value(0));
    EXPECT_EQ(items[3].asNumber().longLongValue(), std::numeric_limits<long long>::min());
    EXPECT_EQ(items[4].asNumber().type(), Number::Type::UnsignedLongLong);
    EXPECT_EQ(items[5], Value(0.5));
    EXPECT_EQ(items[6], Value(-std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(std::isnan(items[7].asNumber().doubleValue()));
    EXPECT_EQ(items[8].asNumber().doubleValue(), 1e-320);
}

TEST(XmlPropertyListReaderTest, DatesMustBeMomentsOfTheCalendar) {
    EXPECT_EQ(readOk("<date>2024-02-29T12:00:00Z</date>"), date(730900800));
    EXPECT_EQ(readOk("<date> 2000-12-31T23:59:59.75Z </date>"), date(-0.25));
    // A fraction that rounds up to a whole second stays in its second, so it writes back so.
    const Value lastMoment = readOk("<date>9999-12-31T23:59:59.99999999999999999Z</date>");
    EXPECT_LT(lastMoment.ifDate()->timeIntervalSinceReferenceDate(), 252423993600.0);
    EXPECT_TRUE(PropertyListSerialization::dataWithPropertyList(lastMoment).ok());
    for (const char* bad :
         {"2023-02-29T00:00:00Z", "0000-12-31T00:00:00Z", "2001-01-01T24:00:00Z",
          "2001-13-01T00:00:00Z", "2001-01-01T00:00:60Z", "2001-01-01T00:00:00",
          "2001-01-01T00:00:00.Z", "2001-1-01T00:00:00Z", "10000-01-01T00:00:00Z"}) {
        EXPECT_FALSE(read(std::string("<date>") + bad + "</date>").ok()) << bad;
    }
}

TEST(XmlPropertyListReaderTest, MalformedDocumentsFailWithTheReadError) {
    const std::vector<std::string> malformed{
        "<plist></plist>",
        "<plist/>",
        "<plist><string>a</string><string>b</string></plist>",
        "<plist><string>a</string></plist>trailing",
        "<plist><dict><key>a</key></dict></plist>",
        "<plist><dict><string>a</string></dict></plist>",
        "<plist><dict><key>a</key><key>b</key></dict></plist>",
        "<plist><array></dict></plist>",
        "<plist><arrayx></arrayx></plist>",
        "<plist><set/></plist>",
        "<plist><integer/></plist>",
        "<plist><integer>18446744073709551616</integer></plist>",
        "<plist><integer>-9223372036854775809</integer></plist>",
        "<plist><integer>12abc</integer></plist>",
        "<plist><real>1,5</real></plist>",
        "<plist><real>1e999</real></plist>",
        "<plist><true>yes</true></plist>",
        "<plist><data>A*==</data></plist>",
        "<plist><string>&unknown;</string></plist>",
        "<plist><string>&#xD800;</string></plist>",
        "<plist><string>&#x110000;</string></plist>",
        "<plist><string>&amp</string></plist>",
        std::string("<plist><string>a\0b</string></plist>", 35),
        "<plist><string>\xC3\x28</string></plist>",
        "<plist><string><b>bold</b></string></plist>",
        "<plist><![CDATA[x]]></plist>",
        "<plist><string>unterminated</plist>",
        "<plist><!-- unterminated comment <string/></plist>",
        "<plist version=\"1.0><string/></plist>",
    };
    for (const std::string& xml : malformed) {
        const auto value = read(xml);
        ASSERT_FALSE(value.ok()) << xml;
        EXPECT_EQ(value.error().code(), PropertyListSerialization::kReadCorruptError);
    }
}

}  // namespace
}  // namespace ov
