#include <gtest/gtest.h>

#include "json/JsonTraces.h"
#include "orvane/json/NSObject+SBJSON.h"
#include "orvane/json/NSString+SBJSON.h"
#include "orvane/json/SBJSON.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

using test::traceText;

TEST(SBJSON, SettingsReachTheParserAndTheWriter) {
    SBJSON json;
    EXPECT_EQ(json.maxDepth(), 512u);
    json.setMaxDepth(1);
    EXPECT_EQ(json.maxDepth(), 1u);
    EXPECT_TRUE(json.objectWithString(String("[[]]")).isAbsent());
    EXPECT_EQ(traceText(json), "7 Nested too deep / 3 Expected value while parsing array");
    EXPECT_FALSE(json.stringWithObject(Array{Value(Array{})}));
    EXPECT_EQ(traceText(json), "7 Nested too deep");

    json.setMaxDepth(0);
    json.setHumanReadable(true);
    json.setSortKeys(true);
    EXPECT_EQ(json.stringWithObject(Dictionary{{"b", 1}, {"a", Array{2}}}),
              String("{\n  \"a\" : [\n    2\n  ],\n  \"b\" : 1\n}"));
}

TEST(SBJSON, FailuresKeepACopyOfTheTraceAndHandBackItsLastError) {
    SBJSON json;
    std::optional<Error> error;
    EXPECT_TRUE(json.objectWithString(String("[x]"), &error).isAbsent());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->localizedDescription(), String("Expected value while parsing array"));
    EXPECT_EQ(error->userInfo().objectForKey(NSUnderlyingErrorKey).ifError()->code(), 3);

    // A later success leaves the failed call's trace in place.
    EXPECT_EQ(json.fragmentWithString(String("7"), &error), Value(Decimal::fromInteger(7)));
    EXPECT_EQ(traceText(json),
              "3 Unrecognised leading character / 3 Expected value while parsing array");

    EXPECT_TRUE(json.objectWithString(String("7"), &error).isAbsent());
    EXPECT_EQ(error->code(), 4);
    EXPECT_EQ(json.stringWithFragment(String("x"), &error), String("\"x\""));
    EXPECT_FALSE(json.stringWithObject(String("x"), &error));
    EXPECT_EQ(traceText(json), "4 Not valid type for JSON");
    EXPECT_FALSE(json.stringWithObject(Array{Date()}, true, nullptr));
    EXPECT_EQ(traceText(json), "1 JSON serialisation not supported for NSDate");
}

TEST(SBJSON, ConvenienceOperationsLogTheirTraceOnFailure) {
    SystemLogCapture capture;
    EXPECT_EQ(NSString_NSString_SBJSON::JSONValue("[1]"), Value(Array{Decimal::fromInteger(1)}));
    EXPECT_EQ(NSString_SBJSON::JSONFragmentValue("\"a\""), Value("a"));
    EXPECT_EQ(NSObject_NSObject_SBJSON::JSONRepresentation(Array{true}), String("[true]"));
    EXPECT_EQ(NSObject_SBJSON::JSONFragment(Value::null()), String("null"));
    EXPECT_TRUE(capture.entries().empty());

    EXPECT_TRUE(NSString_NSString_SBJSON::JSONValue("[x]").isAbsent());
    EXPECT_TRUE(NSString_NSString_SBJSON::JSONFragmentValue("").isAbsent());
    EXPECT_FALSE(NSObject_NSObject_SBJSON::JSONRepresentation("text"));
    EXPECT_FALSE(NSObject_NSObject_SBJSON::JSONFragment(Date()));
    const std::string domain = "Error Domain=org.orvane.JSON.ErrorDomain ";
    EXPECT_EQ(capture.entries(),
              (std::vector<std::string>{
                  "-JSONValue failed. Error trace is: (\n    " + domain +
                      "Code=3 \"Unrecognised leading character\",\n    " + domain +
                      "Code=3 \"Expected value while parsing array\"\n)",
                  "-JSONFragmentValue failed. Error trace is: (\n    " + domain +
                      "Code=11 \"Unexpected end of string\"\n)",
                  "-JSONRepresentation failed. Error trace is: (\n    " + domain +
                      "Code=4 \"Not valid type for JSON\"\n)",
                  "-JSONFragment failed. Error trace is: (\n    " + domain +
                      "Code=1 \"JSON serialisation not supported for NSDate\"\n)"}));
}

}  // namespace
}  // namespace ov
