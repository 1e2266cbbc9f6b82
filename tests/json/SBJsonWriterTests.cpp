#include <gtest/gtest.h>

#include "json/JsonTraces.h"
#include "orvane/json/SBJsonParser.h"
#include "orvane/json/SBJsonWriter.h"
#include "support/ProxiedObject.h"

namespace ov {
namespace {

using test::traceText;

using test::proxied;

// Both outputs must spell the same text.
std::string write(SBJsonWriter& writer, const Value& value) {
    const std::string utf8 = writer.utf8WithFragment(value).value_or("<failed>");
    EXPECT_EQ(writer.stringWithFragment(value).value_or(String("<failed>")).toUtf8(), utf8);
    return utf8;
}

TEST(SBJsonWriter, CompactTextOfEveryWritableKind) {
    SBJsonWriter writer;
    const Value value = Dictionary{{"s", "x"},           {"t", true},
                                   {"one", 1},           {"d", *Decimal::fromString("-12.50")},
                                   {"n", Value::null()}, {"a", Array{}},
                                   {"o", Dictionary{}}};
    EXPECT_EQ(write(writer, value),
              R"({"s":"x","t":true,"one":1,"d":-12.5,"n":null,"a":[],"o":{}})");
    EXPECT_EQ(write(writer, Array{true, 1, -7LL, 2.5}), "[true,1,-7,2.5]");
    EXPECT_EQ(write(writer, 1), "1");
    writer.setHumanReadable(true);
    EXPECT_EQ(write(writer, Array{}), "[]");
    EXPECT_EQ(write(writer, Dictionary{}), "{}");
}

TEST(SBJsonWriter, HumanReadableLayoutIndentsTwoSpacesALevel) {
    SBJsonWriter writer;
    writer.setHumanReadable(true);
    const Value value = Dictionary{{"a", Array{1, 2}}, {"b", Dictionary{{"c", Array{}}}}};
    const std::string expected =
        "{\n  \"a\" : [\n    1,\n    2\n  ],\n  \"b\" : {\n    \"c\" : []\n  }\n}";
    EXPECT_EQ(write(writer, value), expected);
    writer.setMaxDepth(0);  // the depth still drives the indentation
    EXPECT_EQ(write(writer, value), expected);
}

TEST(SBJsonWriter, DeepIndentsCountEveryLevel) {
    SBJsonWriter writer;
    writer.setHumanReadable(true);
    Value value = Array{};
    for (int level = 0; level < 20; ++level)
        value = Array{value};
    const std::string text = write(writer, value);
    EXPECT_NE(text.find("\n" + std::string(40, ' ') + "[]\n"), std::string::npos);
    EXPECT_EQ(text.find("\n" + std::string(41, ' ')), std::string::npos);
}

TEST(SBJsonWriter, SortedKeysCompareCodeUnits) {
    SBJsonWriter writer;
    const Value value = Dictionary{{"b", 1}, {"a", Dictionary{{"z", 1}, {"y", 2}}}, {"B", 3}};
    EXPECT_EQ(write(writer, value), R"({"b":1,"a":{"z":1,"y":2},"B":3})");
    writer.setSortKeys(true);
    EXPECT_EQ(write(writer, value), R"({"B":3,"a":{"y":2,"z":1},"b":1})");
}

TEST(SBJsonWriter, EscapesOnlyControlsQuotesAndBackslashes) {
    SBJsonWriter writer;
    EXPECT_EQ(write(writer, "/\u00e9\x1f"), "\"/\u00e9\\u001f\"");
    EXPECT_EQ(write(writer, "\b\t\n\f\r\"\\\x01\x7F"), R"("\b\t\n\f\r\"\\\u0001)"
                                                       "\x7F\"");
    EXPECT_EQ(write(writer, "\U0001F600"), "\"\U0001F600\"");
    // In UTF-8 a lone surrogate can only be the replacement character.
    EXPECT_EQ(write(writer, String(std::u16string(u"a\xD800"
                                                  u"b\xDC00"))),
              "\"a\uFFFDb\uFFFD\"");
}

TEST(SBJsonWriter, NumbersWriteTheirOwnDigits) {
    SBJsonWriter writer;
    const Value value = Array{*Decimal::fromString("-0.000123"),
                              *Decimal::fromString("12345678901234567890123456789012345678e3"),
                              -9223372036854775807LL - 1,
                              18446744073709551615ULL,
                              0.1,
                              Number(2.5f)};
    EXPECT_EQ(write(writer, value),
              "[-0.000123,12345678901234567890123456789012345678000,-9223372036854775808,"
              "18446744073709551615,0.1,2.5]");
}

TEST(SBJsonWriter, ALongTextThenAShortOneKeepNothingOfEachOther) {
    SBJsonWriter writer;
    const Value longer = Array{String(std::string(1000, 'x')), "\x01"};
    EXPECT_EQ(write(writer, longer), "[\"" + std::string(1000, 'x') + "\",\"\\u0001\"]");
    EXPECT_EQ(write(writer, Array{}), "[]");
    EXPECT_EQ(writer.utf8WithObject(Array{1}), "[1]");
    EXPECT_FALSE(writer.utf8WithObject("text"));
    EXPECT_EQ(traceText(writer), "4 Not valid type for JSON");
}

TEST(SBJsonWriter, FailuresGiveNoTextAndTheirTrace) {
    SBJsonWriter writer;
    const Value date = Date();
    EXPECT_FALSE(writer.stringWithObject(Array{1, date}).has_value());
    EXPECT_EQ(traceText(writer), "1 JSON serialisation not supported for NSDate");
    EXPECT_FALSE(writer.stringWithObject(Dictionary{{"k", Array{Dictionary{{"j", date}}}}}));
    EXPECT_EQ(traceText(writer),
              "1 JSON serialisation not supported for NSDate / 1 Unsupported value for key j in "
              "object / 1 Unsupported value for key k in object");
    writer.setSortKeys(true);  // the key reported is the one being written, in sorted order too
    EXPECT_FALSE(writer.stringWithObject(Dictionary{{"z", 1}, {"a", Data()}}));
    EXPECT_EQ(
        traceText(writer),
        "1 JSON serialisation not supported for NSData / 1 Unsupported value for key a in object");
    EXPECT_FALSE(writer.stringWithObject("text"));
    EXPECT_EQ(traceText(writer), "4 Not valid type for JSON");
    EXPECT_FALSE(writer.stringWithObject(1));
    EXPECT_EQ(traceText(writer), "4 Not valid type for JSON");
    EXPECT_TRUE(writer.stringWithObject(Array{}));
    EXPECT_FALSE(writer.errorTrace().has_value());
}

TEST(SBJsonWriter, NestingLimitAppliesToBothContainerKinds) {
    SBJsonParser parser;
    parser.setMaxDepth(0);
    SBJsonWriter writer;
    EXPECT_TRUE(writer.stringWithObject(parser.objectWithUTF8(test::nestedArrays(512))));
    EXPECT_FALSE(writer.stringWithObject(parser.objectWithUTF8(test::nestedArrays(513))));
    EXPECT_EQ(traceText(writer), "7 Nested too deep");
    writer.setMaxDepth(1);
    EXPECT_FALSE(writer.stringWithObject(Dictionary{{"a", Dictionary{}}}));
    EXPECT_EQ(traceText(writer), "7 Nested too deep / 1 Unsupported value for key a in object");
}

TEST(SBJsonWriter, ProxiesWriteAsTheValueTheyGive) {
    SBJsonWriter writer;
    const Value host = proxied(Dictionary{{"id", 7}});
    EXPECT_EQ(writer.stringWithObject(host), String(R"({"id":7})"));
    EXPECT_EQ(write(writer, Array{host, proxied(proxied("deep"))}), R"([{"id":7},"deep"])");

    const Value proxiedDate = proxied(Date());
    EXPECT_FALSE(writer.stringWithObject(Array{proxiedDate}));
    EXPECT_EQ(traceText(writer), "1 JSON serialisation not supported for NSDate");
    EXPECT_FALSE(writer.stringWithObject(proxiedDate));
    EXPECT_EQ(traceText(writer), "4 Not valid type for JSON");
    EXPECT_FALSE(writer.stringWithFragment(proxied(Value())));
    EXPECT_EQ(traceText(writer), "1 JSON serialisation not supported for Proxied");
}

TEST(SBJsonWriter, RoundTripsWhatTheParserReads) {
    const std::string text =
        R"({"name":"Zo\u00eb \ud83d\ude00","tabs":"a\tb","n":[0,-1.5,1e3,12345678901234567890],)"
        R"("nested":{"empty":[],"x":null,"t":true}})";
    SBJsonParser parser;
    const Value value = parser.objectWithUTF8(text);
    SBJsonWriter writer;
    for (const bool pretty : {false, true}) {
        writer.setHumanReadable(pretty);
        const auto written = writer.stringWithObject(value);
        ASSERT_TRUE(written);
        EXPECT_EQ(parser.objectWithString(written), value);
    }
}

TEST(SBJsonWriter, AMillionLevelsWithoutALimitWriteBackUnchanged) {
    const std::string text = test::nestedArrays(1'000'000);
    SBJsonParser parser;
    parser.setMaxDepth(0);
    SBJsonWriter writer;
    writer.setMaxDepth(0);
    const auto written = writer.stringWithObject(parser.objectWithUTF8(text));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->toUtf8(), text);
}

}  // namespace
}  // namespace ov
