#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/values/Error.h"
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

TEST(PropertyListTest, DatesKeepWholeSecondsInXmlAndMicrosecondsInBinary) {
    const Date when = Date::dateWithTimeIntervalSinceReferenceDate(1000.25);
    const auto xml = PropertyListSerialization::dataWithPropertyList(Array{when});
    EXPECT_EQ(readBack(xml.value()),
              Value(Array{Date::dateWithTimeIntervalSinceReferenceDate(1000)}));
    const auto binary =
        PropertyListSerialization::dataWithPropertyList(Array{when}, PropertyListFormat::Binary);
    EXPECT_EQ(readBack(binary.value()), Value(Array{when}));
}

TEST(PropertyListTest, RefusesValuesWithoutAPropertyListForm) {
    const std::vector<Value> unwritable{
        Value(),
        Value::null(),
        Array{Value::null()},
        Dictionary{{"error", Error(NSCocoaErrorDomain, 1)}},
        Value(18446744073709551615ULL),
        Value(String(std::u16string(u"a\0b", 3))),
        Date::dateWithTimeIntervalSinceReferenceDate(1e10),
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

// Big-endian binary plist with one-byte offsets and references.
Data binaryPlist(const std::vector<std::vector<uint8_t>>& objects, uint8_t top = 0) {
    std::vector<uint8_t> bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<uint8_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(static_cast<uint8_t>(bytes.size()));
        bytes.insert(bytes.end(), object.begin(), object.end());
    }
    const uint8_t table = static_cast<uint8_t>(bytes.size());
    bytes.insert(bytes.end(), offsets.begin(), offsets.end());
    std::vector<uint8_t> trailer(32, 0);
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = static_cast<uint8_t>(objects.size());
    trailer[23] = top;
    trailer[31] = table;
    bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    return Data(std::move(bytes));
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

    const std::vector<Data> hostile{
        Data(),
        Data::fromString("garbage"),
        Data::fromString("<plist><dict><key>a</key>"),
        Data::fromString("<plist><array></dict></plist>"),
        Data::fromString(deepXml),
        Data::fromString("bplist00"),
        binaryPlist({{0xA1, 0}}),             // an array holding itself
        binaryPlist({{0xA1, 1}, {0xA1, 0}}),  // two arrays holding each other
        binaryPlist({{0xA1, 7}}),             // a reference out of range
        binaryPlist({{0xAF, 0x13, 0xFF}}),    // a count whose bytes run past the end
        binaryPlist(doubling),
    };
    for (const Data& data : hostile) {
        const auto value = PropertyListSerialization::propertyListWithData(data);
        ASSERT_FALSE(value.ok()) << data.length();
        EXPECT_EQ(value.error().code(), PropertyListSerialization::kReadCorruptError);
    }
    EXPECT_EQ(readBack(Data::fromString(cdata)), Value("</dict>"));
    EXPECT_EQ(readBack(binaryPlist({{0xA2, 1, 1}, {0x51, 'x'}})), Value(Array{"x", "x"}));
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

}  // namespace
}  // namespace ov
