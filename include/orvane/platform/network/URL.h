#pragma once
// An address, parsed once on creation. Text that is not a URL reference gives no URL, so a
// URL that exists is always well-formed. Relative references ("list.php?q=1") are URLs with no
// scheme and no host; nothing here resolves them against a base.
//
//   auto url = ov::URL::withString("https://user@example.com:8443/a%20b/?q=1#top");
//   url->host();    // "example.com"
//   url->port();    // 8443
//   url->path();    // "/a b" (decoded, trailing slash removed)
//   url->query();   // "q=1" (as written)
//   ov::URL::withString("http://exa mple.com");  // none: a space is not allowed

#include <optional>

#include "orvane/platform/values/String.h"

namespace ov {

class URL {
  public:
    // None for empty text, characters a URL cannot hold (space, controls, non-ASCII,
    // " < > \ ^ ` { | }), a '%' without two hex digits, a port that is not a number up to
    // 65535, or a malformed bracketed IP literal.
    static std::optional<URL> withString(const String& text);
    // The "file://" address of a local path; a relative path is taken from the current folder.
    static URL fileURLWithPath(const String& path);

    // The text exactly as given.
    const String& absoluteString() const { return m_text; }
    // Absent parts are none; present but empty parts ("http://h/?") are empty strings.
    const std::optional<String>& scheme() const { return m_scheme; }
    // User name and password, percent-decoded.
    const std::optional<String>& user() const { return m_user; }
    const std::optional<String>& password() const { return m_password; }
    // As written, without the brackets of an IPv6 literal.
    const std::optional<String>& host() const { return m_host; }
    std::optional<int> port() const { return m_port; }
    // Percent-decoded (left as written when the escapes are not UTF-8), without a trailing
    // slash unless the path is just "/".
    String path() const;
    // As written, still percent-encoded.
    const std::optional<String>& query() const { return m_query; }
    const std::optional<String>& fragment() const { return m_fragment; }

    friend bool operator==(const URL& left, const URL& right) {
        return left.m_text == right.m_text;
    }

  private:
    friend class URLParser;
    URL() = default;

    String m_text;
    std::optional<String> m_scheme;
    std::optional<String> m_user;
    std::optional<String> m_password;
    std::optional<String> m_host;
    std::optional<int> m_port;
    String m_path;
    std::optional<String> m_query;
    std::optional<String> m_fragment;
};

}  // namespace ov
