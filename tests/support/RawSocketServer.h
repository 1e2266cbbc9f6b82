#pragma once
// A TCP server on 127.0.0.1 that hands each accepted connection to a function, for replies an
// HTTP server library will not produce: silence, a reply cut off mid-body, or exact bytes.
// Each connection runs on its own thread; the destructor unblocks and joins them all.
//
//   ov::test::RawSocketServer silent(ov::test::RawSocketServer::neverAnswer);
//   auto url = ov::URL::withString(silent.baseUrl() + "/slow");  // loads time out
//
// A handler returning closes the connection (the client sees the end of the stream).

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ov::test {

class RawSocketServer {
  public:
    // Gets the connected socket; must not close it.
    using Handler = std::function<void(int socket)>;

    explicit RawSocketServer(Handler handler);
    ~RawSocketServer();
    RawSocketServer(const RawSocketServer&) = delete;
    RawSocketServer& operator=(const RawSocketServer&) = delete;

    int port() const { return m_port; }
    std::string baseUrl() const;
    size_t acceptedConnections() const { return m_accepted.load(); }

    // Reads one request: its head and as many body bytes as its Content-Length says. Whatever
    // arrived before the peer closed, if it closes early.
    static std::string readRequest(int socket);
    static bool sendAll(int socket, std::string_view bytes);

    // Ready-made handlers.
    // Reads the request, then waits without answering until the client or the server stops.
    static void neverAnswer(int socket);
    // Announces a 100-byte body and sends 10 bytes of it.
    static void cutOffMidBody(int socket);

  private:
    void acceptLoop();

    Handler m_handler;
    int m_listener = -1;
    int m_port = -1;
    std::atomic<size_t> m_accepted{0};
    std::thread m_acceptThread;
    std::mutex m_mutex;
    std::vector<int> m_connections;
    std::vector<std::thread> m_connectionThreads;
};

}  // namespace ov::test
