// What the client makes of the service's replies and of failed transfers, and what it logs.
#include <gtest/gtest.h>

#include "core/OVServerFixture.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/LoopbackServer.h"
#include "support/RawSocketServer.h"

namespace ov {
namespace {

constexpr const char* kNil =
    "OVServer \n[OVServer: \n\n *** server returned nil *** \nfor rquest: ";

class OVServerReplies : public test::OVServerFixture {
  protected:
    OVServerReplies()
        : m_server([](httplib::Server& http) {
              const auto json = [](std::string body, int status = 200) {
                  return [body, status](const httplib::Request&, httplib::Response& response) {
                      response.status = status;
                      response.set_content(body, "application/json");
                  };
              };
              http.Get("/nulls", json(R"({"a":null,"b":[null,{"c":null}],"d":"x"})"));
              http.Get("/array", json(R"([null,{"a":null}])"));
              http.Get("/error", json(R"({"error":"denied"})", 403));
              http.Get("/empty", json(""));
              http.Get("/html", json("<html>oops</html>"));
              http.Get("/fragment", json("42"));
              http.Get("/big", [](const httplib::Request&, httplib::Response& response) {
                  std::string body = "[";
                  for (int i = 0; i < 200000; ++i)
                      body += R"({"n":12345678,"s":"abcdefghij"},)";
                  body += "null]";
                  response.set_content(body, "application/json");
              });
          }) {}

    void SetUp() override {
        test::OVServerFixture::SetUp();
        OVServer::setServerBasePath(String(m_server.baseUrl()));
    }

    test::LoopbackServer m_server;
};

TEST_F(OVServerReplies, DictionaryRepliesComeBackWithoutNulls) {
    OVServer::setLogType(9);
    EXPECT_EQ(OVServer::getBase_url("nulls", Value()),
              Value(Dictionary{{"a", ""}, {"b", Array{"", Dictionary{{"c", ""}}}}, {"d", "x"}}));
}

TEST_F(OVServerReplies, ArrayRepliesKeepTheirNulls) {
    OVServer::setLogType(9);
    EXPECT_EQ(OVServer::getUrl(String(m_server.baseUrl() + "/array")),
              Value(Array{Value::null(), Dictionary{{"a", Value::null()}}}));
}

TEST_F(OVServerReplies, ErrorStatusWithJsonBodyIsDecoded) {
    OVServer::setLogType(9);
    EXPECT_EQ(OVServer::getUrl(String(m_server.baseUrl() + "/error")),
              Value(Dictionary{{"error", "denied"}}));
}

TEST_F(OVServerReplies, SuccessfulExchangeLogsAddressTokenKeyAndReply) {
    OVServer::setToken(String("tok"));
    OVServer::setTokenKey(String("X-Session"));
    SystemLogCapture capture;
    OVServer::getUrl(String(m_server.baseUrl() + "/error"));
    const std::string frame = "OVServer \n[OVServer: ";
    EXPECT_EQ(capture.entries(),
              (std::vector<std::string>{frame + "url]: " + m_server.baseUrl() + "/error\n",
                                        frame + "token]: tok\n", frame + "tokenKey]: X-Session\n",
                                        frame + "json:\n {\n    error = denied;\n}\n"}));
}

TEST_F(OVServerReplies, RequestSideFilterLeavesOnlyTheAddress) {
    OVServer::setLogType(1);
    SystemLogCapture capture;
    OVServer::getUrl(String(m_server.baseUrl() + "/array"));
    EXPECT_EQ(capture.entries(), (std::vector<std::string>{"OVServer \n[OVServer: url]: " +
                                                           m_server.baseUrl() + "/array\n"}));
}

TEST_F(OVServerReplies, UndecodableBodiesLogTheErrorAndGiveNothing) {
    for (const char* path : {"/empty", "/html", "/fragment"}) {
        OVServer::setLogType(2);
        SystemLogCapture capture;
        EXPECT_TRUE(OVServer::getUrl(String(m_server.baseUrl() + path)).isAbsent()) << path;
        const auto entries = capture.entries();
        ASSERT_EQ(entries.size(), 3u) << path;
        EXPECT_TRUE(entries[0].starts_with(
            "OVServer \n[OVServer: error: Error Domain=NSCocoaErrorDomain Code=3840"));
        EXPECT_EQ(entries[1],
                  "OVServer \n[OVServer: error localizedDescription: The data "
                  "couldn\u2019t be read because it isn\u2019t in the correct format.\n");
        EXPECT_EQ(entries[2], "OVServer \n[OVServer: json:\n (null)\n");
    }
}

TEST_F(OVServerReplies, LargeRepliesDecodeWhole) {
    OVServer::setLogType(9);
    const Value reply = OVServer::getUrl(String(m_server.baseUrl() + "/big"));
    ASSERT_TRUE(reply.isArray());
    EXPECT_EQ(reply.asArray().count(), 200001u);
    EXPECT_TRUE(reply.asArray()[200000].isNull());
}

TEST_F(OVServerReplies, RefusedConnectionLogsTheErrorAndServerReturnedNil) {
    std::string address;
    {
        test::LoopbackServer closed;
        address = closed.baseUrl() + "/gone";
    }
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::getUrl(String(address)).isAbsent());
    const auto entries = capture.entries();
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_TRUE(entries[1].starts_with("error Error Domain=NSURLErrorDomain Code=-1004"));
    EXPECT_EQ(entries[4], "error.localizedDescription Could not connect to the server.");
    EXPECT_EQ(entries[5], "error.localizedFailureReason (null)");
    EXPECT_EQ(entries[8], kNil + address + "\n\n");
}

TEST_F(OVServerReplies, SilentServerTimesOutWithTheBodyTimeOut) {
    test::RawSocketServer silent(test::RawSocketServer::neverAnswer);
    OVServer::setTimeOut(0.2);
    OVServer::setLogType(2);
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::sendParam("a=1", String(silent.baseUrl() + "/slow")).isAbsent());
    const auto entries = capture.entries();
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[3], "error.localizedDescription The request timed out.");
}

TEST_F(OVServerReplies, ReplyCutOffMidBodyGivesNothing) {
    test::RawSocketServer cutting(test::RawSocketServer::cutOffMidBody);
    OVServer::setLogType(2);
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::getUrl(String(cutting.baseUrl() + "/cut")).isAbsent());
    const auto entries = capture.entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), kNil + cutting.baseUrl() + "/cut\n\n");
}

TEST_F(OVServerReplies, InvalidAddressFindsNoReply) {
    OVServer::setLogType(2);
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::sendParam("a=1", "not a url").isAbsent());
    const auto entries = capture.entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), std::string(kNil) + "(null)\n\n");
}

}  // namespace
}  // namespace ov
