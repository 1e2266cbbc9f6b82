#include "orvane/platform/network/URL.h"

#include <string>
#include <string_view>

#include "orvane/platform/text/PercentEncoding.h"

namespace ov {
namespace {

constexpr int kMaxPort = 65535;

bool isAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHex(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
bool isUnreserved(char c) {
    return isAlpha(c) || isDigit(c) || std::string_view("-._~").find(c) != std::string_view::npos;
}
bool isSubDelim(char c) {
    return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos;
}
bool isGenDelim(char c) {
    return std::string_view(":/?#[]@").find(c) != std::string_view::npos;
}

bool allOf(std::string_view text, bool (*predicate)(char)) {
    for (char c : text) {
        if (!predicate(c)) return false;
    }
    return true;
}

// Every character is one a URL may hold and every '%' starts an escape.
bool hasOnlyURLCharacters(std::string_view text) {
    for (size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        if (c == '%') {
            if (index + 2 >= text.size() || !isHex(text[index + 1]) || !isHex(text[index + 2])) {
                return false;
            }
            index += 2;
        } else if (!isUnreserved(c) && !isSubDelim(c) && !isGenDelim(c)) {
            return false;
        }
    }
    return true;
}

bool isSchemeCharacter(char c) {
    return isAlpha(c) || isDigit(c) || c == '+' || c == '-' || c == '.';
}

bool isScheme(std::string_view text) {
    return !text.empty() && isAlpha(text.front()) && allOf(text, isSchemeCharacter);
}

// Escapes were checked up front, so '%' is always the start of a valid one here.
bool isRegNameCharacter(char c) {
    return isUnreserved(c) || isSubDelim(c) || c == '%';
}
bool isUserInfoCharacter(char c) {
    return isRegNameCharacter(c) || c == ':';
}
bool isFutureCharacter(char c) {
    return isUnreserved(c) || isSubDelim(c) || c == ':';
}

bool isIPv4(std::string_view text) {
    int octets = 0;
    while (true) {
        const size_t dot = text.find('.');
        const std::string_view octet = text.substr(0, dot);
        if (octet.empty() || octet.size() > 3 || !allOf(octet, isDigit) ||
            std::stoi(std::string(octet)) > 255) {
            return false;
        }
        ++octets;
        if (dot == std::string_view::npos) break;
        text.remove_prefix(dot + 1);
    }
    return octets == 4;
}

// Counts the 16-bit pieces of colon-separated hex groups, where the last group may be a dotted
// IPv4 address worth two pieces. None when a group is malformed.
std::optional<int> ipv6Pieces(std::string_view text, bool allowIPv4Tail) {
    if (text.empty()) return 0;
    int pieces = 0;
    while (true) {
        const size_t colon = text.find(':');
        const std::string_view group = text.substr(0, colon);
        const bool last = colon == std::string_view::npos;
        if (last && allowIPv4Tail && group.find('.') != std::string_view::npos) {
            return isIPv4(group) ? std::optional<int>(pieces + 2) : std::nullopt;
        }
        if (group.empty() || group.size() > 4 || !allOf(group, isHex)) return std::nullopt;
        ++pieces;
        if (last) return pieces;
        text.remove_prefix(colon + 1);
    }
}

bool isIPv6(std::string_view text) {
    const size_t gap = text.find("::");
    if (gap == std::string_view::npos) return ipv6Pieces(text, true) == 8;
    if (text.find("::", gap + 1) != std::string_view::npos) return false;
    const auto head = ipv6Pieces(text.substr(0, gap), false);
    const auto tail = ipv6Pieces(text.substr(gap + 2), true);
    return head && tail && *head + *tail <= 7;
}

bool isIPvFuture(std::string_view text) {
    const size_t dot = text.find('.');
    if (text.size() < 2 || (text[0] != 'v' && text[0] != 'V') || dot == std::string_view::npos) {
        return false;
    }
    const std::string_view version = text.substr(1, dot - 1);
    const std::string_view rest = text.substr(dot + 1);
    return !version.empty() && allOf(version, isHex) && !rest.empty() &&
           allOf(rest, isFutureCharacter);
}

std::optional<int> parsePort(std::string_view text) {
    if (!allOf(text, isDigit)) return std::nullopt;
    int port = 0;
    for (char digit : text) {
        port = port * 10 + (digit - '0');
        if (port > kMaxPort) return std::nullopt;
    }
    return port;
}

String decodedOrRaw(std::string_view text) {
    const String raw{text};
    return percentDecoded(raw).value_or(raw);
}

// Cuts `text` at the first `delimiter`, returning what follows it (none if it is absent).
std::optional<std::string_view> cutAt(std::string_view& text, char delimiter) {
    const size_t position = text.find(delimiter);
    if (position == std::string_view::npos) return std::nullopt;
    const std::string_view after = text.substr(position + 1);
    text = text.substr(0, position);
    return after;
}

}  // namespace

// Fills a URL part by part; each step answers false when its part is malformed.
class URLParser {
  public:
    explicit URLParser(URL& url) : m_url(url) {}

    bool parse(std::string_view text) {
        if (const auto fragment = cutAt(text, '#')) m_url.m_fragment = String(*fragment);
        if (const auto query = cutAt(text, '?')) m_url.m_query = String(*query);
        if (!parseScheme(text)) return false;
        if (text.starts_with("//")) {
            text.remove_prefix(2);
            const size_t slash = text.find('/');
            if (!parseAuthority(text.substr(0, slash))) return false;
            text = slash == std::string_view::npos ? std::string_view() : text.substr(slash);
        }
        m_url.m_path = String(text);
        return true;
    }

  private:
    // A ':' before any '/' ends a scheme; a relative path may not have one in its first
    // segment.
    bool parseScheme(std::string_view& text) {
        const size_t colon = text.find(':');
        if (colon == std::string_view::npos ||
            text.substr(0, colon).find('/') != std::string_view::npos) {
            return true;
        }
        const std::string_view scheme = text.substr(0, colon);
        if (!isScheme(scheme)) return false;
        m_url.m_scheme = String(scheme);
        text.remove_prefix(colon + 1);
        return true;
    }

    bool parseAuthority(std::string_view authority) {
        const size_t at = authority.rfind('@');
        if (at != std::string_view::npos) {
            if (!parseUserInfo(authority.substr(0, at))) return false;
            authority.remove_prefix(at + 1);
        }
        return authority.starts_with('[') ? parseIPLiteral(authority) : parseRegName(authority);
    }

    bool parseUserInfo(std::string_view userInfo) {
        if (!allOf(userInfo, isUserInfoCharacter)) return false;
        if (const auto password = cutAt(userInfo, ':')) m_url.m_password = decodedOrRaw(*password);
        m_url.m_user = decodedOrRaw(userInfo);
        return true;
    }

    bool parseIPLiteral(std::string_view hostPort) {
        const size_t close = hostPort.find(']');
        if (close == std::string_view::npos) return false;
        const std::string_view literal = hostPort.substr(1, close - 1);
        if (!isIPv6(literal) && !isIPvFuture(literal)) return false;
        m_url.m_host = String(literal);
        const std::string_view rest = hostPort.substr(close + 1);
        return rest.empty() || (rest.front() == ':' && parsePortText(rest.substr(1)));
    }

    bool parseRegName(std::string_view hostPort) {
        if (const auto port = cutAt(hostPort, ':'); port && !parsePortText(*port)) return false;
        if (!allOf(hostPort, isRegNameCharacter)) return false;
        m_url.m_host = String(hostPort);
        return true;
    }

    // An empty port is allowed and means "the scheme's default".
    bool parsePortText(std::string_view text) {
        if (text.empty()) return true;
        m_url.m_port = parsePort(text);
        return m_url.m_port.has_value();
    }

    URL& m_url;
};

std::optional<URL> URL::withString(const String& text) {
    const std::string bytes = text.toUtf8();
    if (bytes.empty() || !hasOnlyURLCharacters(bytes)) return std::nullopt;
    URL url;
    url.m_text = text;
    if (!URLParser(url).parse(bytes)) return std::nullopt;
    return url;
}

String URL::path() const {
    const std::string raw = m_path.toUtf8();
    std::string_view trimmed = raw;
    if (trimmed.size() > 1 && trimmed.ends_with('/')) trimmed.remove_suffix(1);
    return decodedOrRaw(trimmed);
}

}  // namespace ov
