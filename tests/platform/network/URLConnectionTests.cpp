#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "orvane/platform/network/URLConnection.h"
#include "support/LoopbackServer.h"
#include "support/RawSocketServer.h"

namespace ov {
namespace {

using test::LoopbackServer;
using test::RawSocketServer;

URLRequest requestFor(const std::string& address, double timeout = 10.0) {
    return URLRequest(URL::withString(address), timeout);
}

std::string bodyOf(const URLLoadResult& result) {
    return result.data ? std::string(result.data->view()) : "<none>";
}

void expectFailure(const URLLoadResult& result, long long code, const char* message) {
    EXPECT_FALSE(result.data.has_value());
    EXPECT_FALSE(result.response.has_value());
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->domain(), NSURLErrorDomain);
    EXPECT_EQ(result.error->code(), code);
    EXPECT_EQ(result.error->localizedDescription(), message);
}

void echoRequest(httplib::Server& http) {
    http.set_error_handler([](const httplib::Request& request, httplib::Response& reply) {
        reply.status = 200;
        reply.set_content(request.method + " " + request.target, "text/plain");
    });
}

// A port nothing listens on: bound once, then released.
int closedPort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

TEST(URLConnection, SendsMethodAndTargetBytesAsWritten) {
    LoopbackServer server(echoRequest);
    const std::string target = "/list.php?q=a%20b&x=%2F&y=%c3%a9&ids[]=1";
    URLRequest request = requestFor(server.baseUrl() + target);
    request.setHTTPMethod("DELETE");
    const URLLoadResult result = URLConnection::sendSynchronousRequest(request);

    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(bodyOf(result), "DELETE " + target);
    ASSERT_EQ(server.received().size(), 1u);
    EXPECT_EQ(server.received()[0].path, target);
}

TEST(URLConnection, SendsEveryHeaderFieldOnceAsSet) {
    LoopbackServer server(echoRequest);
    URLRequest request = requestFor(server.baseUrl() + "/h");
    request.setValue("first", "X-Token");
    request.setValue("second", "x-token");
    request.setValue("application/json", "Accept");
    request.setValue("1\r\nX-Injected: 1", "X-Split");
    request.setHTTPMethod("POST");
    request.setHTTPBody(Data::fromString("{}"));
    ASSERT_TRUE(URLConnection::sendSynchronousRequest(request).data.has_value());

    const auto received = server.received().at(0);
    EXPECT_EQ(received.headerValues("X-Token"), std::vector<std::string>{"second"});
    EXPECT_EQ(received.headerValues("Accept"), std::vector<std::string>{"application/json"});
    EXPECT_TRUE(received.headerValues("Expect").empty());
    EXPECT_TRUE(received.headerValues("X-Injected").empty());
}

TEST(URLConnection, PostsBinaryBodyExactly) {
    LoopbackServer server(echoRequest);
    const std::string bytes("\0\x01\xff\r\n\0end", 8);
    URLRequest request = requestFor(server.baseUrl() + "/upload");
    request.setHTTPMethod("POST");
    request.setHTTPBody(Data::fromString(bytes));
    const URLLoadResult result = URLConnection::sendSynchronousRequest(request);

    EXPECT_EQ(bodyOf(result), "POST /upload");
    EXPECT_EQ(server.received().at(0).body, bytes);
}

// Answers every request "ok" (HEAD without the body) and keeps the exact bytes it received.
class RecordingServer {
  public:
    std::vector<std::string> requests() const {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

  private:
    void serve(int socket) {
        while (true) {
            const std::string request = RawSocketServer::readRequest(socket);
            if (request.empty()) return;
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(request);
            }
            const bool head = request.starts_with("HEAD ");
            RawSocketServer::sendAll(socket,
                                     head ? "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n"
                                          : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        }
    }

    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;

  public:
    // Last, so it stops before the record it writes to goes.
    RawSocketServer server{[this](int socket) { serve(socket); }};
};

// The server library ignores a GET's body and drops empty fields, so the exact wire bytes are
// checked on a raw socket.
TEST(URLConnection, SendsABodyWithGetAndEmptyFields) {
    RecordingServer recorder;
    const RawSocketServer& server = recorder.server;
    for (const char* body : {"q=1&r=2", ""}) {
        URLRequest request = requestFor(server.baseUrl() + "/search");
        request.setHTTPBody(Data::fromString(body));
        request.setValue("", "X-Empty");
        EXPECT_EQ(bodyOf(URLConnection::sendSynchronousRequest(request)), "ok");
    }

    const std::vector<std::string> requests = recorder.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].starts_with("GET /search HTTP/1.1\r\n")) << requests[0];
    EXPECT_NE(requests[0].find("\r\nContent-Length: 7\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("\r\nX-Empty:\r\n"), std::string::npos) << requests[0];
    EXPECT_TRUE(requests[0].ends_with("\r\n\r\nq=1&r=2")) << requests[0];
    EXPECT_TRUE(requests[1].starts_with("GET /search HTTP/1.1\r\n")) << requests[1];
    EXPECT_NE(requests[1].find("\r\nContent-Length: 0\r\n"), std::string::npos) << requests[1];
    EXPECT_TRUE(requests[1].ends_with("\r\n\r\n")) << requests[1];
}

// Each thread keeps one curl handle between loads: nothing of a load may leak into the next.
TEST(URLConnection, ALoadCarriesNothingOverFromTheOneBefore) {
    RecordingServer recorder;
    const RawSocketServer& server = recorder.server;
    const auto load = [&](const char* method, const char* body) {
        URLRequest request = requestFor(server.baseUrl() + "/" + method);
        request.setHTTPMethod(method);
        if (body) request.setHTTPBody(Data::fromString(body));
        return URLConnection::sendSynchronousRequest(request);
    };
    EXPECT_EQ(bodyOf(load("GET", nullptr)), "ok");
    EXPECT_EQ(bodyOf(load("POST", "a=1")), "ok");
    EXPECT_EQ(bodyOf(load("GET", nullptr)), "ok");
    EXPECT_EQ(bodyOf(load("HEAD", nullptr)), "");
    EXPECT_EQ(bodyOf(load("GET", nullptr)), "ok");
    EXPECT_EQ(bodyOf(load("PUT", nullptr)), "ok");
    const URLLoadResult last = load("GET", nullptr);
    EXPECT_EQ(bodyOf(last), "ok");
    EXPECT_EQ(last.response->url, URL::withString(server.baseUrl() + "/GET"));

    const std::vector<std::string> requests = recorder.requests();
    ASSERT_EQ(requests.size(), 7u);
    for (size_t i : {0u, 2u, 4u, 6u}) {
        EXPECT_TRUE(requests[i].starts_with("GET /GET HTTP/1.1\r\n")) << requests[i];
        EXPECT_EQ(requests[i].find("Content-Length"), std::string::npos) << requests[i];
        EXPECT_TRUE(requests[i].ends_with("\r\n\r\n")) << requests[i];
    }
    EXPECT_TRUE(requests[1].ends_with("\r\n\r\na=1")) << requests[1];
    EXPECT_TRUE(requests[3].starts_with("HEAD /HEAD ")) << requests[3];
    EXPECT_TRUE(requests[5].starts_with("PUT /PUT ")) << requests[5];
}

// curl answers with its own form of the address when that differs from the one asked for.
TEST(URLConnection, TheReplyNamesTheAddressAsCurlReachedIt) {
    LoopbackServer server(echoRequest);
    const URLLoadResult result =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl()));
    EXPECT_EQ(bodyOf(result), "GET /");
    EXPECT_EQ(result.response->url, URL::withString(server.baseUrl() + "/"));
}

TEST(URLConnection, AnyHTTPStatusIsAReply) {
    LoopbackServer server([](httplib::Server& http) {
        http.Get("/empty",
                 [](const httplib::Request&, httplib::Response& reply) { reply.status = 204; });
        http.Get("/fail", [](const httplib::Request&, httplib::Response& reply) {
            reply.status = 500;
            reply.set_header("X-Reason", "db");
            reply.set_content(R"({"error":"down"})", "application/json");
        });
    });
    const URLLoadResult empty =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/empty"));
    ASSERT_TRUE(empty.data.has_value());
    EXPECT_TRUE(empty.data->isEmpty());
    EXPECT_EQ(empty.response->statusCode, 204);
    EXPECT_FALSE(empty.error.has_value());

    const URLLoadResult failed =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/fail"));
    EXPECT_FALSE(failed.error.has_value());
    EXPECT_EQ(bodyOf(failed), R"({"error":"down"})");
    ASSERT_TRUE(failed.response.has_value());
    EXPECT_EQ(failed.response->statusCode, 500);
    EXPECT_EQ(failed.response->valueForHTTPHeaderField("x-reason"), "db");
    EXPECT_EQ(failed.response->valueForHTTPHeaderField("Content-Type"), "application/json");
    EXPECT_EQ(failed.response->url, URL::withString(server.baseUrl() + "/fail"));
}

TEST(URLConnection, FollowsRedirects) {
    LoopbackServer server([](httplib::Server& http) {
        http.Get("/old", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect("/new");
        });
        http.Get("/new", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content("moved", "text/plain");
        });
    });
    const URLLoadResult result =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/old"));
    EXPECT_EQ(bodyOf(result), "moved");
    EXPECT_EQ(result.response->statusCode, 200);
    EXPECT_EQ(result.response->url, URL::withString(server.baseUrl() + "/new"));
}

TEST(URLConnection, SendsCredentialsOnlyToTheOriginOfTheRequest) {
    LoopbackServer elsewhere(echoRequest);
    LoopbackServer origin([&](httplib::Server& http) {
        http.Get("/first", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect("/second");
        });
        http.Get("/second", [&](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect(elsewhere.baseUrl() + "/third");
        });
    });
    URLRequest request = requestFor(origin.baseUrl() + "/first");
    request.setCredentialValue("tok", "X-Auth-Token");
    request.setValue("Bearer abc", "Authorization");
    request.setValue("sid=1", "Cookie");
    request.setValue("application/json", "Accept");
    const URLLoadResult result = URLConnection::sendSynchronousRequest(request);
    EXPECT_EQ(bodyOf(result), "GET /third");
    EXPECT_EQ(result.response->url, URL::withString(elsewhere.baseUrl() + "/third"));

    const auto asked = origin.received();
    ASSERT_EQ(asked.size(), 2u);
    for (const char* field : {"X-Auth-Token", "Authorization", "Cookie", "Accept"})
        EXPECT_EQ(asked[1].headerValues(field).size(), 1u) << field;
    const auto redirected = elsewhere.received().at(0);
    for (const char* field : {"X-Auth-Token", "Authorization", "Cookie"})
        EXPECT_TRUE(redirected.headerValues(field).empty()) << field;
    EXPECT_EQ(redirected.headerValues("Accept"), std::vector<std::string>{"application/json"});
}

TEST(URLConnection, RedirectsKeepOrDropTheBodyByStatus) {
    LoopbackServer server([](httplib::Server& http) {
        for (const int status : {301, 302, 303, 307, 308}) {
            http.Post("/" + std::to_string(status),
                      [status](const httplib::Request&, httplib::Response& reply) {
                          reply.set_redirect("/landed", status);
                      });
        }
        const auto landed = [](const httplib::Request& request, httplib::Response& reply) {
            reply.set_content(request.method + " " + request.body, "text/plain");
        };
        http.Get("/landed", landed);
        http.Post("/landed", landed);
    });
    for (const auto& [status, expected] : std::vector<std::pair<int, std::string>>{
             {301, "GET "}, {302, "GET "}, {303, "GET "}, {307, "POST a=1"}, {308, "POST a=1"}}) {
        URLRequest request = requestFor(server.baseUrl() + "/" + std::to_string(status));
        request.setHTTPMethod("POST");
        request.setHTTPBody(Data::fromString("a=1"));
        EXPECT_EQ(bodyOf(URLConnection::sendSynchronousRequest(request)), expected) << status;
    }
}

TEST(URLConnection, RefusesEndlessAndUnloadableRedirects) {
    LoopbackServer server([](httplib::Server& http) {
        http.Get("/loop", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect("/loop");
        });
        http.Get("/ftp", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_redirect("ftp://127.0.0.1/file");
        });
    });
    expectFailure(URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/loop")),
                  NSURLErrorHTTPTooManyRedirects, "too many HTTP redirects");
    expectFailure(URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/ftp")),
                  NSURLErrorUnsupportedURL, "unsupported URL");
    EXPECT_EQ(server.received().size(), 18u);
}

TEST(URLConnection, LoadsLargeReplies) {
    std::string large(10 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 % 251);
    LoopbackServer server([&](httplib::Server& http) {
        http.Get("/large", [&](const httplib::Request&, httplib::Response& reply) {
            reply.set_content(large, "application/octet-stream");
        });
    });
    const URLLoadResult result =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/large"));
    ASSERT_TRUE(result.data.has_value());
    EXPECT_EQ(result.data->length(), large.size());
    EXPECT_TRUE(result.data->view() == large);
}

// Sets the reply limit for one test and restores the one before.
class ReplyLimitScope {
  public:
    explicit ReplyLimitScope(uint64_t bytes) : m_previous(URLConnection::maximumReplyLength()) {
        URLConnection::setMaximumReplyLength(bytes);
    }
    ~ReplyLimitScope() { URLConnection::setMaximumReplyLength(m_previous); }
    ReplyLimitScope(const ReplyLimitScope&) = delete;
    ReplyLimitScope& operator=(const ReplyLimitScope&) = delete;

  private:
    uint64_t m_previous;
};

constexpr uint64_t kSmallLimit = 64 * 1024;

void expectTooLarge(const URLLoadResult& result) {
    expectFailure(result, NSURLErrorDataLengthExceedsMaximum, "resource exceeds maximum size");
    EXPECT_EQ(result.error->userInfo().objectForKey(NSDebugDescriptionErrorKey),
              Value("The reply is longer than the limit of 65536 bytes."));
}

std::string gzipped(const std::string& bytes) {
    std::string packed;
    httplib::detail::gzip_compressor().compress(bytes.data(), bytes.size(), true,
                                                [&](const char* data, size_t length) {
                                                    packed.append(data, length);
                                                    return true;
                                                });
    return packed;
}

TEST(URLConnection, LoadsRepliesUpToTheLimit) {
    EXPECT_EQ(URLConnection::maximumReplyLength(), uint64_t{256} * 1024 * 1024);
    const ReplyLimitScope limit(kSmallLimit);
    LoopbackServer server([](httplib::Server& http) {
        http.Get("/fits", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content(std::string(kSmallLimit, 'a'), "application/octet-stream");
        });
        http.Get("/over", [](const httplib::Request&, httplib::Response& reply) {
            reply.set_content(std::string(kSmallLimit + 1, 'a'), "application/octet-stream");
        });
    });
    const URLLoadResult fits =
        URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/fits"));
    ASSERT_TRUE(fits.data.has_value());
    EXPECT_EQ(fits.data->length(), kSmallLimit);
    expectTooLarge(URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/over")));
}

TEST(URLConnection, StopsAnEndlessReplyAtTheLimit) {
    const ReplyLimitScope limit(kSmallLimit);
    RawSocketServer endless([](int socket) {
        RawSocketServer::readRequest(socket);
        RawSocketServer::sendAll(socket, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        const std::string chunk(16 * 1024, 'x');
        while (RawSocketServer::sendAll(socket, chunk)) {
        }
    });
    expectTooLarge(URLConnection::sendSynchronousRequest(requestFor(endless.baseUrl() + "/")));
}

TEST(URLConnection, LimitsTheDecodedLengthOfACompressedReply) {
    const ReplyLimitScope limit(kSmallLimit);
    const std::string bomb = gzipped(std::string(16 * kSmallLimit, '\0'));
    ASSERT_LT(bomb.size(), kSmallLimit);
    RawSocketServer server([&](int socket) {
        RawSocketServer::readRequest(socket);
        RawSocketServer::sendAll(socket,
                                 "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n"
                                 "Content-Length: " +
                                     std::to_string(bomb.size()) + "\r\n\r\n" + bomb);
    });
    expectTooLarge(URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + "/")));
}

TEST(URLConnection, ReusesTheConnectionForSequentialRequests) {
    LoopbackServer server(echoRequest);
    for (int i = 0; i < 20; ++i) {
        const std::string path = "/n" + std::to_string(i);
        EXPECT_EQ(
            bodyOf(URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + path))),
            "GET " + path);
    }
    EXPECT_EQ(server.received().size(), 20u);
    EXPECT_EQ(server.connectionCount(), 1u);
}

TEST(URLConnection, RejectsAddressesItCannotLoadWithoutConnecting) {
    expectFailure(URLConnection::sendSynchronousRequest(URLRequest()), NSURLErrorUnsupportedURL,
                  "unsupported URL");
    for (const char* address : {"list.php?q=1", "ftp://127.0.0.1/file", "mailto:a@b.c"}) {
        const URLLoadResult result = URLConnection::sendSynchronousRequest(requestFor(address));
        expectFailure(result, NSURLErrorUnsupportedURL, "unsupported URL");
        EXPECT_EQ(result.error->userInfo().objectForKey(NSURLErrorFailingURLStringErrorKey),
                  Value(address));
    }
    expectFailure(URLConnection::sendSynchronousRequest(requestFor("http:/no-host")),
                  NSURLErrorBadURL, "bad URL");
}

TEST(URLConnection, ReportsTransportFailuresWithPlatformCodes) {
    const std::string refused = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
    const URLLoadResult result = URLConnection::sendSynchronousRequest(requestFor(refused));
    expectFailure(result, NSURLErrorCannotConnectToHost, "Could not connect to the server.");
    EXPECT_EQ(result.error->userInfo().objectForKey(NSURLErrorFailingURLStringErrorKey),
              Value(refused));
    EXPECT_TRUE(result.error->userInfo().objectForKey(NSDebugDescriptionErrorKey).isString());

    expectFailure(URLConnection::sendSynchronousRequest(requestFor("http://nowhere.invalid/")),
                  NSURLErrorCannotFindHost,
                  "A server with the specified hostname could not be found.");

    RawSocketServer cutting(RawSocketServer::cutOffMidBody);
    expectFailure(URLConnection::sendSynchronousRequest(requestFor(cutting.baseUrl() + "/")),
                  NSURLErrorNetworkConnectionLost, "The network connection was lost.");
}

TEST(URLConnection, TimesOutOnASilentServer) {
    RawSocketServer silent(RawSocketServer::neverAnswer);
    const auto start = std::chrono::steady_clock::now();
    const URLLoadResult result =
        URLConnection::sendSynchronousRequest(requestFor(silent.baseUrl() + "/slow", 0.2));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    expectFailure(result, NSURLErrorTimedOut, "The request timed out.");
    EXPECT_GE(elapsed, std::chrono::milliseconds(150));
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

TEST(URLConnectionThreaded, ManyThreadsLoadAtOnce) {
    constexpr int kThreads = 8;
    constexpr int kRequestsPerThread = 20;
    LoopbackServer server(echoRequest);
    std::atomic<int> correct{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRequestsPerThread; ++i) {
                const std::string path = "/t" + std::to_string(t) + "?i=" + std::to_string(i);
                const URLLoadResult result =
                    URLConnection::sendSynchronousRequest(requestFor(server.baseUrl() + path));
                if (bodyOf(result) == "GET " + path) ++correct;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(correct.load(), kThreads * kRequestsPerThread);
    EXPECT_EQ(server.received().size(), size_t{kThreads * kRequestsPerThread});
    EXPECT_EQ(server.connectionCount(), size_t{kThreads});
}

}  // namespace
}  // namespace ov
