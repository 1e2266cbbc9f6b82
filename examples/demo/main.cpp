// The demo host application: it keeps its settings in a store file and records the device,
// starts a small JSON web service on loopback, points the toolkit's web-service client at it
// with a session token, and prints each decoded, null-cleaned reply. Exchanges run on a background
// queue, as a host must run them, while the main thread runs the main run loop (which shows and
// hides the network indicator). Then it shows the day at a simulated position (twilight, the
// greeting, relative-time phrases), keeps a small address book and writes the gallery of drawn
// components. On a desktop (DISPLAY or WAYLAND_DISPLAY set) it then opens the gallery live in a
// window and ends when the window is closed.
//
//   orvane-demo [--log-type N]    N: the client's log filter (default 9: quiet)
//   ORVANE_LOCATION=lat,lon       another position (or the path of a GPX track)

#include <httplib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "AddressBook.h"
#include "Gallery.h"
#include "LiveGallery.h"
#include "TimeAndPlace.h"
#include "orvane/core/OVDevice.h"
#include "orvane/core/OVPlist.h"
#include "orvane/core/OVServer.h"
#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/window/DesktopWindow.h"

namespace {

constexpr const char* kToken = "demo-session-7f3a";
constexpr const char* kTokenKey = "X-Session-Token";

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void reply(httplib::Response& response, const std::string& json) {
    response.set_content(json, "application/json");
}

// The host's web service: answers carry nulls, as real services' answers do.
void addRoutes(httplib::Server& server) {
    server.Get("/search.php", [](const httplib::Request& request, httplib::Response& response) {
        reply(response, "{\"query\":" + jsonString(request.get_param_value("q")) +
                            ",\"results\":[{\"name\":\"Green tea\",\"price\":3.5,\"note\":null},"
                            "{\"name\":\"Black tea\",\"price\":2.9,\"note\":\"strong\"}],"
                            "\"next\":null}");
    });
    // cpp-httplib does not read the body of a GET, so this answer cannot echo the parameters.
    server.Get("/user.php", [](const httplib::Request& request, httplib::Response& response) {
        reply(response, "{\"id\":7,\"name\":\"Ada\",\"token\":" +
                            jsonString(request.get_header_value(kTokenKey)) +
                            ",\"nickname\":null,\"friends\":[null,\"ada\"]}");
    });
    server.Post("/orders.php", [](const httplib::Request& request, httplib::Response& response) {
        reply(response, "{\"status\":\"accepted\",\"order\":" + request.body + ",\"coupon\":null}");
    });
    server.Post("/upload.php", [](const httplib::Request& request, httplib::Response& response) {
        reply(response, "[{\"bytes\":" + std::to_string(request.body.size()) + ",\"enctype\":" +
                            jsonString(request.get_header_value("enctype")) + "},null]");
    });
}

void show(const char* title, const ov::Value& value) {
    std::printf("== %s\n%s\n\n", title, value.description().toUtf8().c_str());
}

void talkToTheService() {
    using ov::OVServer;
    show("query request: sendGetDic_Base_url(search.php?, {q = green tea})",
         OVServer::sendGetDic_Base_url(ov::Dictionary{{"q", "green tea"}}, "/search.php?"));
    show("body request: send_Base_url(user.php, {id = 7}, identifier demo)",
         OVServer::send_Base_url(ov::Dictionary{{"id", 7}}, "user.php", ov::String("demo")));
    show("JSON post: postBase_url(/orders.php, order)",
         OVServer::postBase_url("/orders.php", ov::Dictionary{{"item", "Green tea"},
                                                              {"quantity", 2},
                                                              {"gift", false},
                                                              {"message", ov::Value::null()}}));
    show("data post: postData(8 bytes, /upload.php)",
         OVServer::postData(ov::Data::fromString("\x89PNG\r\n\x1a\n"), "/upload.php"));
}

// The host's own state: settings in a store file of the documents directory, the device
// record, and the information block about the application and the device.
void keepSettingsAndDevice(const std::string& base) {
    constexpr const char* kSettings = "demo-settings.plist";
    const auto before = ov::OVPlist::read(kSettings);
    const ov::Number* launches = before ? before->objectForKey("launches").ifNumber() : nullptr;
    ov::OVPlist::appendObject((launches ? launches->longLongValue() : 0) + 1, "launches",
                              kSettings);
    ov::OVPlist::appendObject(ov::String(base), "service", kSettings);
    const auto settings = ov::OVPlist::read(kSettings);
    show(("settings: " + ov::OVPlist::filesPath(kSettings).toUtf8()).c_str(),
         settings ? ov::Value(*settings) : ov::Value());

    const auto device = ov::OVDevice::setDictionary("demo-push-token");
    show(("device record: " + ov::OVDevice::path().toUtf8()).c_str(),
         device ? ov::Value(*device) : ov::Value());
    std::printf("%s\n", ov::UIApplication_OVApplication::appInformation().toUtf8().c_str());
}

void writeTheGallery() {
    const std::string folder =
        ov::FileManager::defaultManager().documentsDirectory().toUtf8() + "/orvane-demo-gallery";
    std::printf("== gallery of drawn components\n");
    for (const std::string& path : orvane::gallery::writeGallery(folder)) {
        std::printf("%s\n", path.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long logType = 9;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--log-type") == 0)
            logType = std::strtoul(argv[i + 1], nullptr, 10);
    }

    httplib::Server server;
    addRoutes(server);
    const int port = server.bind_to_any_port("127.0.0.1");
    if (port <= 0) {
        std::fprintf(stderr, "orvane-demo: could not listen on loopback\n");
        return 1;
    }
    std::thread serving([&server] { server.listen_after_bind(); });

    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    std::printf("Web service on %s\n\n", base.c_str());
    ov::OVServer::setServerBasePath(ov::String(base));
    ov::OVServer::setToken(ov::String(kToken));
    ov::OVServer::setTokenKey(ov::String(kTokenKey));
    ov::OVServer::setLogType(logType);

    keepSettingsAndDevice(base);

    std::atomic<bool> done{false};
    ov::DispatchQueue::global().async([&done] {
        talkToTheService();
        done = true;
    });
    ov::RunLoop::main().runUntil([&done] { return done.load(); }, 30.0);

    server.stop();
    serving.join();

    demo::placeTheDevice();
    demo::showTimeAndPlace();
    demo::keepAnAddressBook();
    writeTheGallery();
    // With a desktop to show it on, the gallery stays open, live, until its window is closed.
    if (ov::ui::DesktopWindow::isDisplayNamed()) {
        std::printf("== the gallery in a window (close it to end)\n");
        orvane::gallery::showLiveGallery();
    }
    return done ? 0 : 1;
}
