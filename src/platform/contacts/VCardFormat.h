#pragma once
// The pieces of vCard text shared by the reader and the writer: escaping of text values,
// quoting of parameter values (RFC 6868), line folding, and how labels meet TYPE parameters.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/platform/time/DateComponents.h"
#include "orvane/platform/values/String.h"

namespace ov::vcard {

// Octets a physical line holds, CRLF not counted.
inline constexpr size_t kLineLength = 75;
// Our own parameter for labels that TYPE cannot express.
inline constexpr std::string_view kLabelParameter = "X-LABEL";

// Backslash, comma, semicolon and line breaks escaped, as UTF-8.
std::string escapeText(const String& text);
// The value with escapes undone; `text` is well-formed UTF-8.
String unescapeText(std::string_view text);
// The components of a structured value (N, ORG), split at unescaped semicolons, unescaped.
std::vector<String> components(std::string_view value);

// Always quoted, with ^ ^^, " ^' and line feed ^n.
std::string quoteParameter(const String& text);
String unquoteParameter(std::string_view text);

// The line and its CRLF, folded at kLineLength octets, never inside a UTF-8 sequence.
void appendFolded(std::string& out, std::string_view line);

// `property` is "TEL", "EMAIL" or "URL".
std::optional<std::string_view> typeForLabel(std::string_view property, const String& label);
// Empty when the type names none of our labels.
String labelForType(std::string_view property, std::string_view lowercaseType);

// Year 0...9999, month 1...12, day 1...31, each optional, at least one set: what BDAY holds.
bool representableBirthday(const DateComponents& birthday);

}  // namespace ov::vcard
