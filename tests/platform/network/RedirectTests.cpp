// The hop-by-hop rules; loads that follow them are in URLConnectionTests.
#include <gtest/gtest.h>

#include "orvane/platform/network/URLConnection.h"
#include "platform/network/Redirect.h"

namespace ov {
namespace {

URL at(const char* address) {
    return *URL::withString(address);
}

TEST(Redirect, OriginsAreSchemeHostAndPort) {
    EXPECT_TRUE(sameOrigin(at("http://Example.com/a"), at("HTTP://example.com:80/b?q")));
    EXPECT_TRUE(sameOrigin(at("https://h/"), at("https://h:443/")));
    EXPECT_FALSE(sameOrigin(at("http://h/"), at("https://h/")));
    EXPECT_FALSE(sameOrigin(at("http://127.0.0.1:8080/"), at("http://127.0.0.1:8081/")));
    EXPECT_FALSE(sameOrigin(at("http://127.0.0.1/"), at("http://localhost/")));
}

TEST(Redirect, NeverLeavesHttpsForHttp) {
    URLRequest request(URL::withString("https://api.example.com/login"));
    request.setCredentialValue("tok", "X-Auth-Token");
    const Result<URLRequest> insecure =
        redirectedRequest(request, 302, "http://api.example.com/login");
    ASSERT_FALSE(insecure.ok());
    EXPECT_EQ(insecure.error().code(), NSURLErrorAppTransportSecurityRequiresSecureConnection);
    EXPECT_EQ(insecure.error().userInfo().objectForKey(NSURLErrorFailingURLStringErrorKey),
              Value("http://api.example.com/login"));

    const Result<URLRequest> secure = redirectedRequest(request, 302, "https://cdn.example.com/x");
    ASSERT_TRUE(secure.ok());
    EXPECT_FALSE(secure.value().valueForHTTPHeaderField("X-Auth-Token").has_value());
    URLRequest plain(URL::withString("http://h/"));
    EXPECT_TRUE(redirectedRequest(plain, 302, "https://h/").ok());
}

}  // namespace
}  // namespace ov
