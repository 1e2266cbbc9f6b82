#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/values/Error.h"
#include "support/BinaryPlist.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

Value readBack(const Data& data) {
    auto value = PropertyListSerialization::propertyListWithData(data);
    EXPECT_TRUE(value.ok()) << (value.ok() ? "" : value.error().description().toUtf8());
    return value.ok() ? value.value() : Value();
}

Dictionary everyKind() {
    return Dictionary{
        {"zeta", "text ✓ <&>"},
        {"count", 42},
        {"negative", -7LL},
        {"ratio", 0.1},
        {"whole real", 3.0},
        {"on", true},
        {"off", false},
        {"bytes", Data::fromString(std::string("\0\x01\xff", 3))},
        {"when", Date::dateWithTimeIntervalSinceReferenceDate(-86400.0)},
        {"list", Array{1, "two", Array{}, Dictionary{}}},
        {"alpha", Dictionary{{"inner", "value"}}},
    };
}

std::string keysOf(const Value& value) {
    std::string keys;
    for (const auto& [key, item] : value.asDictionary())
        keys += key.toUtf8() + ",";
    return keys;
}

// Seconds since 2001 of the moments used below, worked out apart from the code under test.
constexpr double kYear1 = -63113904000.0;        // 0001-01-01T00:00:00Z
constexpr double kYear1900 = -3187296000.0;      // 1900-01-01T00:00:00Z
constexpr double kYear2100 = 3124137600.0;       // 2100-01-01T00:00:00Z
constexpr double kYear9999End = 252423993599.0;  // 9999-12-31T23:59:59Z

std::string xmlDates(const std::vector<std::string>& texts) {
    std::string xml = "<plist version=\"1.0\">\n<array>\n";
    for (const std::string& text : texts)
        xml += "\t<date>" + text + "</date>\n";
    return xml + "</array>\n</plist>\n";
}

Array datesAt(const std::vector<double>& seconds) {
    Array dates;
    for (const double value : seconds)
        dates.addObject(Date::dateWithTimeIntervalSinceReferenceDate(value));
    return dates;
}

TEST(PropertyListTest, RoundTripsEveryKindInBothFormatsKeepingKindsAndKeyOrder) {
    for (const auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
        const auto data = PropertyListSerialization::dataWithPropertyList(everyKind(), format);
        ASSERT_TRUE(data.ok());
        const Value back = readBack(data.value());
        EXPECT_EQ(back, Value(everyKind()));
        EXPECT_EQ(keysOf(back),
                  "zeta,count,negative,ratio,whole real,on,off,bytes,when,list,alpha,");
        const Dictionary& dictionary = back.asDictionary();
        EXPECT_EQ(dictionary.objectForKey("count").asNumber().type(), Number::Type::LongLong);
        EXPECT_TRUE(dictionary.objectForKey("whole real").asNumber().isFloatingPoint());
        EXPECT_TRUE(dictionary.objectForKey("on").isBoolean());
        EXPECT_EQ(dictionary.objectForKey("ratio").asNumber().doubleValue(), 0.1);
    }
}

TEST(PropertyListTest, WritesThePlatformXmlLayout) {
    const auto data = PropertyListSerialization::dataWithPropertyList(Dictionary{{"a", 1}});
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(std::string(data.value().view()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
              "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
              "<plist version=\"1.0\">\n<dict>\n\t<key>a</key>\n\t<integer>1</integer>\n"
              "</dict>\n</plist>\n");
    const auto binary =
        PropertyListSerialization::dataWithPropertyList(Array{}, PropertyListFormat::Binary);
    EXPECT_TRUE(binary.value().view().starts_with("bplist00"));
}

TEST(PropertyListTest, XmlDatesKeepWholeSecondsRoundingDown) {
    const auto xml = PropertyListSerialization::dataWithPropertyList(datesAt({1000.25, -0.25}));
    EXPECT_EQ(readBack(xml.value()), Value(datesAt({1000, -1})));
}

TEST(PropertyListTest, RefusesValuesWithoutAPropertyListForm) {
    const std::vector<Value> unwritable{
        Value(),
        Value::null(),
        Array{Value::null()},
        Dictionary{{"error", Error(NSCocoaErrorDomain, 1)}},
        Value(String(std::u16string(u"a\0b", 3))),
        Date::dateWithTimeIntervalSinceReferenceDate(1e12),
    };
    for (const Value& value : unwritable) {
        const auto data = PropertyListSerialization::dataWithPropertyList(value);
        ASSERT_FALSE(data.ok()) << value.description().toUtf8();
        EXPECT_EQ(data.error().code(), PropertyListSerialization::kWriteInvalidError);
    }
    Value deep = Array{};
    for (int i = 0; i < 600; ++i)
        deep = Array{deep};
    EXPECT_FALSE(PropertyListSerialization::dataWithPropertyList(deep).ok());
}

TEST(PropertyListTest, ReadsAKeyedArchiveReferenceAsItsXmlSpelling) {
    const std::string xml =
        "<plist version=\"1.0\"><dict><key>root</key><dict><key>CF$UID</key><integer>3</integer>"
        "</dict></dict></plist>";
    EXPECT_EQ(readBack(Data::fromString(xml)),
              Value(Dictionary{{"root", Dictionary{{"CF$UID", 3}}}}));
}

TEST(PropertyListTest, MalformedOrHostileInputFailsInsteadOfCrashing) {
    std::string deepXml = "<plist>";
    for (int i = 0; i < 100000; ++i)
        deepXml += "<array>";
    std::string cdata = "<plist><string><![CDATA[</dict>]]></string></plist>";
    // Each array refers to the next one twice: 2^40 copies once expanded.
    std::vector<std::vector<uint8_t>> doubling;
    for (uint8_t i = 0; i < 40; ++i)
        doubling.push_back({0xA2, static_cast<uint8_t>(i + 1), static_cast<uint8_t>(i + 1)});
    doubling.push_back({0xA0});

    // An attribute opened with ' and never closed hid this nesting from an earlier screen.
    std::string quoteHidden = "<plist><array a='>";
    for (int i = 0; i < 300000; ++i)
        quoteHidden += "<array>";

    const std::vector<Data> hostile{
        Data(),
        Data::fromString(quoteHidden),
        Data::fromString("garbage"),
        Data::fromString("<plist><dict><key>a</key>"),
        Data::fromString("<plist><array></dict></plist>"),
        Data::fromString(deepXml),
        Data::fromString("bplist00"),
        test::binaryPlist({{0xA1, 0}}),             // an array holding itself
        test::binaryPlist({{0xA1, 1}, {0xA1, 0}}),  // two arrays holding each other
        test::binaryPlist({{0xA1, 7}}),             // a reference out of range
        test::binaryPlist({{0xAF, 0x13, 0xFF}}),    // a count whose bytes run past the end
        test::binaryPlist(doubling),
    };
    for (const Data& data : hostile) {
        const auto value = PropertyListSerialization::propertyListWithData(data);
        ASSERT_FALSE(value.ok()) << data.length();
        EXPECT_EQ(value.error().code(), PropertyListSerialization::kReadCorruptError);
    }
    EXPECT_EQ(readBack(Data::fromString(cdata)), Value("</dict>"));
    EXPECT_EQ(readBack(test::binaryPlist({{0xA2, 1, 1}, {0x51, 'x'}})), Value(Array{"x", "x"}));
}

TEST(PropertyListTest, DictionaryFilesAcceptOnlyADictionaryAtTheTop) {
    test::TemporaryDirectory folder;
    const String path = folder.file("settings.plist");
    EXPECT_EQ(dictionaryWithContentsOfFile(path), std::nullopt);
    for (const bool atomically : {true, false}) {
        ASSERT_TRUE(writeDictionaryToFile(everyKind(), path, atomically));
        EXPECT_EQ(dictionaryWithContentsOfFile(path), everyKind());
    }
    EXPECT_FALSE(writeDictionaryToFile(Dictionary{{"n", Value::null()}}, path, true));
    EXPECT_EQ(dictionaryWithContentsOfFile(path), everyKind());
    EXPECT_FALSE(writeDictionaryToFile(everyKind(), folder.path() + "/none/x.plist", false));

    const auto array = PropertyListSerialization::dataWithPropertyList(Array{1});
    FileManager::defaultManager().writeAtomically(path, array.value());
    EXPECT_EQ(dictionaryWithContentsOfFile(path), std::nullopt);
}

TEST(PropertyListTest, XmlDatesFromYearOneToNineThousandNineHundredNinetyNineReadAndWriteExactly) {
    const std::vector<std::string> texts{"0001-01-01T00:00:00Z", "1900-01-01T00:00:00Z",
                                         "2100-01-01T00:00:00Z", "9999-12-31T23:59:59Z",
                                         "2000-12-31T23:59:59Z"};
    const Array expected = datesAt({kYear1, kYear1900, kYear2100, kYear9999End, -1});
    EXPECT_EQ(readBack(Data::fromString(xmlDates(texts))), Value(expected));
    const auto written = PropertyListSerialization::dataWithPropertyList(expected);
    ASSERT_TRUE(written.ok());
    for (const std::string& text : texts)
        EXPECT_NE(written.value().view().find("<date>" + text + "</date>"), std::string::npos);
}

TEST(PropertyListTest, BinaryDatesKeepEverySecondAndFractionOnBothSidesOf2001) {
    const Array dates = datesAt(
        {kYear1, kYear1900 + 0.5, -0.25, -1e-6, 0.125, kYear2100 - 0.75, kYear9999End + 0.5});
    const auto binary =
        PropertyListSerialization::dataWithPropertyList(dates, PropertyListFormat::Binary);
    ASSERT_TRUE(binary.ok());
    const Value back = readBack(binary.value());
    ASSERT_EQ(back, Value(dates));
    for (size_t i = 0; i < dates.count(); ++i)
        EXPECT_EQ(back.asArray()[i].ifDate()->timeIntervalSinceReferenceDate(),
                  dates[i].ifDate()->timeIntervalSinceReferenceDate());
}

TEST(PropertyListTest, SixtyFourBitIntegersKeepTheirValueAndSignInBothFormats) {
    const Array integers{Value(18446744073709551615ULL), Value(9223372036854775808ULL),
                         Value(std::numeric_limits<long long>::min()),
                         Value(std::numeric_limits<long long>::max()), Value(-1)};
    for (const auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
        const auto data = PropertyListSerialization::dataWithPropertyList(integers, format);
        ASSERT_TRUE(data.ok());
        const Value back = readBack(data.value());
        ASSERT_EQ(back, Value(integers));
        EXPECT_EQ(back.asArray()[0].asNumber().unsignedLongLongValue(), 18446744073709551615ULL);
        EXPECT_EQ(back.asArray()[2].asNumber().longLongValue(),
                  std::numeric_limits<long long>::min());
    }
    const auto xml = PropertyListSerialization::dataWithPropertyList(integers);
    EXPECT_NE(xml.value().view().find("<integer>18446744073709551615</integer>"),
              std::string::npos);
}

TEST(PropertyListTest, BinaryStringsAndKeysHoldingNulStayWhole) {
    const String withNul(std::u16string(u"a\0b", 3));
    const String wideWithNul(std::u16string(u"\u00e9\0", 2));
    // {"a\0b": "a\0b"} as the platform writes it, ASCII strings shared.
    EXPECT_EQ(readBack(test::binaryPlist({{0xD1, 1, 1}, {0x53, 'a', 0, 'b'}})),
              Value(Dictionary{{withNul, withNul}}));
    const Value both = Dictionary{{withNul, wideWithNul}, {wideWithNul, withNul}};
    const auto binary =
        PropertyListSerialization::dataWithPropertyList(both, PropertyListFormat::Binary);
    ASSERT_TRUE(binary.ok());
    EXPECT_EQ(readBack(binary.value()), both);
    EXPECT_FALSE(PropertyListSerialization::propertyListWithData(
                     Data::fromString("<plist><string>a&#0;b</string></plist>"))
                     .ok());
}

TEST(PropertyListTest, BothFormatsNestTheSameNumberOfLevelsReadingAndWriting) {
    Value deepest = Array{};
    for (size_t level = 1; level < PropertyListSerialization::kMaxDepth; ++level)
        deepest = Array{deepest};
    const Value tooDeep = Array{deepest};
    for (const auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
        const auto written = PropertyListSerialization::dataWithPropertyList(deepest, format);
        ASSERT_TRUE(written.ok());
        EXPECT_EQ(readBack(written.value()), deepest);
        EXPECT_FALSE(PropertyListSerialization::dataWithPropertyList(tooDeep, format).ok());
    }
    std::string xml;
    for (size_t level = 0; level <= PropertyListSerialization::kMaxDepth; ++level)
        xml = "<array>" + xml + "</array>";
    EXPECT_FALSE(PropertyListSerialization::propertyListWithData(Data::fromString(xml)).ok());
}

TEST(PropertyListTest, BinaryFormWritesReferenceDictionariesAsUids) {
    const Value references = Array{Dictionary{{"CF$UID", 3}}, Dictionary{{"CF$UID", -3}},
                                   Dictionary{{"CF$UID", 3}, {"other", 1}}};
    const auto binary =
        PropertyListSerialization::dataWithPropertyList(references, PropertyListFormat::Binary);
    ASSERT_TRUE(binary.ok());
    EXPECT_NE(binary.value().view().find("\x80\x03"), std::string::npos);
    EXPECT_EQ(readBack(binary.value()), references);
}

TEST(PropertyListTest, XmlRealsKeepEveryBitIncludingTheSignOfZero) {
    const Array reals{0.0, -0.0, 0.1, 1e300, 5e-324, std::numeric_limits<double>::infinity()};
    const auto xml = PropertyListSerialization::dataWithPropertyList(reals);
    ASSERT_TRUE(xml.ok());
    for (const char* text : {"<real>0.0</real>", "<real>-0.0</real>",
                             "<real>0.10000000000000001</real>", "<real>+infinity</real>"})
        EXPECT_NE(xml.value().view().find(text), std::string::npos) << text;
    const Value back = readBack(xml.value());
    for (size_t i = 0; i < reals.count(); ++i) {
        const double expected = reals[i].asNumber().doubleValue();
        const double read = back.asArray()[i].asNumber().doubleValue();
        EXPECT_EQ(read, expected);
        EXPECT_EQ(std::signbit(read), std::signbit(expected));
    }
}

}  // namespace
}  // namespace ov
