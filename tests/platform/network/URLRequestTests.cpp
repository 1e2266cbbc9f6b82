#include <gtest/gtest.h>

#include "orvane/platform/network/URLRequest.h"

namespace ov {
namespace {

using Fields = URLRequest::HeaderFields;

TEST(URLRequest, SettingAFieldReplacesItUnderAnySpelling) {
    URLRequest request;
    request.setValue("text/plain", "Content-Type");
    request.setValue("1", "X-Token");
    request.setValue("application/json", "content-TYPE");
    EXPECT_EQ(request.allHTTPHeaderFields(),
              (Fields{{"Content-Type", "application/json"}, {"X-Token", "1"}}));
    EXPECT_EQ(request.valueForHTTPHeaderField("CONTENT-type"), "application/json");
    EXPECT_FALSE(request.valueForHTTPHeaderField("Content").has_value());
}

TEST(URLRequest, AddingAValueAppendsToTheField) {
    URLRequest request;
    request.addValue("gzip", "Accept-Encoding");
    request.addValue("br", "accept-encoding");
    request.setValue("", "X-Empty");
    EXPECT_EQ(request.allHTTPHeaderFields(),
              (Fields{{"Accept-Encoding", "gzip, br"}, {"X-Empty", ""}}));
}

TEST(URLRequest, CredentialsAreFieldsThatKnowTheirKind) {
    URLRequest request;
    request.setCredentialValue("tok", "X-Auth-Token");
    request.setValue("tok2", "x-auth-token");
    request.setValue("1", "X-Plain");
    EXPECT_EQ(request.allHTTPHeaderFields(), (Fields{{"X-Auth-Token", "tok2"}, {"X-Plain", "1"}}));
    EXPECT_TRUE(request.isCredentialField("X-AUTH-TOKEN"));
    EXPECT_FALSE(request.isCredentialField("X-Plain"));
    for (const char* field : {"Authorization", "cookie", "Proxy-Authorization"})
        EXPECT_TRUE(request.isCredentialField(field)) << field;
}

TEST(URLRequest, KeepsAnEmptyBodyApartFromNone) {
    URLRequest request;
    request.setHTTPBody(Data());
    ASSERT_TRUE(request.httpBody().has_value());
    EXPECT_TRUE(request.httpBody()->isEmpty());
    request.setHTTPBody(std::nullopt);
    EXPECT_FALSE(request.httpBody().has_value());
}

}  // namespace
}  // namespace ov
