#pragma once
// A loopback server of test images whose replies the test releases when it chooses:
// "/png/<name>" (a 4x2 PNG, "@2x" names included), "/jpeg/rotated.jpg" (an EXIF-rotated
// JPEG), "/text" (bytes that are no image) answer at once; "/held/<name>" answers a PNG only
// after release(name). Anything else is a 404 page.

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

#include "orvane/platform/network/URL.h"
#include "support/LoopbackServer.h"
#include "support/TestImages.h"

namespace ov::test {

inline constexpr uint32_t kServedColour = 0x3366CCFF;

class ImageServer {
  public:
    ImageServer()
        : m_server([this](httplib::Server& http) {
              http.Get(R"(/png/.*)",
                       [](const httplib::Request&, httplib::Response& reply) { replyPng(reply); });
              http.Get("/jpeg/rotated.jpg", [](const httplib::Request&, httplib::Response& reply) {
                  reply.set_content(std::string(rotatedJpeg().view()), "image/jpeg");
              });
              http.Get("/text", [](const httplib::Request&, httplib::Response& reply) {
                  reply.set_content("not an image", "text/plain");
              });
              http.Get(R"(/held/(.*))",
                       [this](const httplib::Request& request, httplib::Response& reply) {
                           waitFor(request.matches[1]);
                           replyPng(reply);
                       });
          }) {}

    // Held replies go out, so that the server can stop.
    ~ImageServer() {
        std::lock_guard lock(m_mutex);
        m_releasedAll = true;
        m_released.notify_all();
    }

    URL url(const std::string& path) const { return *URL::withString(m_server.baseUrl() + path); }
    void release(const std::string& name) {
        std::lock_guard lock(m_mutex);
        m_releasedNames.insert(name);
        m_released.notify_all();
    }
    size_t requestCount() const { return m_server.received().size(); }

  private:
    static void replyPng(httplib::Response& reply) {
        reply.set_content(std::string(solidPng(4, 2, kServedColour).view()), "image/png");
    }

    void waitFor(const std::string& name) {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [&] { return m_releasedAll || m_releasedNames.contains(name); });
    }

    std::mutex m_mutex;
    std::condition_variable m_released;
    std::set<std::string> m_releasedNames;
    bool m_releasedAll = false;
    LoopbackServer m_server;
};

}  // namespace ov::test
