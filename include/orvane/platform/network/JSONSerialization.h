#pragma once
// The platform's own JSON reader and writer (NSJSONSerialization): bytes in, Value out, and
// back. Reading is strict RFC 8259 over UTF-8: no comments, no trailing commas, no NaN or
// Infinity, nothing but whitespace after the top value. Objects become Dictionary in document
// order (a repeated key keeps its first position and its last value), JSON null becomes the
// null marker, integers that fit stay integers and everything else becomes a double.
//
// Every failure is Error(NSCocoaErrorDomain, 3840) with the reason under
// NSDebugDescriptionErrorKey, e.g. "Invalid value around line 1, column 0." (lines count from 1,
// columns from 0, in characters).
//
//   ov::Result<ov::Value> reply = ov::JSONSerialization::JSONObjectWithData(body);
//   if (!reply) log(reply.error().userInfo().objectForKey(ov::NSDebugDescriptionErrorKey));
//   ov::Result<ov::Data> text = ov::JSONSerialization::dataWithJSONObject(
//       ov::Dictionary{{"a", 1}}, {.prettyPrinted = true});  // "{\n  \"a\" : 1\n}"
//
// Neither direction recurses. Reading refuses nesting deeper than kMaxReadingDepth, because
// Value's own operations (destruction, comparison, description) do recurse; writing has no limit.
//
// Choices where the platform leaves room: a number too large for a double ("1e400") is an
// error ("Number wound up as NaN around line L, column C."); "-0" reads as the double -0.0;
// input with a UTF-16 or UTF-32 byte order mark is refused like invalid UTF-8; a UTF-8 byte
// order mark is skipped. The writer writes "/" as "\/", doubles in the shortest text that
// reads back the same (integral ones without a fraction, "3", below 2^53 and with an exponent
// above), and an empty container in pretty output as "[\n\n]" as the platform does.

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {

struct JSONReadingOptions {
    // Accept a string, number, boolean or null as the top-level value.
    bool fragmentsAllowed = false;
};

struct JSONWritingOptions {
    // Two-space indentation, one element per line, " : " between key and value.
    bool prettyPrinted = false;
    // Dictionary keys in UTF-16 code-unit order rather than insertion order.
    bool sortedKeys = false;
    // Allow a top-level value that is not an array or a dictionary.
    bool fragmentsAllowed = false;
};

class JSONSerialization {
  public:
    static constexpr long long kErrorCode = 3840;
    // Arrays and dictionaries nested deeper than this fail to read ("Too many nested arrays or
    // dictionaries around line L, column C.").
    static constexpr size_t kMaxReadingDepth = 512;

    static Result<Value> JSONObjectWithData(const Data& data, JSONReadingOptions options = {});
    // Writes arrays, dictionaries, strings, finite numbers, decimals, booleans, the null marker
    // and objects that give a JSON proxy; anything else fails with "Invalid type in JSON write
    // (<class name>)".
    static Result<Data> dataWithJSONObject(const Value& value, JSONWritingOptions options = {});
    // True when the top level is an array or dictionary and dataWithJSONObject would succeed.
    static bool isValidJSONObject(const Value& value);
};

}  // namespace ov
