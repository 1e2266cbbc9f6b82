#pragma once
// A loopback stand-in for the Maps and translation services: every GET or POST gets the canned
// body of the moment, and each request target is recorded as sent.
//
//   ov::test::MapsServicesFake maps;
//   maps.answer(R"({"status":"ZERO_RESULTS","results":[]})");
//   ... point the client at maps.baseUrl() ...
//   maps.targets();  // {"/maps/api/geocode/json?latlng=...&sensor=false"}

#include <mutex>
#include <string>
#include <vector>

#include "support/LoopbackServer.h"

namespace ov::test {

class MapsServicesFake {
  public:
    void answer(std::string body) {
        std::lock_guard lock(m_mutex);
        m_body = std::move(body);
    }

    std::string baseUrl() const { return m_server.baseUrl(); }

    std::vector<std::string> targets() const {
        std::vector<std::string> targets;
        for (const ReceivedRequest& request : m_server.received())
            targets.push_back(request.path);
        return targets;
    }

    std::vector<std::string> methods() const {
        std::vector<std::string> methods;
        for (const ReceivedRequest& request : m_server.received()) {
            methods.push_back(request.method);
        }
        return methods;
    }

  private:
    void reply(httplib::Response& response) const {
        std::lock_guard lock(m_mutex);
        response.set_content(m_body, "application/json");
    }

    mutable std::mutex m_mutex;
    std::string m_body = "{}";
    LoopbackServer m_server{[this](httplib::Server& http) {
        http.Get(".*",
                 [this](const httplib::Request&, httplib::Response& response) { reply(response); });
        http.Post(".*", [this](const httplib::Request&, httplib::Response& response) {
            reply(response);
        });
    }};
};

// An address where nothing listens: a server's port, taken and given back.
inline std::string refusingBaseUrl() {
    const LoopbackServer closed;
    return closed.baseUrl();
}

}  // namespace ov::test
