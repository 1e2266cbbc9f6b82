#pragma once
// Reads localisation tables: the platform's old-style "key" = "value"; text files.
//
//   /* Greeting on the first screen */
//   "hello" = "Hello, %@!";
//   "tab" = "one\ttwo";        // escapes: \n \t \r \" \\ \' \a \b \f \v \ooo \UXXXX
//   "ok";                      // a key alone stands for itself
//   plain_key = bare.value;    // unquoted words are allowed
//
// The bytes may be UTF-8 (with or without a byte-order mark) or UTF-16 (either byte order,
// with a byte-order mark, or recognised by a leading zero byte). An optional pair of braces
// may enclose the entries. The last of repeated keys wins.
//
//   ov::Result<ov::Dictionary> table = ov::StringsTable::parse(data);
//   if (table) label = table.value().objectForKey("hello").asString();

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class StringsTable {
  public:
    // Keys map to string values, in file order. Malformed text gives an error in
    // NSCocoaErrorDomain (code 3840) whose debug description names the line.
    static Result<Dictionary> parse(const Data& data);
    // A missing or unreadable file gives an error as well (code 260).
    static Result<Dictionary> parseFile(const String& path);
};

}  // namespace ov
