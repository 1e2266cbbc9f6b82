// What the service receives for each request form: method, exact target bytes, header fields
// and body, checked on a real loopback server.
#include <gtest/gtest.h>

#include "core/BodyRecordingServer.h"
#include "core/OVServerFixture.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/LoopbackServer.h"

namespace ov {
namespace {

class OVServerRequestForms : public test::OVServerFixture {
  protected:
    OVServerRequestForms()
        : m_server([](httplib::Server& http) {
              const auto answer = [](const httplib::Request&, httplib::Response& response) {
                  response.set_content(R"({"ok":true})", "application/json");
              };
              http.Get(".*", answer);
              http.Post(".*", answer);
          }) {}

    void SetUp() override {
        test::OVServerFixture::SetUp();
        OVServer::setServerBasePath(String(m_server.baseUrl()));
        OVServer::setLogType(9);
    }

    String base() const { return String(m_server.baseUrl()); }
    test::ReceivedRequest only() const {
        const auto received = m_server.received();
        EXPECT_EQ(received.size(), 1u);
        return received.empty() ? test::ReceivedRequest{} : received.back();
    }

    test::LoopbackServer m_server;
};

TEST_F(OVServerRequestForms, QueryRequestsJoinAndEncodeTheAddress) {
    EXPECT_FALSE(OVServer::sendGetParam_Base_url("q=a b&n=%", "/list.php?").isAbsent());
    const auto request = only();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/list.php?q=a%20b&n=%25");
    EXPECT_TRUE(request.body.empty());
    EXPECT_EQ(request.headerValues("content-type"),
              std::vector<std::string>{"application/json;charset=UTF-8"});
}

TEST_F(OVServerRequestForms, QueryJoinInsertsNoQuestionMark) {
    OVServer::sendGetParam("q=1", base() + "/list.php");
    EXPECT_EQ(only().path, "/list.phpq=1");
}

TEST_F(OVServerRequestForms, DictionaryQueryWithIdentifier) {
    OVServer::sendGetDic_Base_url(Dictionary{{"a", 1}, {"b", "x y"}}, "/s.php?", String("7"));
    EXPECT_EQ(only().path, "/s.php?a=1&b=x%20y&identifier=7");
}

TEST_F(OVServerRequestForms, EmptyDictionaryWithIdentifierStartsWithAmpersand) {
    OVServer::sendGetDic(Dictionary{}, base() + "/s.php?", String("7"));
    EXPECT_EQ(only().path, "/s.php?&identifier=7");
}

TEST_F(OVServerRequestForms, SingleValuesDefaultTheirKey) {
    OVServer::sendGetValue(42, std::nullopt, base() + "/v.php?");
    OVServer::sendGetValue_Base_url("x", String("id"), "/v.php?", "9");
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].path, "/v.php?identifier=42");
    EXPECT_EQ(received[1].path, "/v.php?id=x&identifier=9");
}

// Body requests go to a server that reads GET bodies.
class OVServerBodyRequests : public test::OVServerFixture {
  protected:
    void SetUp() override {
        test::OVServerFixture::SetUp();
        OVServer::setServerBasePath(String(m_server.baseUrl()));
        OVServer::setLogType(9);
    }

    String base() const { return String(m_server.baseUrl()); }

    test::BodyRecordingServer m_server;
};

TEST_F(OVServerBodyRequests, AreGetsWithTheParametersInTheBody) {
    OVServer::setTimeOut(5);
    EXPECT_EQ(OVServer::send_Base_url(Dictionary{{"id", 7}}, "user.php", String("me")),
              Value(Dictionary{{"ok", true}}));
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].method, "GET");
    EXPECT_EQ(received[0].target, "/user.php");  // slash join
    EXPECT_EQ(received[0].body, "id=7&identifier=me");
}

TEST_F(OVServerBodyRequests, StringAttachmentBecomesAnIdentifierBody) {
    OVServer::getUrl(base() + "/g.php", "hello");
    OVServer::sendValue("v", String("k"), base() + "/g.php");
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].body, "identifier=hello");
    EXPECT_EQ(received[1].body, "k=v");
}

TEST_F(OVServerBodyRequests, GetBaseUrlSendsAnEmptyBody) {
    OVServer::getBase_url("e.php");
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].target, "/e.php");
    EXPECT_EQ(received[0].body, "");
}

TEST_F(OVServerBodyRequests, ObjectsAreJoinedWithASlashAndKeyedByTheIdentifier) {
    OVServer::sendObject("text", "a.php", String("name"));
    OVServer::sendObject_Base_url(Dictionary{{"k", "v"}}, "a.php");
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].target, "/a.php");
    EXPECT_EQ(received[0].body, "name=text");
    EXPECT_EQ(received[1].target, "/a.php");
    EXPECT_EQ(received[1].body, "k=v");
}

TEST_F(OVServerRequestForms, UnsupportedObjectsSendNothing) {
    OVServer::setLogType(0);
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::sendGetObject(5, base() + "/x").isAbsent());
    EXPECT_TRUE(OVServer::sendObject(5, "x").isAbsent());
    EXPECT_TRUE(capture.entries().empty());
    EXPECT_TRUE(OVServer::sendGetObject(Value(), base() + "/x").isAbsent());
    EXPECT_TRUE(OVServer::getUrl(base() + "/x", Value(3.5)).isAbsent());
    EXPECT_EQ(capture.entries(),
              (std::vector<std::string>{"OVServer \n[OVServer: no object to send\n",
                                        "OVServer \n[OVServer: no object to send\n"}));
    EXPECT_TRUE(m_server.received().empty());
}

TEST_F(OVServerRequestForms, JsonPostHasExactlyOneContentType) {
    OVServer::postUrl(base() + "/p.php", Dictionary{{"a", Array{1, "x/y", Value::null()}}});
    const auto request = only();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.headerValues("Content-Type"),
              std::vector<std::string>{"application/json;charset=UTF-8"});
    EXPECT_EQ(request.headerValues("Accept"), std::vector<std::string>{"application/json"});
    EXPECT_EQ(request.body, R"({"a":[1,"x\/y",null]})");
}

TEST_F(OVServerRequestForms, PostUrlAndPostBaseUrlSendTheSameRequest) {
    OVServer::postUrl("/p.php");
    OVServer::postBase_url("/p.php");
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].path, received[1].path);
    EXPECT_EQ(received[0].method, received[1].method);
    EXPECT_EQ(received[0].headers, received[1].headers);
    EXPECT_EQ(received[0].body, "");
}

TEST_F(OVServerRequestForms, PostingLogsTheJoinedAddressAndObject) {
    OVServer::setLogType(1);
    SystemLogCapture capture;
    OVServer::postBase_url("/p.php", Dictionary{{"a", 1}});
    ASSERT_FALSE(capture.entries().empty());
    EXPECT_EQ(capture.entries().front(), "OVServer \n[OVServer: \n[OVServer]\nposting url: " +
                                             m_server.baseUrl() + "/p.php\n{\n    a = 1;\n}\n");
}

TEST_F(OVServerRequestForms, UnwritableJsonBodyIsNeverSent) {
    OVServer::setLogType(1);
    SystemLogCapture capture;
    EXPECT_TRUE(OVServer::postUrl(base() + "/p.php", Dictionary{{"when", Date()}}).isAbsent());
    EXPECT_TRUE(OVServer::postUrl(base() + "/p.php", Value(NAN)).isAbsent());
    EXPECT_TRUE(m_server.received().empty());
    ASSERT_EQ(capture.entries().size(), 2u);
    EXPECT_TRUE(capture.entries()[0].starts_with("OVServer \n[OVServer: json post not sent: "));
}

TEST_F(OVServerRequestForms, DataPostSendsTheBytesAsTheyAre) {
    const std::string bytes("\x89PNG\r\n\x1a\n\0\xff", 10);
    OVServer::postData(Data::fromString(bytes), "/up.php");
    const auto request = only();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, bytes);
    EXPECT_EQ(request.headerValues("enctype"), std::vector<std::string>{"multipart/form-data"});
    EXPECT_EQ(request.headerValues("content-type"),
              std::vector<std::string>{"application/json;charset=UTF-8"});
}

TEST_F(OVServerRequestForms, EveryFormCarriesTheTokenOnceWhileOneIsSet) {
    OVServer::setTokenKey(String("X-Session"));
    const auto sendEveryForm = [this] {
        OVServer::getUrl(base() + "/q");
        OVServer::sendParam("", base() + "/b");  // httplib ignores GET bodies
        OVServer::postUrl("/j");
        OVServer::postData(Data::fromString("d"), "/d");
    };
    OVServer::setToken(String("tok"));
    sendEveryForm();
    for (const auto& request : m_server.received()) {
        EXPECT_EQ(request.headerValues("x-session"), std::vector<std::string>{"tok"})
            << request.path;
    }
    OVServer::setToken(std::nullopt);
    sendEveryForm();
    const auto received = m_server.received();
    ASSERT_EQ(received.size(), 8u);
    for (size_t i = 4; i < 8; ++i)
        EXPECT_TRUE(received[i].headerValues("X-Session").empty());
}

TEST_F(OVServerRequestForms, TheTokenStaysWithTheServerThatWasAsked) {
    test::LoopbackServer elsewhere([](httplib::Server& http) {
        http.Get(".*", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(R"({"moved":true})", "application/json");
        });
    });
    test::LoopbackServer origin([&](httplib::Server& http) {
        http.Get("/here", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/there");
        });
        http.Get("/there", [&](const httplib::Request&, httplib::Response& response) {
            response.set_redirect(elsewhere.baseUrl() + "/away");
        });
    });
    OVServer::setToken(String("tok"));
    OVServer::setTokenKey(String("X-Auth-Token"));
    EXPECT_EQ(OVServer::getUrl(String(origin.baseUrl() + "/here")),
              Value(Dictionary{{"moved", true}}));

    const auto asked = origin.received();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].headerValues("X-Auth-Token"), std::vector<std::string>{"tok"});
    ASSERT_EQ(elsewhere.received().size(), 1u);
    EXPECT_TRUE(elsewhere.received()[0].headerValues("X-Auth-Token").empty());
    EXPECT_EQ(elsewhere.received()[0].headerValues("content-type"),
              std::vector<std::string>{"application/json;charset=UTF-8"});
}

}  // namespace
}  // namespace ov
