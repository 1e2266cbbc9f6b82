#pragma once
// Synchronous URL loading over HTTP and HTTPS. The calling thread blocks until the reply is in,
// the transfer fails or the request's time-out passes. Any thread may load; each thread keeps
// its own connections open between calls, so repeated requests to one host reuse them.
//
//   ov::URLRequest request(ov::URL::withString("http://127.0.0.1:8080/items"), 10.0);
//   ov::URLLoadResult result = ov::URLConnection::sendSynchronousRequest(request);
//   if (result.error) log(result.error->localizedDescription());
//   else use(result.response->statusCode, *result.data);  // any HTTP status is a reply
//
// Redirects are followed, but never from https to http, and credential fields go only to the
// origin of the request (URLRequest::setCredentialValue); compressed replies are decoded. A reply
// longer than maximumReplyLength(), counted after decoding, fails the load.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/network/URLRequest.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/String.h"

namespace ov {

// Codes of errors in NSURLErrorDomain.
inline constexpr long long NSURLErrorUnknown = -1;
inline constexpr long long NSURLErrorCancelled = -999;
inline constexpr long long NSURLErrorBadURL = -1000;
inline constexpr long long NSURLErrorTimedOut = -1001;
inline constexpr long long NSURLErrorUnsupportedURL = -1002;
inline constexpr long long NSURLErrorCannotFindHost = -1003;
inline constexpr long long NSURLErrorCannotConnectToHost = -1004;
inline constexpr long long NSURLErrorNetworkConnectionLost = -1005;
inline constexpr long long NSURLErrorHTTPTooManyRedirects = -1007;
inline constexpr long long NSURLErrorBadServerResponse = -1011;
inline constexpr long long NSURLErrorAppTransportSecurityRequiresSecureConnection = -1022;
inline constexpr long long NSURLErrorDataLengthExceedsMaximum = -1103;

inline constexpr uint64_t kDefaultMaximumReplyLength = uint64_t{256} * 1024 * 1024;

struct URLResponse {
    int statusCode = 0;
    // As received, in order, from the final response after redirects.
    std::vector<std::pair<String, String>> headerFields;
    // The address that answered, after redirects.
    std::optional<URL> url;

    // Case-insensitive; the first field of that name.
    std::optional<String> valueForHTTPHeaderField(const String& field) const;
};

// On success data and response are set (data empty for an empty body) and error is none;
// on a transport failure only error is set, in NSURLErrorDomain with the platform's code and
// message, the address under NSURLErrorFailingURLStringErrorKey and the transport's own words
// under NSDebugDescriptionErrorKey.
struct URLLoadResult {
    std::optional<Data> data;
    std::optional<URLResponse> response;
    std::optional<Error> error;
};

class URLConnection {
  public:
    static URLLoadResult sendSynchronousRequest(const URLRequest& request);

    // Bytes of reply body one load may hold, for every thread; kDefaultMaximumReplyLength
    // unless set.
    static uint64_t maximumReplyLength();
    static void setMaximumReplyLength(uint64_t bytes);
};

}  // namespace ov
