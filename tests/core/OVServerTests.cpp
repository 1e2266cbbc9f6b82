// Settings, builders, null cleaning and the client log: everything that needs no network.
#include <gtest/gtest.h>

#include "core/OVServerFixture.h"
#include "orvane/core/NSError+NSError.h"
#include "orvane/core/NSMutableDictionary+NSMutableDictionary.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

using OVServerSettings = test::OVServerFixture;

TEST_F(OVServerSettings, StartAbsentAndRoundTrip) {
    EXPECT_FALSE(OVServer::server_base().has_value());
    EXPECT_FALSE(OVServer::token().has_value());
    EXPECT_EQ(OVServer::logType(), 0u);
    OVServer::setServerBasePath(String("http://b"));
    OVServer::setToken(String("t"));
    OVServer::setTokenKey(String("X-Token"));
    OVServer::setLogType(2);
    EXPECT_EQ(OVServer::sharedInstance().server_baseOfInstance(), String("http://b"));
    EXPECT_EQ(OVServer::sharedInstance().tokenOfInstance(), String("t"));
    EXPECT_EQ(OVServer::sharedInstance().token_key(), String("X-Token"));
    EXPECT_EQ(OVServer::sharedInstance().log_type(), 2u);
}

TEST_F(OVServerSettings, FirstReadOfAnUnsetTimeOutFixesSixtySeconds) {
    EXPECT_EQ(OVServer::sharedInstance().timeOutOfInstance(), 0.0);
    EXPECT_EQ(OVServer::timeOut(), 60.0);
    EXPECT_EQ(OVServer::sharedInstance().timeOutOfInstance(), 60.0);
    OVServer::setTimeOut(0);
    EXPECT_EQ(OVServer::timeOut(), 60.0);
    OVServer::setTimeOut(-5);
    EXPECT_EQ(OVServer::timeOut(), -5.0);
    OVServer::setTimeOut(2.5);
    EXPECT_EQ(OVServer::timeOut(), 2.5);
}

TEST(OVServerBuilders, ParameterTextFollowsDictionaryOrderWithoutTrailingAmpersand) {
    EXPECT_EQ(OVServer::createParam(Dictionary{{"a", 1}, {"b", 2}}), String("a=1&b=2"));
    EXPECT_EQ(OVServer::createParam(Dictionary{{"b", 2}, {"a", 1}}), String("b=2&a=1"));
    EXPECT_EQ(OVServer::createParam(Dictionary{{"q", "a b"}, {"on", true}, {"x", 0.5}}),
              String("q=a b&on=1&x=0.5"));
    EXPECT_EQ(OVServer::createParam(Dictionary{}), String(""));
}

TEST_F(OVServerSettings, BodyRequestCarriesTokenBodyAndTimeOut) {
    OVServer::setToken(String("secret"));
    OVServer::setTokenKey(String("X-Token"));
    OVServer::setTimeOut(12);
    const URLRequest request = OVServer::buildRequestUrl("http://h/p.php", Data::fromString("a=1"));
    EXPECT_EQ(request.httpMethod(), String("GET"));
    EXPECT_EQ(request.url()->absoluteString(), String("http://h/p.php"));
    EXPECT_EQ(request.httpBody(), Data::fromString("a=1"));
    EXPECT_EQ(request.timeoutInterval(), 12.0);
    EXPECT_EQ(request.valueForHTTPHeaderField("x-token"), String("secret"));

    OVServer::setToken(std::nullopt);
    EXPECT_TRUE(OVServer::buildRequestUrl("p", {}).allHTTPHeaderFields().empty());
    EXPECT_FALSE(OVServer::buildRequestUrl("not a url", {}).url().has_value());
}

TEST(NullCleaning, ReplacesNullsAtEveryDepthButArraysInArrays) {
    const Dictionary reply{
        {"a", Value::null()},
        {"b", Array{Value::null(), Dictionary{{"n", Value::null()}}, Array{Value::null()}}},
        {"c", "kept"},
        {"d", Dictionary{{"e", Value::null()}}}};
    const Dictionary expected{{"a", ""},
                              {"b", Array{"", Dictionary{{"n", ""}}, Array{Value::null()}}},
                              {"c", "kept"},
                              {"d", Dictionary{{"e", ""}}}};
    EXPECT_EQ(OVServer::recursiveNullRemove(reply), expected);
    EXPECT_EQ(NSMutableDictionary_NSMutableDictionary::recursiveNullRemove(reply), expected);
    EXPECT_TRUE(reply.objectForKey("a").isNull());  // the input is untouched
    EXPECT_EQ(OVServer::recursiveNullRemove(reply).allKeys(), reply.allKeys());
}

TEST(OVServerLog, FramesOnlyNonEmptyStrings) {
    EXPECT_EQ(OVServer::messageFormate("url]: x"), String("\n[OVServer: url]: x\n"));
    EXPECT_FALSE(OVServer::messageFormate("").has_value());
    EXPECT_FALSE(OVServer::messageFormate(Value()).has_value());
    EXPECT_FALSE(OVServer::messageFormate(5).has_value());
}

TEST_F(OVServerSettings, LogTypeSelectsMessages) {
    const auto printed = [](unsigned long setting, unsigned long type) {
        OVServer::setLogType(setting);
        SystemLogCapture capture;
        OVServer::logWithMessage("m", type);
        return capture.entries().size();
    };
    EXPECT_EQ(printed(0, 1), 1u);
    EXPECT_EQ(printed(0, 3), 1u);
    EXPECT_EQ(printed(1, 1), 1u);
    EXPECT_EQ(printed(2, 1), 0u);
    EXPECT_EQ(printed(2, 2), 1u);
    EXPECT_EQ(printed(3, 3), 1u);
    EXPECT_EQ(printed(9, 9), 0u);
    EXPECT_EQ(printed(9, 1), 0u);
}

TEST_F(OVServerSettings, LogsAnyValueByItsDescriptionInsideTheFrame) {
    SystemLogCapture capture;
    OVServer::logWithMessage(Dictionary{{"a", 1}}, 1);
    OVServer::logWithMessage("", 1);
    OVServer::logWithMessage(Value(), 1);
    EXPECT_EQ(capture.entries(),
              std::vector<std::string>{"OVServer \n[OVServer: {\n    a = 1;\n}\n"});
}

TEST(ErrorLog, WritesSevenEntriesWhateverTheLogType) {
    const Error error("Demo", 4, Dictionary{{NSLocalizedDescriptionKey, "Broken."}});
    const std::string text =
        "Error Domain=Demo Code=4 \"Broken.\" UserInfo={NSLocalizedDescription=Broken.}";
    OVServer::setLogType(9);
    SystemLogCapture capture;
    NSError_NSError::LogError(error);
    EXPECT_EQ(
        capture.entries(),
        (std::vector<std::string>{
            "error " + text, "error.description " + text, "error.debugDescription " + text,
            "error.localizedDescription Broken.", "error.localizedFailureReason (null)",
            "error.localizedRecoveryOptions (null)", "error.localizedRecoverySuggestion (null)"}));
    capture.clear();
    NSError_NSError::log(error);
    EXPECT_EQ(capture.entries(),
              (std::vector<std::string>{"error " + text, "error " + text + ": description " + text,
                                        "error " + text + ": debugDescription " + text,
                                        "error " + text + ": localizedDescription Broken.",
                                        "error " + text + ": localizedFailureReason (null)",
                                        "error " + text + ": localizedRecoveryOptions (null)",
                                        "error " + text + ": localizedRecoverySuggestion (null)"}));
    OVServer::setLogType(0);
}

}  // namespace
}  // namespace ov
