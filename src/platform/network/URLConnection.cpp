#include "orvane/platform/network/URLConnection.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/network/CancellableLoad.h"
#include "platform/network/HeaderFieldName.h"
#include "platform/network/LoadError.h"
#include "platform/network/Redirect.h"

namespace ov {
namespace {

constexpr long kMaxRedirects = 16;
std::atomic<uint64_t> g_maximumReplyLength{kDefaultMaximumReplyLength};
// A server's Content-Length is only a hint; never trust it for more than this up front.
constexpr uint64_t kMaxReserve = uint64_t{256} * 1024 * 1024;

// Why the transfer itself stopped a reply that curl would have taken.
enum class Refusal { None, TooLong, OutOfMemory };

struct Transfer {
    CURL* curl = nullptr;
    uint64_t maximumLength = kDefaultMaximumReplyLength;
    std::vector<uint8_t> body;
    std::vector<std::pair<String, String>> headerFields;
    Refusal refusal = Refusal::None;
    const std::atomic<bool>* cancelled = nullptr;
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

// curl calls back through C frames, which no exception may cross: a failure to store stops the
// transfer instead.
template <class Receive>
size_t receiveGuarded(Transfer& transfer, size_t length, Receive receive) noexcept {
    try {
        receive();
        return length;
    } catch (...) {
        transfer.refusal = Refusal::OutOfMemory;
        return CURL_WRITEFUNC_ERROR;
    }
}

// Bodies arrive decoded, so the limit holds for what a compressed reply inflates to.
size_t receiveBody(char* bytes, size_t size, size_t count, void* context) noexcept {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t length = size * count;
    if (length >
        transfer.maximumLength - std::min<uint64_t>(transfer.body.size(), transfer.maximumLength)) {
        transfer.refusal = Refusal::TooLong;
        return CURL_WRITEFUNC_ERROR;
    }
    return receiveGuarded(transfer, length, [&] {
        transfer.body.insert(transfer.body.end(), bytes, bytes + length);
    });
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Called for every header line, so plain loops rather than find_first_not_of's set search.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void reserveForBody(Transfer& transfer) {
    curl_off_t length = -1;
    curl_easy_getinfo(transfer.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length <= 0) return;
    const uint64_t reserve =
        std::min({static_cast<uint64_t>(length), kMaxReserve, transfer.maximumLength});
    transfer.body.reserve(static_cast<size_t>(reserve));
}

// Called once per header line, status lines included; a new status line starts a new response
// (after a redirect or an interim 100), whose fields replace the earlier ones.
void receiveHeaderLine(Transfer& transfer, std::string_view line) {
    const size_t colon = line.find(':');
    if (line.starts_with("HTTP/")) {
        transfer.headerFields.clear();
    } else if (line.empty()) {
        reserveForBody(transfer);
    } else if (colon != std::string_view::npos) {
        transfer.headerFields.emplace_back(String(trimmed(line.substr(0, colon))),
                                           String(trimmed(line.substr(colon + 1))));
    }
}

size_t receiveHeader(char* bytes, size_t size, size_t count, void* context) noexcept {
    auto& transfer = *static_cast<Transfer*>(context);
    const size_t length = size * count;
    return receiveGuarded(transfer, length, [&] {
        receiveHeaderLine(transfer, trimmed({bytes, length}));
    });
}

struct FailureKind {
    long long code;
    const char* message;
};

FailureKind failureKind(CURLcode code) {
    switch (code) {
        case CURLE_OPERATION_TIMEDOUT:
            return {NSURLErrorTimedOut, "The request timed out."};
        case CURLE_COULDNT_CONNECT:
            return {NSURLErrorCannotConnectToHost, "Could not connect to the server."};
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return {NSURLErrorCannotFindHost,
                    "A server with the specified hostname could not be found."};
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_GOT_NOTHING:
            return {NSURLErrorNetworkConnectionLost, "The network connection was lost."};
        case CURLE_UNSUPPORTED_PROTOCOL:
            return {NSURLErrorUnsupportedURL, "unsupported URL"};
        case CURLE_ABORTED_BY_CALLBACK:
            return {NSURLErrorCancelled, "cancelled"};
        case CURLE_URL_MALFORMAT:
            return {NSURLErrorBadURL, "bad URL"};
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
        case CURLE_BAD_CONTENT_ENCODING:
        case CURLE_HTTP_RETURNED_ERROR:
            return {NSURLErrorBadServerResponse, "There was a bad response from the server."};
        default:
            return {NSURLErrorUnknown, "An unknown error occurred."};
    }
}

URLLoadResult failed(Error error) {
    return {std::nullopt, std::nullopt, std::move(error)};
}

URLLoadResult transportFailure(CURLcode code, const Transfer& transfer, const URL& url) {
    if (transfer.refusal == Refusal::TooLong) {
        return failed(loadError(NSURLErrorDataLengthExceedsMaximum, "resource exceeds maximum size",
                                url,
                                "The reply is longer than the limit of " +
                                    std::to_string(transfer.maximumLength) + " bytes."));
    }
    if (transfer.refusal == Refusal::OutOfMemory) {
        return failed(loadError(NSURLErrorUnknown, "An unknown error occurred.", url,
                                "The reply could not be held in memory."));
    }
    const FailureKind kind = failureKind(code);
    const char* detail =
        transfer.errorBuffer[0] != '\0' ? transfer.errorBuffer : curl_easy_strerror(code);
    return failed(loadError(kind.code, kind.message, url, detail));
}

using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool isPlainGet(const URLRequest& request) {
    const std::u16string_view method = request.httpMethod().utf16();
    return (method.empty() || method == u"GET") && !request.httpBody();
}

// Every field as set. An empty value needs curl's "Name;" form, as "Name:" would remove it. A
// field with a line break is left out: sent as is it would smuggle in other fields.
HeaderList headerList(const URLRequest& request) {
    curl_slist* list = nullptr;
    for (const auto& [name, value] : request.allHTTPHeaderFields()) {
        std::string line = name.toUtf8();
        const std::string text = value.toUtf8();
        if (hasLineBreak(line) || hasLineBreak(text)) continue;
        line += text.empty() ? ";" : ": " + text;
        list = curl_slist_append(list, line.c_str());
    }
    // The platform never waits for "100 Continue" before sending a body; a plain GET has none.
    if (!isPlainGet(request) && !request.valueForHTTPHeaderField("Expect")) {
        list = curl_slist_append(list, "Expect:");
    }
    return HeaderList(list, &curl_slist_free_all);
}

bool methodCarriesBody(const std::string& method) {
    return method == "POST" || method == "PUT" || method == "PATCH";
}

// A body goes out with the request's own method, GET included; POST-like methods without a
// body still send an empty one so that a Content-Length of 0 is given.
void setMethodAndBody(CURL* curl, const URLRequest& request) {
    static constexpr char kEmptyBody[] = "";
    const std::string method =
        request.httpMethod().isEmpty() ? "GET" : request.httpMethod().toUtf8();
    const std::optional<Data>& body = request.httpBody();
    if (method == "HEAD") {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        return;
    }
    if (body || methodCarriesBody(method)) {
        const bool hasBytes = body && !body->isEmpty();
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(hasBytes ? body->length() : 0));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS,
                         hasBytes ? static_cast<const void*>(body->bytes()) : kEmptyBody);
        if (method != "POST") curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    } else if (method != "GET") {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    }
}

long timeoutMilliseconds(double seconds) {
    if (!(seconds > 0)) seconds = kDefaultTimeoutInterval;
    constexpr double kMaxMilliseconds = 365.0 * 24 * 3600 * 1000;
    return std::max(1L, std::lround(std::min(seconds * 1000, kMaxMilliseconds)));
}

// The request's time-out covers every hop of a load.
class Deadline {
  public:
    explicit Deadline(double seconds)
        : m_end(Clock::now() + std::chrono::milliseconds(timeoutMilliseconds(seconds))) {}

    // At least one, so that a spent deadline times the next hop out at once.
    long remainingMilliseconds() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_end - Clock::now());
        return std::max(1L, static_cast<long>(left.count()));
    }

  private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_end;
};

int checkCancelled(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) noexcept {
    return static_cast<const Transfer*>(context)->cancelled->load() ? 1 : 0;
}

// What every load sets alike.
void setSharedOptions(CURL* curl) {
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, receiveHeader);
}

// One easy handle per thread: curl_easy_reset keeps its connection cache, so later requests
// from the same thread reuse open connections. A plain GET sets nothing beyond the shared
// options and its own per-load ones, so after one the handle goes again as it is; any other
// load leaves it for a reset.
class ThreadHandle {
  public:
    ThreadHandle() : m_handle(curl_easy_init()) {}
    // The reset drops pointers into finished loads before the connections close.
    ~ThreadHandle() {
        if (m_handle == nullptr) return;
        curl_easy_reset(m_handle);
        curl_easy_cleanup(m_handle);
    }
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;

    CURL* get() const { return m_handle; }

    // The handle with the shared options and nothing left from an earlier load.
    CURL* fresh() {
        if (m_handle != nullptr && !m_reusable) {
            curl_easy_reset(m_handle);
            setSharedOptions(m_handle);
        }
        m_reusable = false;
        return m_handle;
    }
    // The load just made was a plain GET.
    void markReusable() { m_reusable = true; }

  private:
    CURL* m_handle;
    bool m_reusable = false;
};

ThreadHandle& threadHandle() {
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    thread_local ThreadHandle handle;
    return handle;
}

void setTransferOptions(CURL* curl, Transfer& transfer, const std::string& address,
                        const Deadline& deadline) {
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, deadline.remainingMilliseconds());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    if (transfer.cancelled != nullptr) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkCancelled);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    }
}

// The address curl ended at is parsed only when it differs from the one asked for.
URLResponse responseOf(Transfer& transfer, const URL& requested, const std::string& address) {
    long status = 0;
    curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
    const char* effective = nullptr;
    curl_easy_getinfo(transfer.curl, CURLINFO_EFFECTIVE_URL, &effective);
    std::optional<URL> url =
        effective && address != effective ? URL::withString(effective) : std::nullopt;
    return {static_cast<int>(status), std::move(transfer.headerFields), url ? url : requested};
}

// One request and its reply; a redirect comes back as a reply of its own.
CURLcode performHop(Transfer& transfer, const URLRequest& request, const std::string& address,
                    const Deadline& deadline) {
    const HeaderList headers = headerList(request);
    setTransferOptions(transfer.curl, transfer, address, deadline);
    curl_easy_setopt(transfer.curl, CURLOPT_HTTPHEADER, headers.get());
    setMethodAndBody(transfer.curl, request);
    return curl_easy_perform(transfer.curl);
}

// The absolute address a redirect reply points to, or none for any other reply.
std::optional<String> redirectLocation(CURL* curl) {
    const char* location = nullptr;
    curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location);
    if (location == nullptr) return std::nullopt;
    return String(location);
}

}  // namespace

std::optional<String> URLResponse::valueForHTTPHeaderField(const String& field) const {
    for (const auto& [name, value] : headerFields) {
        if (headerFieldNamesEqual(name, field)) return value;
    }
    return std::nullopt;
}

uint64_t URLConnection::maximumReplyLength() {
    return g_maximumReplyLength.load();
}

void URLConnection::setMaximumReplyLength(uint64_t bytes) {
    g_maximumReplyLength.store(bytes);
}

URLLoadResult URLConnection::sendSynchronousRequest(const URLRequest& request) {
    return loadCancellableRequest(request, nullptr);
}

URLLoadResult loadCancellableRequest(const URLRequest& request,
                                     const std::atomic<bool>* cancelled) {
    if (auto unloadable = unloadableAddressError(request.url())) return failed(*unloadable);
    ThreadHandle& handle = threadHandle();
    if (handle.get() == nullptr) {
        return failed(loadError(NSURLErrorUnknown, "An unknown error occurred.", request.url(),
                                "curl_easy_init failed"));
    }
    const Deadline deadline(request.timeoutInterval());
    URLRequest hop = request;
    for (long redirects = 0;; ++redirects) {
        CURL* const curl = handle.fresh();
        Transfer transfer;
        transfer.curl = curl;
        transfer.cancelled = cancelled;
        transfer.maximumLength = URLConnection::maximumReplyLength();
        const std::string address = hop.url()->absoluteString().toUtf8();
        const CURLcode code = performHop(transfer, hop, address, deadline);
        if (cancelled == nullptr && isPlainGet(hop)) handle.markReusable();
        const URL& url = *hop.url();
        if (code != CURLE_OK) return transportFailure(code, transfer, url);
        URLResponse response = responseOf(transfer, url, address);
        const std::optional<String> location = redirectLocation(curl);
        if (!location) return {Data(std::move(transfer.body)), std::move(response), std::nullopt};
        if (redirects == kMaxRedirects) {
            return failed(
                loadError(NSURLErrorHTTPTooManyRedirects, "too many HTTP redirects", url,
                          "Stopped after " + std::to_string(kMaxRedirects) + " redirects."));
        }
        Result<URLRequest> next = redirectedRequest(hop, response.statusCode, *location);
        if (!next) return failed(next.error());
        hop = std::move(next).value();
    }
}

}  // namespace ov
