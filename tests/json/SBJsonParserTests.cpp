#include <gtest/gtest.h>

#include "json/JsonTraces.h"
#include "orvane/json/SBJsonParser.h"

namespace ov {
namespace {

using test::traceText;

Decimal decimal(std::string_view text) {
    return *Decimal::fromString(text);
}

TEST(SBJsonParser, ReadsEveryKindWithNumbersAsExactDecimals) {
    SBJsonParser parser;
    const Value value =
        parser.objectWithString(String(" { \"a\" : [ 1, 2.5e-3, true, false, null, 0.1, -0 ] } "));
    ASSERT_TRUE(value.isDictionary()) << traceText(parser);
    const Array& items = value.asDictionary().objectForKey("a").asArray();
    ASSERT_EQ(items.count(), 7u);
    EXPECT_EQ(*items[1].ifDecimal(), decimal("0.0025"));
    EXPECT_EQ(items[2], Value(true));
    EXPECT_EQ(items[3], Value(false));
    EXPECT_TRUE(items[4].isNull());
    EXPECT_EQ(items[5].ifDecimal()->toString(), "0.1");
    EXPECT_TRUE(items[6].ifDecimal()->isZero());
    EXPECT_FALSE(parser.errorTrace().has_value());
}

TEST(SBJsonParser, CommasAreOptionalAndTheLastOfARepeatedKeyWins) {
    SBJsonParser parser;
    EXPECT_EQ(parser.objectWithString(String("[1 2]")), parser.objectWithString(String("[1,2]")));
    const Value members = parser.objectWithString(String("{\"a\":1 \"b\":2 \"a\":3}"));
    EXPECT_EQ(members, Value(Dictionary{{"a", decimal("3")}, {"b", decimal("2")}}));
    EXPECT_EQ(parser.fragmentWithString(String("0e5")), Value(decimal("0")));
    // Vertical tab and form feed separate tokens; a NUL byte ends the input.
    EXPECT_TRUE(parser.objectWithString(String("\v[\f1\v]\f")).isArray());
    EXPECT_TRUE(parser.objectWithUTF8(std::string_view("[1]\0garbage", 11)).isArray());
}

TEST(SBJsonParser, NumbersReadExactlyWhateverTheirLength) {
    SBJsonParser parser;
    // Up to nineteen digits are gathered while scanning; longer ones and exponents are read
    // from the text: both must agree with the decimal reader.
    for (const char* literal :
         {"0", "-0", "7", "0.001", "-0.000", "1.50", "1234567890123456789", "9999999999999999999",
          "12345678901234567890", "-99999999999999999999.5", "0.1234567890123456789",
          "123456789012345678.9", "1e2", "-2.5E-3", "1000000000000000000000000000000000000000"}) {
        const Value value = parser.fragmentWithUTF8(literal);
        ASSERT_TRUE(value.isDecimal()) << literal << traceText(parser);
        EXPECT_EQ(value.ifDecimal()->toString(), decimal(literal).toString()) << literal;
    }
    // Digits are also taken eight at a time: every split of whole and fraction digits, ended
    // by each kind of byte that can follow a number.
    const std::string digits = "98765432109876543210987654";
    for (size_t whole = 1; whole <= 24; ++whole) {
        for (size_t fraction = 0; fraction <= 20; fraction += 4) {
            std::string literal = digits.substr(0, whole);
            if (fraction > 0) literal += "." + digits.substr(whole, fraction);
            const Value value = parser.objectWithUTF8("[" + literal + "," + literal + "]");
            ASSERT_TRUE(value.isArray()) << literal << traceText(parser);
            EXPECT_EQ(value.asArray()[0].ifDecimal()->toString(), decimal(literal).toString());
            EXPECT_EQ(value.asArray()[1], value.asArray()[0]) << literal;
        }
    }
}

TEST(SBJsonParser, WhiteSpaceRunsOfAnyLengthSeparateTokens) {
    SBJsonParser parser;
    const std::string pattern = " \t\n\r\v\f";
    for (size_t length = 0; length < 40; ++length) {
        std::string gap;
        for (size_t i = 0; i < length; ++i)
            gap += pattern[i % pattern.size()];
        const Value value = parser.objectWithUTF8(gap + "[" + gap + "1" + gap + "]" + gap);
        EXPECT_EQ(value, Value(Array{decimal("1")})) << length << traceText(parser);
    }
}

struct FailureCase {
    std::string input;
    std::string trace;
};

TEST(SBJsonParser, FailuresLeaveTheWholeTraceInnermostFirst) {
    const std::vector<FailureCase> cases = {
        {"[x]", "3 Unrecognised leading character / 3 Expected value while parsing array"},
        {"{\"a\" 1}", "3 Expected ':' separating key and value"},
        {"{\"a\":}", "3 Unrecognised leading character / 3 Object value expected for key: a"},
        {"[\"\\u12\"]",
         "6 Missing hex digit in quad / 6 Missing hex quad / 6 Broken unicode character / 3 "
         "Expected value while parsing array"},
        {"{\"k\":[[1 x]]}",
         "3 Unrecognised leading character / 3 Expected value while parsing array / 3 Expected "
         "value while parsing array / 3 Object value expected for key: k"},
        {"[1] x", "10 Garbage after JSON"},
        {"truex", "10 Garbage after JSON"},
        {"", "11 Unexpected end of string"},
        {" \t\r\n", "11 Unexpected end of string"},
        {"[", "11 End of input while parsing array"},
        {"[ ", "11 Unexpected end of string / 3 Expected value while parsing array"},
        {"{", "11 End of input while parsing object"},
        {"[1,]", "9 Trailing comma disallowed in array"},
        {"{\"a\":1 , }", "9 Trailing comma disallowed in object"},
        {"{1:2}", "3 Object key string expected"},
        {"{\"\\q\":2}", "8 Illegal escape sequence '0x71' / 3 Object key string expected"},
        {"-", "2 No digits after initial minus"},
        {"-x", "2 No digits after initial minus"},
        {"01", "2 Leading 0 disallowed in number"},
        {"1.", "2 No digits after decimal point"},
        {"1e", "2 No digits after exponent"},
        {"1e+", "2 No digits after exponent"},
        {"+1", "2 Leading + disallowed in number"},
        {".5", "3 Unrecognised leading character"},
        {"1e999", "2 Failed creating decimal instance"},
        {"tru", "3 Expected 'true'"},
        {"fals", "3 Expected 'false'"},
        {"nul", "3 Expected 'null'"},
        {"\"a\tb\"", "5 Unescaped control character '0x9'"},
        {"\"abc", "5 Unescaped control character '0x0'"},
        {"\"abc\\n", "11 Unexpected EOF while parsing string"},
        {"\"\\q\"", "8 Illegal escape sequence '0x71'"},
        {"\"\\\xC3\xA9\"", "8 Illegal escape sequence '0xffc3'"},
        {"\"\\", "8 Illegal escape sequence '0x0'"},
        {"\"\\ud83dx\"", "6 Missing low character in surrogate pair / 6 Broken unicode character"},
        {"\"\\ud83d\\u00\"",
         "6 Missing hex digit in quad / 6 Missing low character in surrogate pair / 6 Broken "
         "unicode character"},
        {"\"\\udc00\"", "6 Invalid high character in surrogate pair / 6 Broken unicode character"},
        {"\"\\ud83d\\u0041\"", "6 Invalid low surrogate char / 6 Broken unicode character"},
        // Bytes that are not UTF-8: a lone lead byte, a cut-off sequence, an overlong form.
        {"\x80", "3 Unrecognised leading character"},
        {"\"\xFF\"", "3 Invalid UTF-8 byte '0xff' in string"},
        {"[\"ab\xC3\"]",
         "3 Invalid UTF-8 byte '0xc3' in string / 3 Expected value while parsing array"},
        {"\"0123456789\xC0\xAF\"", "3 Invalid UTF-8 byte '0xc0' in string"},
        {"\"\xC1\xBF\"", "3 Invalid UTF-8 byte '0xc1' in string"},
        {"\"\xE0\x80\xAF\"", "3 Invalid UTF-8 byte '0xe0' in string"},
        {"\"\xED\xA0\x80\"", "3 Invalid UTF-8 byte '0xed' in string"},
        {"\"\xE2\x82\"", "3 Invalid UTF-8 byte '0xe2' in string"},
    };
    SBJsonParser parser;
    for (const auto& [input, trace] : cases) {
        EXPECT_TRUE(parser.fragmentWithUTF8(input).isAbsent()) << input;
        EXPECT_EQ(traceText(parser), trace) << input;
    }
}

TEST(SBJsonParser, DocumentsMustBeContainersAndAbsentTextIsAnError) {
    SBJsonParser parser;
    EXPECT_TRUE(parser.objectWithString(String("\"lone\"")).isAbsent());
    EXPECT_EQ(traceText(parser), "4 Valid fragment, but not JSON");
    EXPECT_EQ(parser.fragmentWithString(String("\"lone\"")), Value("lone"));
    EXPECT_TRUE(parser.objectWithString(std::nullopt).isAbsent());
    EXPECT_EQ(traceText(parser), "12 Input was 'nil'");
    EXPECT_TRUE(parser.objectWithString(String("[]")).isArray());
    EXPECT_FALSE(parser.errorTrace().has_value());  // a success leaves no trace behind
}

TEST(SBJsonParser, StringsDecodeEscapesSurrogatesAndUtf8) {
    SBJsonParser parser;
    const auto read = [&](std::string_view json) { return parser.fragmentWithUTF8(json); };
    EXPECT_EQ(read(R"("\/\b\f\n\r\t\"\\")"), Value("/\b\f\n\r\t\"\\"));
    EXPECT_EQ(read(R"("\ud83d\ude00")"), Value("\U0001F600"));
    EXPECT_EQ(read(R"("\ud800\udfff")").asString().utf16(), std::u16string({0xD800, 0xDFFF}));
    EXPECT_EQ(read(R"("a\u0000b")").asString().utf16(), std::u16string(u"a\0b", 3));
    EXPECT_EQ(read("\"Zo\xC3\xAB \\u00e9\xF0\x9F\x98\x80.\""), Value("Zo\u00eb \u00e9\U0001F600."));
    EXPECT_EQ(read("\"\x7F\""), Value("\x7F"));
    // The run scan works a word at a time: every stop position must be found.
    for (size_t length = 0; length < 20; ++length) {
        const std::string plain(length, 'a');
        EXPECT_EQ(read("\"" + plain + "\""), Value(plain)) << length;
        EXPECT_EQ(read("\"" + plain + "\\n" + plain + "\""), Value(plain + "\n" + plain));
        EXPECT_EQ(read("\"" + plain + "\xC3\xA9" + plain + "\""), Value(plain + "é" + plain));
        EXPECT_EQ(traceText(parser), "");
    }
    // ASCII runs of every length between characters of every width, as in mixed-script text.
    for (const char* wide : {"\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80"}) {
        std::string text;
        for (size_t length = 0; length < 20; ++length)
            text += std::string(length, 'a') + wide + wide;
        EXPECT_EQ(read("\"" + text + "\""), Value(text));
        EXPECT_EQ(read("\"" + text + "\xE6\x97\"").isAbsent(), true);  // cut short at the end
        EXPECT_EQ(traceText(parser), "3 Invalid UTF-8 byte '0xe6' in string");
    }
}

// Long keys met before share the text made then: keys that differ only in the middle, keys
// spelled with escapes, and a malformed key must still each read as what they are.
TEST(SBJsonParser, RepeatedLongKeysReadTheSameAsNewOnes) {
    SBJsonParser parser;
    std::string json = "[";
    std::vector<std::string> keys;
    for (char middle = 'a'; middle <= 'z'; ++middle)
        keys.push_back("profile_" + std::string(1, middle) + "_background_url");
    keys.push_back(R"(caf\u00e9 au lait au comptoir)");
    keys.push_back(R"(caf\u00e9 au lait au comptoi\u0072)");  // the same key, spelled apart
    keys.push_back("テキスト");                               // 12 bytes, 4 units
    for (int copy = 0; copy < 3; ++copy) {
        json += copy ? ",{" : "{";
        for (size_t i = 0; i < keys.size(); ++i)
            json += (i ? ",\"" : "\"") + keys[i] + "\":" + std::to_string(i);
        json += "}";
    }
    const Value value = parser.objectWithUTF8(json + "]");
    ASSERT_TRUE(value.isArray()) << traceText(parser);
    for (const Value& object : value.asArray()) {
        const Dictionary& members = object.asDictionary();
        ASSERT_EQ(members.count(), keys.size() - 1);
        EXPECT_EQ(members.objectForKey("profile_q_background_url"), Value(16));
        EXPECT_EQ(members.objectForKey("café au lait au comptoir"), Value(27));
        EXPECT_EQ(members.objectForKey("テキスト"), Value(28));
    }
    const std::string malformed = "{\"a key that is long and bad \xFF\": 1}";
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_TRUE(
            parser.objectWithUTF8("[{\"a key that is long and good\": 1}," + malformed + "]")
                .isAbsent());
        EXPECT_EQ(traceText(parser),
                  "3 Invalid UTF-8 byte '0xff' in string / 3 Object key string expected / 3 "
                  "Expected value while parsing array");
    }
}

// A reply's strings and containers share one block of storage: parts kept from it must stay
// whole after the parser and the rest are gone, and changing a part must not reach the others.
// A repeated long key is one text within a document, and each document has its own.
TEST(SBJsonParser, LongKeysAreSharedWithinADocumentOnly) {
    SBJsonParser parser;
    const char* text = R"([{"a key long enough to share": 1}, {"a key long enough to share": 2}])";
    const Value first = parser.objectWithUTF8(text);
    const Value second = parser.objectWithUTF8(text);
    const auto keyOf = [](const Value& document, size_t position) -> const String& {
        return document.asArray()[position].asDictionary().begin()->first;
    };
    EXPECT_EQ(keyOf(first, 0).utf16().data(), keyOf(first, 1).utf16().data());
    EXPECT_EQ(keyOf(second, 0).utf16().data(), keyOf(second, 1).utf16().data());
    EXPECT_NE(keyOf(second, 0).arena(), keyOf(first, 0).arena());
    EXPECT_EQ(keyOf(second, 1), String("a key long enough to share"));
}

TEST(SBJsonParser, PartsOfAReplyOutliveTheParserAndChangeOnTheirOwn) {
    Value user;
    Value tags;
    Value reply;
    {
        SBJsonParser parser;
        reply = parser.objectWithUTF8(R"({"statuses": [{"text": "a status longer than a key",
            "user": {"screen_name": "somebody with a long name", "id": 12},
            "tags": ["first tag of the status", "x"]}], "next_results": "?max_id=1&q=a"})");
        ASSERT_TRUE(reply.isDictionary()) << traceText(parser);
        const Dictionary& status =
            reply.asDictionary().objectForKey("statuses").asArray()[0].asDictionary();
        user = status.objectForKey("user");
        tags = status.objectForKey("tags");
        // A second document from the same parser has storage of its own.
        EXPECT_EQ(parser.objectWithUTF8(R"(["another document entirely"])"),
                  Value(Array{"another document entirely"}));
    }
    Value changed = reply;
    changed.mutableDictionary().setObject("?max_id=2", "next_results");
    tags.mutableArray().at(1) = "second tag, changed here only";
    reply = Value();

    EXPECT_EQ(changed.asDictionary().objectForKey("next_results"), Value("?max_id=2"));
    EXPECT_EQ(user.asDictionary().objectForKey("screen_name"), Value("somebody with a long name"));
    EXPECT_EQ(tags, Value(Array{"first tag of the status", "second tag, changed here only"}));
    const Value original = changed.asDictionary()
                               .objectForKey("statuses")
                               .asArray()[0]
                               .asDictionary()
                               .objectForKey("tags");
    EXPECT_EQ(original, Value(Array{"first tag of the status", "x"}));
}

TEST(SBJsonParser, NestingLimitCountsOpenContainers) {
    SBJsonParser parser;
    EXPECT_EQ(parser.maxDepth(), 512u);
    EXPECT_TRUE(parser.objectWithUTF8(test::nestedArrays(512)).isArray());
    EXPECT_TRUE(parser.objectWithUTF8(test::nestedArrays(513)).isAbsent());
    const ErrorTrace& trace = *parser.errorTrace();
    ASSERT_EQ(trace.size(), 513u);
    EXPECT_EQ(trace.front().localizedDescription(), String("Nested too deep"));
    EXPECT_EQ(trace.back().localizedDescription(), String("Expected value while parsing array"));

    parser.setMaxDepth(2);
    EXPECT_TRUE(parser.objectWithString(String("{\"a\":[]}")).isDictionary());
    EXPECT_TRUE(parser.objectWithString(String("{\"a\":{\"b\":[]}}")).isAbsent());
    EXPECT_EQ(traceText(parser),
              "7 Nested too deep / 3 Object value expected for key: b / 3 Object value expected "
              "for key: a");
    parser.setMaxDepth(0);
    EXPECT_TRUE(parser.objectWithUTF8(test::nestedArrays(600)).isArray());
}

TEST(SBJsonParser, DeepInputWithoutALimitNeitherRecursesNorKeepsEveryError) {
    constexpr size_t kDepth = 1'000'000;
    SBJsonParser parser;
    parser.setMaxDepth(0);
    Value value = parser.objectWithUTF8(test::nestedArrays(kDepth));
    size_t depth = 0;
    for (const Value* level = &value; level->isArray(); ++depth) {
        const Array& array = level->asArray();
        level = array.isEmpty() ? &Value::absent() : &array[0];
    }
    EXPECT_EQ(depth, kDepth);

    // Far deeper than a recursive unwinding survives; the trace keeps its ends only.
    constexpr size_t kFailingDepth = 100'000;
    EXPECT_TRUE(parser.objectWithUTF8(std::string(kFailingDepth, '[')).isAbsent());
    const ErrorTrace& trace = *parser.errorTrace();
    ASSERT_LE(trace.size(), SBJsonBase::kMaxTraceLength);
    EXPECT_EQ(trace.front().localizedDescription(), String("End of input while parsing array"));
    EXPECT_EQ(
        trace[SBJsonBase::kKeptInnermostErrors].localizedDescription(),
        String("(" + std::to_string(kFailingDepth - (trace.size() - 1)) + " errors left out)"));
    EXPECT_EQ(trace.back().localizedDescription(), String("Expected value while parsing array"));
}

}  // namespace
}  // namespace ov
