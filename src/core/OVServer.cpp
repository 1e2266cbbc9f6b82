// Settings, request builders and the client log of OVServer.
#include "orvane/core/OVServer.h"

#include "core/OVServerLog.h"
#include "orvane/core/NSMutableDictionary+NSMutableDictionary.h"
#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/PercentEncoding.h"
#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

constexpr double kDefaultTimeOut = 60.0;

}  // namespace

OVServer& OVServer::sharedInstance() {
    static OVServer* const instance = new OVServer();  // a static local is a one-time guard
    return *instance;
}

// Class operations go through the instance accessors, which hold the lock.
void OVServer::setServerBasePath(const std::optional<String>& path) {
    sharedInstance().setServer_base(path);
}
std::optional<String> OVServer::server_base() {
    return sharedInstance().server_baseOfInstance();
}
void OVServer::setToken(const std::optional<String>& token) {
    sharedInstance().setTokenOfInstance(token);
}
std::optional<String> OVServer::token() {
    return sharedInstance().tokenOfInstance();
}
void OVServer::setTokenKey(const std::optional<String>& key) {
    sharedInstance().setToken_key(key);
}
std::optional<String> OVServer::tokenKey() {
    return sharedInstance().token_key();
}
void OVServer::setLogType(unsigned long type) {
    sharedInstance().setLog_type(type);
}
unsigned long OVServer::logType() {
    return sharedInstance().log_type();
}
void OVServer::setTimeOut(double seconds) {
    sharedInstance().setTimeOutOfInstance(seconds);
}

double OVServer::timeOut() {
    OVServer& instance = sharedInstance();
    std::lock_guard lock(instance.m_mutex);
    if (instance.m_timeOut == 0) instance.m_timeOut = kDefaultTimeOut;
    return instance.m_timeOut;
}

std::optional<String> OVServer::server_baseOfInstance() const {
    std::lock_guard lock(m_mutex);
    return m_server_base;
}
void OVServer::setServer_base(const std::optional<String>& value) {
    std::lock_guard lock(m_mutex);
    m_server_base = value;
}
std::optional<String> OVServer::tokenOfInstance() const {
    std::lock_guard lock(m_mutex);
    return m_token;
}
void OVServer::setTokenOfInstance(const std::optional<String>& value) {
    std::lock_guard lock(m_mutex);
    m_token = value;
}
std::optional<String> OVServer::token_key() const {
    std::lock_guard lock(m_mutex);
    return m_token_key;
}
void OVServer::setToken_key(const std::optional<String>& value) {
    std::lock_guard lock(m_mutex);
    m_token_key = value;
}
unsigned long OVServer::log_type() const {
    std::lock_guard lock(m_mutex);
    return m_log_type;
}
void OVServer::setLog_type(unsigned long value) {
    std::lock_guard lock(m_mutex);
    m_log_type = value;
}
double OVServer::timeOutOfInstance() const {
    std::lock_guard lock(m_mutex);
    return m_timeOut;
}
void OVServer::setTimeOutOfInstance(double value) {
    std::lock_guard lock(m_mutex);
    m_timeOut = value;
}

String OVServer::createParam(const Dictionary& dictionary) {
    String text;
    size_t remaining = dictionary.count();
    for (const auto& [key, value] : dictionary) {
        text += stringWithFormat(--remaining > 0 ? "%@=%@&" : "%@=%@", key, value);
    }
    return text;
}

void OVServer::addToken(URLRequest& request) {
    const auto token = OVServer::token();
    if (!token) return;
    // A token without a header name has nowhere to go; the request is sent without it. The token
    // goes only to the server asked, never to another one a redirect leads to.
    if (const auto key = tokenKey()) request.setCredentialValue(*token, *key);
}

URLRequest OVServer::buildRequestUrl(const String& url, const Data& data) {
    URLRequest request(URL::withString(url), timeOut());
    request.setHTTPMethod("GET");
    request.setHTTPBody(data);
    addToken(request);
    return request;
}

Dictionary OVServer::recursiveNullRemove(const Dictionary& dictionary) {
    return NSMutableDictionary_NSMutableDictionary::recursiveNullRemove(dictionary);
}

std::optional<String> OVServer::messageFormate(const Value& message) {
    const String* text = message.ifString();
    if (!text || text->isEmpty()) return std::nullopt;
    return "\n[OVServer: " + *text + "\n";
}

void OVServer::logWithMessage(const Value& message, unsigned long logType) {
    if (message.isAbsent() || !serverLogSelects(logType)) return;
    const auto framed = messageFormate(message.isString() ? message : Value(message.description()));
    if (framed) systemLog("OVServer %@", *framed);
}

bool serverLogSelects(unsigned long messageType) {
    const unsigned long setting = OVServer::logType();
    return setting == 0 || (setting <= 3 && setting == messageType);
}

}  // namespace ov
