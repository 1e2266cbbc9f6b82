#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "orvane/platform/network/JSONSerialization.h"
#include "support/ProxiedObject.h"

namespace ov {
namespace {

Result<Value> read(std::string_view text, bool fragmentsAllowed = false) {
    return JSONSerialization::JSONObjectWithData(Data::fromString(text), {fragmentsAllowed});
}

std::string reason(const Error& error) {
    return error.userInfo().objectForKey(NSDebugDescriptionErrorKey).asString().toUtf8();
}

std::string readFailure(std::string_view text) {
    const auto result = read(text);
    return result ? "(parsed)" : reason(result.error());
}

std::string write(const Value& value, JSONWritingOptions options = {}) {
    const auto result = JSONSerialization::dataWithJSONObject(value, options);
    return result ? std::string(result.value().view()) : "(failed) " + reason(result.error());
}

using test::proxied;

TEST(JSONSerializationReading, KeepsDocumentOrderNullMarkersAndLastOfRepeatedKeys) {
    const auto value = read(R"({"b":1,"a":[null],"c":null,"b":{"d":true}})");
    ASSERT_TRUE(value);
    const Dictionary& object = value.value().asDictionary();
    EXPECT_EQ(object.allKeys(), (std::vector<String>{"b", "a", "c"}));
    EXPECT_EQ(object.objectForKey("b"), Value(Dictionary{{"d", true}}));
    EXPECT_TRUE(object.objectForKey("a").asArray()[0].isNull());
    EXPECT_TRUE(object.objectForKey("c").isNull());
}

TEST(JSONSerializationReading, KeepsIntegersExactAndParsesDoublesToFullPrecision) {
    const auto value = read(
        "[-9223372036854775808, 9223372036854775807, 9223372036854775808, 18446744073709551615,"
        " 18446744073709551616, 1.5, -0, 1e2, 2.2250738585072011e-308, 0.3, 1e-400]");
    ASSERT_TRUE(value);
    const Array& numbers = value.value().asArray();
    EXPECT_EQ(numbers[0].asNumber().type(), Number::Type::LongLong);
    EXPECT_EQ(numbers[0].asNumber().longLongValue(), LLONG_MIN);
    EXPECT_EQ(numbers[1].asNumber().type(), Number::Type::LongLong);
    EXPECT_EQ(numbers[2].asNumber().type(), Number::Type::UnsignedLongLong);
    EXPECT_EQ(numbers[3].asNumber().unsignedLongLongValue(), ULLONG_MAX);
    for (size_t i = 4; i < numbers.count(); ++i) {
        EXPECT_EQ(numbers[i].asNumber().type(), Number::Type::Double) << i;
    }
    EXPECT_TRUE(std::signbit(numbers[6].asNumber().doubleValue()));
    EXPECT_EQ(numbers[8].asNumber().doubleValue(), 2.2250738585072011e-308);
    EXPECT_EQ(numbers[9].asNumber().doubleValue(), 0.3);
    EXPECT_EQ(numbers[10].asNumber().doubleValue(), 0.0);
}

TEST(JSONSerializationReading, DecodesEscapesAndSkipsUtf8ByteOrderMark) {
    const auto value = read("\xEF\xBB\xBF[\"a\\u00e9\\ud83d\\ude00\\n\\/\\\"\"]");
    ASSERT_TRUE(value);
    EXPECT_EQ(value.value().asArray()[0].asString(), String(u"a\u00e9\U0001F600\n/\""));
}

TEST(JSONSerializationReading, FragmentsOnlyWhenAllowed) {
    EXPECT_EQ(readFailure("\"x\""),
              "JSON text did not start with array or object and option to allow fragments not "
              "set.");
    EXPECT_EQ(readFailure("12"), readFailure("\"x\""));
    EXPECT_EQ(read(" \"x\" ", true).value(), Value("x"));
    EXPECT_TRUE(read("null", true).value().isNull());
    EXPECT_EQ(read("-12", true).value(), Value(-12));
}

TEST(JSONSerializationReading, ReportsEachFailureInThePlatformsWords) {
    const auto empty = JSONSerialization::JSONObjectWithData(Data());
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().domain(), String(NSCocoaErrorDomain));
    EXPECT_EQ(empty.error().code(), 3840);
    EXPECT_EQ(reason(empty.error()), "Unable to parse empty data.");
    EXPECT_EQ(
        empty.error().localizedDescription(),
        String("The data couldn\u2019t be read because it isn\u2019t in the correct format."));

    const std::pair<std::string_view, std::string> cases[] = {
        {"[1,]", "Invalid value around line 1, column 3."},
        {"[NaN]", "Invalid value around line 1, column 1."},
        {"[-Infinity]", "Invalid value around line 1, column 2."},
        {"[1]//c", "Garbage at end around line 1, column 3."},
        {"[1] \n x", "Garbage at end around line 2, column 1."},
        {std::string_view("[1]\0", 4), "Garbage at end around line 1, column 3."},
        {"[\n1\n,x]", "Invalid value around line 3, column 1."},
        {"[\"\u00e9\u00e9\", x]", "Invalid value around line 1, column 7."},
        {R"({"a":1,})", "No string key for value in object around line 1, column 7."},
        {R"({"a" 1})", "Badly formed object around line 1, column 5."},
        {"[1 2]", "Badly formed array around line 1, column 3."},
        {"[1e400]", "Number wound up as NaN around line 1, column 1."},
        {"[1.8e308]", "Number wound up as NaN around line 1, column 1."},
        {"[0, 1844440420672e308]", "Number wound up as NaN around line 1, column 4."},
        {R"(["\ud800"])",
         "Unable to convert hex escape sequence (no low character) to "
         "UTF8-encoded character around line 1, column 2."},
        {R"(["\udc00"])",
         "Unable to convert hex escape sequence (no high character) to "
         "UTF8-encoded character around line 1, column 9."},
        {R"(["\x"])", "Invalid escape sequence around line 1, column 2."},
        {"[\"a\x01\"]", "Unescaped control character around line 1, column 3."},
        {"[\"\xC3\"]", "Unable to convert data to string around line 1, column 2."},
        {"[\"\xED\xA0\x80\"]", "Unable to convert data to string around line 1, column 2."},
        {std::string_view("\xFF\xFE[\0]\0", 6),
         "Unable to convert data to string around line 1, column 0."},
        {"[1", "Unexpected end of file during JSON parse."},
        {" \n ", "Unexpected end of file during JSON parse."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readFailure(text), expected) << text;
}

TEST(JSONSerializationWriting, WritesCompactAndPrettyLikeThePlatform) {
    const Value document = Dictionary{{"b", Array{1, Value::null(), true}},
                                      {"e", Array{}},
                                      {"a", Dictionary{{"x/y", "z"}}},
                                      {"d", Dictionary{}}};
    EXPECT_EQ(write(document), R"({"b":[1,null,true],"e":[],"a":{"x\/y":"z"},"d":{}})");
    EXPECT_EQ(write(document, {.prettyPrinted = true}),
              "{\n  \"b\" : [\n    1,\n    null,\n    true\n  ],\n  \"e\" : [\n\n  ],\n"
              "  \"a\" : {\n    \"x\\/y\" : \"z\"\n  },\n  \"d\" : {\n\n  }\n}");
}

TEST(JSONSerializationWriting, SortsKeysByUtf16CodeUnitsAtEveryLevel) {
    // U+FF21 sorts after the surrogate pair of U+1F600 in UTF-16, before it by code point.
    const Value document =
        Dictionary{{"\uFF21", 1},
                   {"\U0001F600", 2},
                   {"b", Dictionary{{"z", 1}, {"y", Dictionary{{"2", 0}, {"1", 0}}}}},
                   {"\u00e9", 4},
                   {"a", 5}};
    EXPECT_EQ(write(document, {.sortedKeys = true}),
              "{\"a\":5,\"b\":{\"y\":{\"1\":0,\"2\":0},\"z\":1},\"\u00e9\":4,\"\U0001F600\":2,"
              "\"\uFF21\":1}");
}

TEST(JSONSerializationWriting, WritesNumbersExactlyAndShortest) {
    const Value numbers =
        Array{3.0,        0.1,       1e300, -0.0,      0.1f,
              ULLONG_MAX, LLONG_MIN, 1e21,  123456.75, *Decimal::fromString("-12.50")};
    EXPECT_EQ(write(numbers),
              "[3,0.1,1e+300,-0,0.1,18446744073709551615,-9223372036854775808,1e+21,123456.75,"
              "-12.5]");
}

TEST(JSONSerializationWriting, EscapesControlsQuotesAndSlashesAndRepairsSurrogates) {
    EXPECT_EQ(write(Array{"\x01\b\f\n\r\t\"\\/\x7f\u00e9"}),
              "[\"\\u0001\\b\\f\\n\\r\\t\\\"\\\\\\/\x7f\u00e9\"]");
    EXPECT_EQ(write(Array{String(std::u16string{u'a', 0xD800, u'b', 0xDC00, 0xD83D, 0xDE00})}),
              "[\"a\uFFFDb\uFFFD\U0001F600\"]");
}

TEST(JSONSerializationWriting, RefusesWhatJsonCannotHold) {
    const auto failure = JSONSerialization::dataWithJSONObject(Array{Date()});
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.error().code(), 3840);
    EXPECT_EQ(reason(failure.error()), "Invalid type in JSON write (__NSDate)");
    EXPECT_EQ(write(Array{Data::fromString("x")}),
              "(failed) Invalid type in JSON write (NSConcreteData)");
    EXPECT_EQ(write(Dictionary{{"k", proxied(Value())}}),
              "(failed) Invalid type in JSON write (Proxied)");
    EXPECT_EQ(write(Array{std::nan("")}), "(failed) Invalid number value (NaN) in JSON write");
    EXPECT_EQ(write(Array{-HUGE_VAL}), "(failed) Invalid number value (infinite) in JSON write");
    EXPECT_EQ(write("x"), "(failed) Invalid top-level type in JSON write");
    EXPECT_EQ(write("x", {.fragmentsAllowed = true}), "\"x\"");
    EXPECT_EQ(write(Value::null(), {.fragmentsAllowed = true}), "null");
}

TEST(JSONSerializationWriting, WritesObjectsThroughTheirProxies) {
    const Value point = proxied(Dictionary{{"x", 1}});
    EXPECT_EQ(write(Array{point, point}), R"([{"x":1},{"x":1}])");
    EXPECT_EQ(write(point), R"({"x":1})");
}

TEST(JSONSerializationWriting, ValidityMatchesWhatCanBeWritten) {
    EXPECT_TRUE(JSONSerialization::isValidJSONObject(Dictionary{{"a", Array{1, "x", false}}}));
    EXPECT_FALSE(JSONSerialization::isValidJSONObject("x"));
    EXPECT_FALSE(JSONSerialization::isValidJSONObject(Array{Array{INFINITY}}));
    EXPECT_FALSE(JSONSerialization::isValidJSONObject(Dictionary{{"a", Date()}}));
}

TEST(JSONSerialization, RoundTripsADocumentByteForByte) {
    const std::string text =
        R"({"name":"Zoë \/ \"q\"","tags":["a",null,true,false],"n":[0,-1,2.5,-0,)"
        R"(18446744073709551615,1e-07,1e+300],"nested":{"deep":[[{}]],"empty":""}})";
    const auto value = read(text);
    ASSERT_TRUE(value);
    EXPECT_EQ(write(value.value()), text);
}

TEST(JSONSerialization, RefusesDeepReadsAndWritesAnyDepthWithoutRecursion) {
    constexpr size_t kLimit = JSONSerialization::kMaxReadingDepth;
    const std::string deepest = std::string(kLimit, '[') + std::string(kLimit, ']');
    EXPECT_TRUE(read(deepest));
    EXPECT_EQ(readFailure("[" + deepest + "]"),
              "Too many nested arrays or dictionaries around line 1, column 512.");
    EXPECT_EQ(readFailure(std::string(1'000'000, '[')),
              "Too many nested arrays or dictionaries around line 1, column 512.");

    // Value's destructor recurses, so the tree is built and taken apart one level at a time.
    constexpr size_t kDepth = 1'000'000;
    Value nested = Array{};
    for (size_t i = 1; i < kDepth; ++i)
        nested = Array{nested};
    EXPECT_EQ(write(nested), std::string(kDepth, '[') + std::string(kDepth, ']'));
    while (nested.isArray() && !nested.asArray().isEmpty()) {
        Value inner = nested.asArray()[0];
        nested = std::move(inner);
    }
}

}  // namespace
}  // namespace ov
