#pragma once
// A mutable description of one HTTP request: address, method, header fields, body and
// time-out. URLConnection sends it.
//
//   ov::URLRequest request(ov::URL::withString("https://api.example.com/items"), 30.0);
//   request.setHTTPMethod("POST");
//   request.setValue("application/json", "Content-Type");
//   request.setHTTPBody(ov::Data::fromString(R"({"name":"Ada"})"));

#include <optional>
#include <utility>
#include <vector>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/String.h"

namespace ov {

// Seconds.
inline constexpr double kDefaultTimeoutInterval = 60.0;

class URLRequest {
  public:
    using HeaderFields = std::vector<std::pair<String, String>>;

    URLRequest() = default;
    explicit URLRequest(std::optional<URL> url, double timeoutInterval = kDefaultTimeoutInterval)
        : m_url(std::move(url)), m_timeoutInterval(timeoutInterval) {}

    const std::optional<URL>& url() const { return m_url; }
    void setURL(std::optional<URL> url) { m_url = std::move(url); }

    // "GET" unless set.
    const String& httpMethod() const { return m_httpMethod; }
    void setHTTPMethod(String method) { m_httpMethod = std::move(method); }

    // Field names match without regard to ASCII case. Setting a field that exists under any
    // spelling replaces its value and keeps the first spelling and position.
    void setValue(const String& value, const String& field);
    // Appends ", value" to an existing field, or adds the field.
    void addValue(const String& value, const String& field);
    std::optional<String> valueForHTTPHeaderField(const String& field) const;
    // Sets a field that carries a credential, such as a session token. It is sent like any
    // other field, but only to the origin (scheme, host and port) of the request: a redirect
    // to another origin goes without it. Authorization, Proxy-Authorization and Cookie always
    // are credentials.
    void setCredentialValue(const String& value, const String& field);
    bool isCredentialField(const String& field) const;
    // In the order the fields were first set.
    const HeaderFields& allHTTPHeaderFields() const { return m_headerFields; }

    const std::optional<Data>& httpBody() const { return m_httpBody; }
    void setHTTPBody(std::optional<Data> body) { m_httpBody = std::move(body); }

    // Seconds for the whole transfer; zero or less means kDefaultTimeoutInterval.
    double timeoutInterval() const { return m_timeoutInterval; }
    void setTimeoutInterval(double seconds) { m_timeoutInterval = seconds; }

  private:
    HeaderFields::iterator findField(const String& field);
    HeaderFields::const_iterator findField(const String& field) const;

    std::optional<URL> m_url;
    String m_httpMethod = "GET";
    HeaderFields m_headerFields;
    std::vector<String> m_credentialFields;
    std::optional<Data> m_httpBody;
    double m_timeoutInterval = kDefaultTimeoutInterval;
};

}  // namespace ov
