// A small JSON GET on loopback: the toolkit's whole exchange (request, transfer, JSON decoding,
// null cleaning) against a plain libcurl easy handle reusing its connection. Both ask for an
// uncompressed reply, so the server's compression cost does not hide the clients' own.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "LoopbackService.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/threads/RunLoop.h"

namespace {

constexpr const char* kReply =
    R"({"id":7,"name":"Green tea","price":3.5,"tags":["hot","leaf"],"note":null})";

class Service {
  public:
    std::string url() const { return m_service.base() + "/item.php"; }

  private:
    ov::bench::LoopbackService m_service{[](httplib::Server& server) {
        server.Get("/item.php", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kReply, "application/json");
        });
    }};
};

Service& service() {
    static Service instance;
    return instance;
}

size_t collect(char* bytes, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(bytes, size * count);
    return size * count;
}

void exchange_orvane(benchmark::State& state) {
    ov::OVServer::setLogType(9);
    ov::URLRequest request(ov::URL::withString(ov::String(service().url())));
    request.setValue("identity", "Accept-Encoding");
    for (auto _ : state) {
        ov::URLRequest copy = request;
        benchmark::DoNotOptimize(ov::OVServer::sendRequest(copy));
        ov::RunLoop::main().runPending();  // the indicator updates the exchange queued
    }
    state.SetItemsProcessed(state.iterations());
}

void exchange_peer(benchmark::State& state) {
    CURL* curl = curl_easy_init();
    const std::string url = service().url();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_slist* headers = curl_slist_append(nullptr, "Accept-Encoding: identity");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    for (auto _ : state) {
        body.clear();
        curl_easy_perform(curl);
        benchmark::DoNotOptimize(body.data());
    }
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(exchange_orvane)->Name("sendRequest_small_json_get/orvane")->MinTime(2.0)->UseRealTime();
BENCHMARK(exchange_peer)->Name("sendRequest_small_json_get/libcurl")->MinTime(2.0)->UseRealTime();
