#pragma once
// A cpp-httplib server on a loopback port for the benchmarks, listening on its own thread from
// construction to destruction.

#include <httplib.h>
#include <netinet/tcp.h>

#include <functional>
#include <string>
#include <thread>

namespace ov::bench {

class LoopbackService {
  public:
    // `routes` installs the handlers before the server listens.
    explicit LoopbackService(const std::function<void(httplib::Server&)>& routes) {
        routes(m_server);
        // Accepted sockets inherit TCP_NODELAY: without it a reply's head and body wait for the
        // client's delayed acknowledgement (40 ms per exchange).
        m_server.set_socket_options([](socket_t socket) {
            httplib::default_socket_options(socket);
            const int on = 1;
            setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~LoopbackService() {
        m_server.stop();
        m_thread.join();
    }
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

  private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

}  // namespace ov::bench
