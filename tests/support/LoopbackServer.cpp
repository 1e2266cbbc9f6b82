#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>

namespace ov::test {
namespace {

// Enough workers for many concurrent kept-alive client connections.
constexpr size_t kWorkerThreads = 32;
constexpr size_t kKeepAliveRequests = 100000;

bool equalIgnoringCase(std::string_view left, std::string_view right) {
    return std::ranges::equal(left, right, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The server adds the connection's addresses as pseudo header fields; they were never sent.
bool isPseudoField(std::string_view name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

bool isLoopbackPort(const sockaddr_in& address, int port) {
    return address.sin_family == AF_INET && address.sin_addr.s_addr == htonl(INADDR_LOOPBACK) &&
           ntohs(address.sin_port) == port;
}

// The server keeps each idle kept-alive connection open until its keep-alive time-out, and
// stopping waits for that. Shutting our side of those connections down ends the wait at once.
// They are the connected sockets of this process whose local end is the server's port.
void shutDownAcceptedConnections(int port) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_in local{};
        sockaddr_in peer{};
        socklen_t length = sizeof local;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
            !isLoopbackPort(local, port)) {
            continue;
        }
        length = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0) {
            ::shutdown(fd, SHUT_RDWR);
        }
    }
}

}  // namespace

std::vector<std::string> ReceivedRequest::headerValues(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [field, value] : headers) {
        if (equalIgnoringCase(field, name)) values.push_back(value);
    }
    return values;
}

LoopbackServer::LoopbackServer(const Configure& configure) {
    m_server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    m_server.set_keep_alive_max_count(kKeepAliveRequests);
    // Without it a reply written in two parts waits on the client's delayed acknowledgement.
    m_server.set_tcp_nodelay(true);
    if (configure) configure(m_server);
    // Runs after the body is read and before the reply is written, so a client that has its
    // reply always finds its request recorded.
    m_server.set_post_routing_handler(
        [this](const httplib::Request& request, httplib::Response&) { record(request); });
    int listener = -1;
    m_server.set_socket_options([&listener](socket_t socket) {
        httplib::default_socket_options(socket);
        listener = socket;
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0) throw std::runtime_error("LoopbackServer: cannot bind to 127.0.0.1");
    // The server's own backlog of 5 drops connection attempts when many clients connect at
    // once, and each dropped one costs the client a second before it retries.
    ::listen(listener, SOMAXCONN);
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::yield();
}

LoopbackServer::~LoopbackServer() {
    m_server.stop();
    shutDownAcceptedConnections(m_port);
    m_thread.join();
}

std::string LoopbackServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<ReceivedRequest> LoopbackServer::received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

size_t LoopbackServer::connectionCount() const {
    std::lock_guard lock(m_mutex);
    std::set<int> ports;
    for (const ReceivedRequest& request : m_received)
        ports.insert(request.remotePort);
    return ports.size();
}

void LoopbackServer::record(const httplib::Request& request) {
    ReceivedRequest entry{request.method, request.target, request.body, {}, request.remote_port};
    for (const auto& [name, value] : request.headers) {
        if (!isPseudoField(name)) entry.headers.emplace_back(name, value);
    }
    std::lock_guard lock(m_mutex);
    m_received.push_back(std::move(entry));
}

}  // namespace ov::test
