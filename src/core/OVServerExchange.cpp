// The request forms of OVServer and the exchange they all end in.
#include <atomic>

#include "core/OVServerLog.h"
#include "orvane/core/NSError+NSError.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/network/JSONSerialization.h"
#include "orvane/platform/network/URLConnection.h"
#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/PercentEncoding.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/ui/application/Application.h"

namespace ov {
namespace {

constexpr const char* kIdentifierKey = "identifier";
constexpr const char* kJsonType = "application/json";
constexpr const char* kJsonUtf8Type = "application/json;charset=UTF-8";

Value orAbsent(const std::optional<String>& text) {
    return text ? Value(*text) : Value();
}

String plainJoin(const String& relative) {
    return stringWithFormat("%@%@", orAbsent(OVServer::server_base()), relative);
}

String slashJoin(const String& relative) {
    return stringWithFormat("%@/%@", orAbsent(OVServer::server_base()), relative);
}

String withIdentifier(String param, const std::optional<String>& identifier) {
    if (identifier) param += stringWithFormat("&identifier=%@", *identifier);
    return param;
}

String keyValue(const Value& value, const std::optional<String>& key) {
    return stringWithFormat("%@=%@", key.value_or(kIdentifierKey), value);
}

Value absoluteAddress(const URLRequest& request) {
    return request.url() ? Value(request.url()->absoluteString()) : Value();
}

Value queryRequest(const String& address) {
    const String encoded = percentEncoded(address, CharacterSet::urlQueryAllowed());
    URLRequest request(URL::withString(encoded));
    request.setHTTPMethod("GET");
    request.setValue(kJsonUtf8Type, "content-type");
    OVServer::addToken(request);
    return OVServer::sendRequest(request);
}

// The header fields both posts share, set in the order the service has always received them;
// the final lower-case content type replaces the first one.
URLRequest postRequest(const String& address, const std::optional<String>& encoding) {
    URLRequest request(URL::withString(address));
    request.setHTTPMethod("POST");
    request.setValue(kJsonType, "Accept");
    request.setValue(kJsonType, "Content-Type");
    if (encoding) request.setValue(*encoding, "enctype");
    OVServer::addToken(request);
    request.setValue(kJsonUtf8Type, "content-type");
    return request;
}

Value jsonPost(const String& address, const Value& object) {
    URLRequest request = postRequest(address, std::nullopt);
    if (!object.isAbsent()) {
        auto body = JSONSerialization::dataWithJSONObject(object);
        if (!body) {
            serverLog(kRequestSide, "json post not sent: %@",
                      body.error().userInfo().objectForKey(NSDebugDescriptionErrorKey));
            return {};
        }
        request.setHTTPBody(std::move(body).value());
    }
    return OVServer::sendRequest(request);
}

// Exchanges in flight. The indicator shows while any runs; one queued update at a time reads
// the count when it runs, so overlapping exchanges can never leave it in the wrong state.
std::atomic<int> g_exchangesInFlight{0};
std::atomic<bool> g_indicatorUpdateQueued{false};

void updateNetworkIndicator() {
    if (g_indicatorUpdateQueued.exchange(true)) return;
    DispatchQueue::main().async([] {
        g_indicatorUpdateQueued.store(false);
        ui::Application::sharedApplication().setNetworkActivityIndicatorVisible(
            g_exchangesInFlight.load() > 0);
    });
}

Value decodeReply(const Data& bytes, const std::optional<Error>& transferError) {
    auto decoded = JSONSerialization::JSONObjectWithData(bytes);
    const Error* error = transferError ? &*transferError : decoded ? nullptr : &decoded.error();
    if (error) {
        serverLog(kReplySide, "error: %@", *error);
        serverLog(kReplySide, "error localizedDescription: %@", error->localizedDescription());
    }
    Value reply = decoded ? std::move(decoded).value() : Value();
    if (const Dictionary* dictionary = reply.ifDictionary()) {
        reply = OVServer::recursiveNullRemove(*dictionary);
    }
    serverLog(kReplySide, "json:\n %@", reply);
    return reply;
}

}  // namespace

Value OVServer::sendRequest(URLRequest& request) {
    ++g_exchangesInFlight;
    updateNetworkIndicator();
    addToken(request);
    URLLoadResult result = URLConnection::sendSynchronousRequest(request);
    --g_exchangesInFlight;
    updateNetworkIndicator();

    serverLog(kRequestSide, "url]: %@", absoluteAddress(request));
    if (const auto token = OVServer::token()) {
        serverLog(kRequestSide, "token]: %@", *token);
        serverLog(kRequestSide, "tokenKey]: %@", orAbsent(tokenKey()));
    }
    if (result.data) return decodeReply(*result.data, result.error);
    if (result.error) NSError_NSError::LogError(*result.error);
    serverLog(kReplySide, "\n\n *** server returned nil *** \nfor rquest: %@\n",
              absoluteAddress(request));
    return {};
}

void OVServer::showNetworkIndicatior() {
    DispatchQueue::main().async(
        [] { ui::Application::sharedApplication().setNetworkActivityIndicatorVisible(true); });
}

void OVServer::hideNetworkIndicatior() {
    DispatchQueue::main().async(
        [] { ui::Application::sharedApplication().setNetworkActivityIndicatorVisible(false); });
}

// Query requests.

Value OVServer::getUrl(const String& url) {
    return queryRequest(url);
}

Value OVServer::sendGetParam(const String& param, const String& url) {
    return queryRequest(stringWithFormat("%@%@", url, param));
}

Value OVServer::sendGetParam_Base_url(const String& param, const String& baseUrl) {
    return sendGetParam(param, plainJoin(baseUrl));
}

Value OVServer::sendGetDic(const Dictionary& dic, const String& url,
                           const std::optional<String>& identifier) {
    return sendGetParam(withIdentifier(createParam(dic), identifier), url);
}

Value OVServer::sendGetDic_Base_url(const Dictionary& dic, const String& baseUrl,
                                    const std::optional<String>& identifier) {
    return sendGetDic(dic, plainJoin(baseUrl), identifier);
}

Value OVServer::sendGetValue(const Value& value, const std::optional<String>& key,
                             const String& url) {
    return sendGetParam(keyValue(value, key), url);
}

Value OVServer::sendGetValue_Base_url(const Value& value, const std::optional<String>& key,
                                      const String& baseUrl) {
    return sendGetParam_Base_url(keyValue(value, key), baseUrl);
}

Value OVServer::sendGetValue_Base_url(const Value& value, const String& key, const String& baseUrl,
                                      const String& identifier) {
    return sendGetParam_Base_url(stringWithFormat("%@=%@&identifier=%@", key, value, identifier),
                                 baseUrl);
}

Value OVServer::sendGetObject(const Value& object, const String& url,
                              const std::optional<String>& identifier) {
    if (object.isAbsent()) {
        serverLog(kRequestSide, "no object to send");
        return {};
    }
    if (const Dictionary* dic = object.ifDictionary()) return sendGetDic(*dic, url, identifier);
    if (const String* param = object.ifString()) return sendGetParam(*param, url);
    return {};
}

Value OVServer::sendGetObject_Base_url(const Value& object, const String& baseUrl,
                                       const std::optional<String>& identifier) {
    if (object.isAbsent()) {
        serverLog(kRequestSide, "no object to send");
        return {};
    }
    logWithMessage(object, kRequestSide);
    if (const Dictionary* dic = object.ifDictionary()) {
        return sendGetDic_Base_url(*dic, baseUrl, identifier);
    }
    if (const String* param = object.ifString()) return sendGetParam_Base_url(*param, baseUrl);
    return {};
}

Value OVServer::getUrl(const String& url, const Value& attach) {
    if (attach.isAbsent()) return getUrl(url);
    if (const Dictionary* dic = attach.ifDictionary()) return sendGetDic(*dic, url);
    if (attach.isString()) return sendValue(attach, std::nullopt, url);
    serverLog(kRequestSide, "no object to send");
    return {};
}

Value OVServer::getBase_url(const String& baseUrl, const Value& attach) {
    logWithMessage(attach, kRequestSide);
    if (attach.isAbsent()) return getBase_url(baseUrl);
    if (const Dictionary* dic = attach.ifDictionary()) return sendGetDic_Base_url(*dic, baseUrl);
    if (const String* param = attach.ifString()) return sendGetParam_Base_url(*param, baseUrl);
    serverLog(kRequestSide, "no object to send");
    return {};
}

Value OVServer::getBase_url(const String& baseUrl) {
    return sendParam_Base_url("", baseUrl);
}

// Body requests.

Value OVServer::sendParam(const String& param, const String& url) {
    URLRequest request = buildRequestUrl(url, Data::fromString(param.toUtf8()));
    return sendRequest(request);
}

Value OVServer::sendParam_Base_url(const String& param, const String& baseUrl) {
    URLRequest request = buildRequestUrl(slashJoin(baseUrl), Data::fromString(param.toUtf8()));
    serverLog(kRequestSide, "[OVServer param:]\n%@", param);
    return sendRequest(request);
}

Value OVServer::send(const Dictionary& dic, const String& url,
                     const std::optional<String>& identifier) {
    return sendParam(withIdentifier(createParam(dic), identifier), url);
}

Value OVServer::send_Base_url(const Dictionary& dic, const String& baseUrl,
                              const std::optional<String>& identifier) {
    return sendParam_Base_url(withIdentifier(createParam(dic), identifier), baseUrl);
}

Value OVServer::sendValue(const Value& value, const std::optional<String>& key, const String& url) {
    return sendParam(keyValue(value, key), url);
}

Value OVServer::sendValue_Base_url(const Value& value, const std::optional<String>& key,
                                   const String& baseUrl) {
    return sendParam_Base_url(keyValue(value, key), baseUrl);
}

Value OVServer::sendObject_Base_url(const Value& object, const String& baseUrl,
                                    const std::optional<String>& identifier) {
    if (const Dictionary* dic = object.ifDictionary()) {
        return send_Base_url(*dic, baseUrl, identifier);
    }
    if (object.isString()) return sendValue_Base_url(object, identifier, baseUrl);
    return {};
}

Value OVServer::sendObject(const Value& object, const String& url,
                           const std::optional<String>& identifier) {
    return sendObject_Base_url(object, url, identifier);
}

// Posts.

Value OVServer::postUrl(const String& baseUrl) {
    return jsonPost(plainJoin(baseUrl), Value());
}

Value OVServer::postBase_url(const String& baseUrl) {
    return postUrl(baseUrl);
}

Value OVServer::postUrl(const String& url, const Value& attach) {
    return jsonPost(url, attach);
}

Value OVServer::postBase_url(const String& baseUrl, const Value& attach) {
    const String address = plainJoin(baseUrl);
    serverLog(kRequestSide, "\n[OVServer]\nposting url: %@\n%@", address, attach);
    return jsonPost(address, attach);
}

Value OVServer::postData(const Data& data, const String& baseUrl) {
    URLRequest request = postRequest(plainJoin(baseUrl), String("multipart/form-data"));
    request.setHTTPBody(data);
    return sendRequest(request);
}

}  // namespace ov
