#pragma once
// One-call JSON reading of a text, with a fresh parser at the default settings per call (so
// any thread may call). A failure gives the absent value and logs the parser's trace to the
// system log.
//
//   ov::Value reply = ov::NSString_NSString_SBJSON::JSONValue(text);

#include "orvane/platform/values/Value.h"

namespace ov::NSString_NSString_SBJSON {

// A dictionary or an array; logs "-JSONValue failed. Error trace is: %@" otherwise.
Value JSONValue(const String& text);
// Any JSON value; logs "-JSONFragmentValue failed. Error trace is: %@" on failure.
Value JSONFragmentValue(const String& text);

}  // namespace ov::NSString_NSString_SBJSON

// The category's own name, for callers who know it by that.
namespace ov {
namespace NSString_SBJSON = NSString_NSString_SBJSON;
}
