#pragma once
// A real HTTP server on 127.0.0.1 for tests that load URLs. It listens on a free port from
// construction (handlers run on a pool of background threads) until destruction, and records
// every request it receives.
//
//   ov::test::LoopbackServer server([](httplib::Server& http) {
//       http.Get("/items", [](const httplib::Request&, httplib::Response& reply) {
//           reply.set_content(R"([1,2])", "application/json");
//       });
//   });
//   auto url = ov::URL::withString(server.baseUrl() + "/items?page=2");
//   ...load it...
//   server.received().at(0).path;  // "/items?page=2", exactly as sent
//
// Routes without a handler answer 404. Connections are kept alive, so client-side connection
// reuse shows in connectionCount(). The recorder uses the server's post-routing hook: do not
// set another one in the configure callback.

#include <httplib.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace ov::test {

struct ReceivedRequest {
    std::string method;
    // The raw request target, query included, not decoded.
    std::string path;
    std::string body;
    // Grouped by name (the server does not keep wire order); names as sent.
    std::vector<std::pair<std::string, std::string>> headers;
    // Tells connections apart: requests over one connection share it.
    int remotePort = 0;

    // All values of the field `name`, compared without regard to ASCII case.
    std::vector<std::string> headerValues(std::string_view name) const;
};

class LoopbackServer {
  public:
    using Configure = std::function<void(httplib::Server&)>;

    // `configure` adds handlers and settings before the server starts listening.
    explicit LoopbackServer(const Configure& configure = {});
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:PORT", no trailing slash.
    std::string baseUrl() const;

    // Thread-safe snapshots, in the order the requests were answered.
    std::vector<ReceivedRequest> received() const;
    size_t connectionCount() const;

  private:
    void record(const httplib::Request& request);

    httplib::Server m_server;
    int m_port = -1;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<ReceivedRequest> m_received;
};

}  // namespace ov::test
