#pragma once
// The client for the host application's own web service: a server that takes parameters in the
// address or the body and answers with JSON. Every operation is a class operation; the five
// settings live in one shared instance, in memory only.
//
//   ov::OVServer::setServerBasePath("https://api.example.com");
//   ov::OVServer::setToken(sessionToken);
//   ov::OVServer::setTokenKey("X-Session");
//   ov::Value reply = ov::OVServer::sendGetDic(ov::Dictionary{{"q", "tea"}},
//                                             "https://api.example.com/search.php?");
//
// Exchanges block the calling thread for a whole round trip, so hosts call them from a
// background thread. The reply comes back decoded: a dictionary with its nulls replaced by
// empty strings, an array as decoded, or the absent value after the log has said why.
// Settings may be read and written from any thread.

#include <mutex>
#include <optional>

#include "orvane/platform/network/URLRequest.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class OVServer {
  public:
    // Settings (class operations).
    static OVServer& sharedInstance();
    static void setServerBasePath(const std::optional<String>& path);
    static std::optional<String> server_base();
    static void setToken(const std::optional<String>& token);
    static std::optional<String> token();
    static void setTokenKey(const std::optional<String>& key);
    static std::optional<String> tokenKey();
    static void setLogType(unsigned long type);
    static unsigned long logType();
    static void setTimeOut(double seconds);
    // An unset (zero) time-out becomes 60 seconds on first read, for good.
    static double timeOut();

    // The shared instance's plain accessors. Those whose selector a class operation already
    // uses carry the suffix OfInstance.
    std::optional<String> server_baseOfInstance() const;
    void setServer_base(const std::optional<String>& value);
    std::optional<String> tokenOfInstance() const;
    void setTokenOfInstance(const std::optional<String>& value);
    std::optional<String> token_key() const;
    void setToken_key(const std::optional<String>& value);
    unsigned long log_type() const;
    void setLog_type(unsigned long value);
    double timeOutOfInstance() const;
    void setTimeOutOfInstance(double value);

    // Builders (no network).
    static String createParam(const Dictionary& dictionary);
    static void addToken(URLRequest& request);
    static URLRequest buildRequestUrl(const String& url, const Data& data);
    static Dictionary recursiveNullRemove(const Dictionary& dictionary);

    // The client log: framed lines on the system log, filtered by log_type.
    static std::optional<String> messageFormate(const Value& message);
    static void logWithMessage(const Value& message, unsigned long logType);

    // Query requests: parameters in the address.
    static Value getUrl(const String& url);
    static Value sendGetParam(const String& param, const String& url);
    static Value sendGetParam_Base_url(const String& param, const String& baseUrl);
    static Value sendGetDic(const Dictionary& dic, const String& url,
                            const std::optional<String>& identifier = std::nullopt);
    static Value sendGetDic_Base_url(const Dictionary& dic, const String& baseUrl,
                                     const std::optional<String>& identifier = std::nullopt);
    static Value sendGetValue(const Value& value, const std::optional<String>& key,
                              const String& url);
    static Value sendGetValue_Base_url(const Value& value, const std::optional<String>& key,
                                       const String& baseUrl);
    static Value sendGetValue_Base_url(const Value& value, const String& key, const String& baseUrl,
                                       const String& identifier);
    static Value sendGetObject(const Value& object, const String& url,
                               const std::optional<String>& identifier = std::nullopt);
    static Value sendGetObject_Base_url(const Value& object, const String& baseUrl,
                                        const std::optional<String>& identifier = std::nullopt);
    static Value getUrl(const String& url, const Value& attach);
    static Value getBase_url(const String& baseUrl, const Value& attach);
    static Value getBase_url(const String& baseUrl);

    // Body requests: parameters in the body, method GET, time-out from timeOut().
    static Value sendParam(const String& param, const String& url);
    static Value sendParam_Base_url(const String& param, const String& baseUrl);
    static Value send(const Dictionary& dic, const String& url,
                      const std::optional<String>& identifier = std::nullopt);
    static Value send_Base_url(const Dictionary& dic, const String& baseUrl,
                               const std::optional<String>& identifier = std::nullopt);
    static Value sendValue(const Value& value, const std::optional<String>& key, const String& url);
    static Value sendValue_Base_url(const Value& value, const std::optional<String>& key,
                                    const String& baseUrl);
    static Value sendObject_Base_url(const Value& object, const String& baseUrl,
                                     const std::optional<String>& identifier = std::nullopt);
    static Value sendObject(const Value& object, const String& url,
                            const std::optional<String>& identifier = std::nullopt);

    // JSON and data posts: method POST.
    static Value postUrl(const String& baseUrl);
    static Value postBase_url(const String& baseUrl);
    static Value postUrl(const String& url, const Value& attach);
    static Value postBase_url(const String& baseUrl, const Value& attach);
    static Value postData(const Data& data, const String& baseUrl);

    // One exchange: send, wait, decode. Every operation above ends here.
    static Value sendRequest(URLRequest& request);
    // Queue the platform's network activity indicator, visible or hidden, on the main thread.
    static void showNetworkIndicatior();
    static void hideNetworkIndicatior();

  private:
    OVServer() = default;

    mutable std::mutex m_mutex;
    std::optional<String> m_server_base;
    std::optional<String> m_token;
    std::optional<String> m_token_key;
    unsigned long m_log_type = 0;
    double m_timeOut = 0;
};

}  // namespace ov
