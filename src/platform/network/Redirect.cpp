#include "platform/network/Redirect.h"

#include "orvane/platform/network/URLConnection.h"
#include "platform/network/HeaderFieldName.h"
#include "platform/network/LoadError.h"

namespace ov {
namespace {

bool hasScheme(const URL& url, const char* scheme) {
    return url.scheme() && headerFieldNamesEqual(*url.scheme(), scheme);
}

int effectivePort(const URL& url) {
    if (url.port()) return *url.port();
    return hasScheme(url, "https") ? 443 : 80;
}

String lowercaseASCII(const String& text) {
    std::u16string units(text.utf16());
    for (char16_t& unit : units) {
        if (unit >= u'A' && unit <= u'Z') unit += u'a' - u'A';
    }
    return String(units);
}

bool becomesGet(const String& method, int statusCode) {
    if (statusCode == 303) return method != "HEAD";
    return (statusCode == 301 || statusCode == 302) && (method == "POST" || method == "GET");
}

}  // namespace

bool sameOrigin(const URL& left, const URL& right) {
    const auto lowered = [](const std::optional<String>& part) {
        return part ? lowercaseASCII(*part) : String();
    };
    return lowered(left.scheme()) == lowered(right.scheme()) &&
           lowered(left.host()) == lowered(right.host()) &&
           effectivePort(left) == effectivePort(right);
}

Result<URLRequest> redirectedRequest(const URLRequest& request, int statusCode,
                                     const String& target) {
    const std::optional<URL> url = URL::withString(target);
    if (auto unloadable = unloadableAddressError(url)) return std::move(*unloadable);
    const URL& from = *request.url();
    if (hasScheme(from, "https") && hasScheme(*url, "http")) {
        return loadError(NSURLErrorAppTransportSecurityRequiresSecureConnection,
                         "The resource could not be loaded because the App Transport Security "
                         "policy requires the use of a secure connection.",
                         url, "A redirect from " + from.absoluteString() + " would leave https.");
    }
    URLRequest next(url, request.timeoutInterval());
    const String method = request.httpMethod().isEmpty() ? "GET" : request.httpMethod();
    if (becomesGet(method, statusCode)) {
        next.setHTTPMethod("GET");
    } else {
        next.setHTTPMethod(method);
        next.setHTTPBody(request.httpBody());
    }
    const bool crossesOrigin = !sameOrigin(from, *url);
    for (const auto& [field, value] : request.allHTTPHeaderFields()) {
        if (!request.isCredentialField(field)) {
            next.setValue(value, field);
        } else if (!crossesOrigin) {
            next.setCredentialValue(value, field);
        }
    }
    return next;
}

}  // namespace ov
