#pragma once
// The web-service client sends body requests as GET with a body, which cpp-httplib does not
// read. This server reads each request whole (head and Content-Length body), records its
// method, target and body, and answers {"ok":true}.

#include <mutex>
#include <string>
#include <vector>

#include "support/RawSocketServer.h"

namespace ov::test {

class BodyRecordingServer {
  public:
    struct Request {
        std::string method;
        std::string target;
        std::string body;
    };

    BodyRecordingServer() : m_server([this](int socket) { answer(socket); }) {}

    std::string baseUrl() const { return m_server.baseUrl(); }
    std::vector<Request> received() const {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

  private:
    void answer(int socket) {
        const std::string raw = RawSocketServer::readRequest(socket);
        const size_t headEnd = raw.find("\r\n\r\n");
        const size_t methodEnd = raw.find(' ');
        const size_t targetEnd = raw.find(' ', methodEnd + 1);
        if (headEnd == std::string::npos || targetEnd == std::string::npos) return;
        {
            std::lock_guard lock(m_mutex);
            m_received.push_back({raw.substr(0, methodEnd),
                                  raw.substr(methodEnd + 1, targetEnd - methodEnd - 1),
                                  raw.substr(headEnd + 4)});
        }
        RawSocketServer::sendAll(socket,
                                 "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                                 "Content-Length: 11\r\nConnection: close\r\n\r\n{\"ok\":true}");
    }

    mutable std::mutex m_mutex;
    std::vector<Request> m_received;
    RawSocketServer m_server;  // last: stopped first, before what its threads use
};

}  // namespace ov::test
