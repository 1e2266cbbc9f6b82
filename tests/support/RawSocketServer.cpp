#include "support/RawSocketServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <stdexcept>

namespace ov::test {
namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";

size_t contentLength(std::string_view head) {
    std::string lower(head);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const size_t field = lower.find("\r\ncontent-length:");
    if (field == std::string::npos) return 0;
    return std::stoul(lower.substr(field + 17));
}

int listenOnLoopback(int& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener, 64) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("RawSocketServer: cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return listener;
}

}  // namespace

RawSocketServer::RawSocketServer(Handler handler) : m_handler(std::move(handler)) {
    m_listener = listenOnLoopback(m_port);
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

RawSocketServer::~RawSocketServer() {
    // Shutting a socket down wakes a thread blocked in accept or recv on it.
    ::shutdown(m_listener, SHUT_RDWR);
    m_acceptThread.join();
    {
        std::lock_guard lock(m_mutex);
        for (int connection : m_connections)
            ::shutdown(connection, SHUT_RDWR);
    }
    for (std::thread& thread : m_connectionThreads)
        thread.join();
    for (int connection : m_connections)
        ::close(connection);
    ::close(m_listener);
}

std::string RawSocketServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void RawSocketServer::acceptLoop() {
    while (true) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) return;
        ++m_accepted;
        std::lock_guard lock(m_mutex);
        m_connections.push_back(connection);
        // Closing is left to the destructor, so a descriptor is never reused while another
        // thread may still shut it down.
        m_connectionThreads.emplace_back([this, connection] {
            m_handler(connection);
            ::shutdown(connection, SHUT_RDWR);
        });
    }
}

std::string RawSocketServer::readRequest(int socket) {
    std::string request;
    char buffer[4096];
    size_t expected = std::string::npos;
    while (request.size() < expected) {
        const ssize_t count = ::recv(socket, buffer, sizeof buffer, 0);
        if (count <= 0) break;
        request.append(buffer, static_cast<size_t>(count));
        const size_t headEnd = request.find(kHeadEnd);
        if (expected == std::string::npos && headEnd != std::string::npos) {
            expected = headEnd + kHeadEnd.size() + contentLength(request.substr(0, headEnd));
        }
    }
    return request;
}

bool RawSocketServer::sendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(count));
    }
    return true;
}

void RawSocketServer::neverAnswer(int socket) {
    readRequest(socket);
    char byte;
    while (::recv(socket, &byte, 1, 0) > 0) {
    }
}

void RawSocketServer::cutOffMidBody(int socket) {
    readRequest(socket);
    sendAll(socket, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
}

}  // namespace ov::test
