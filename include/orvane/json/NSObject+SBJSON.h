#pragma once
// One-call JSON text for any value, with a fresh writer at the default settings per call (so
// any thread may call). A failure gives none and logs the writer's trace to the system log.
//
//   std::optional<ov::String> text = ov::NSObject_NSObject_SBJSON::JSONRepresentation(reply);

#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov::NSObject_NSObject_SBJSON {

// A dictionary or an array; logs "-JSONRepresentation failed. Error trace is: %@" otherwise.
std::optional<String> JSONRepresentation(const Value& value);
// Any writable value; logs "-JSONFragment failed. Error trace is: %@" on failure.
std::optional<String> JSONFragment(const Value& value);

}  // namespace ov::NSObject_NSObject_SBJSON

// The category's own name, for callers who know it by that.
namespace ov {
namespace NSObject_SBJSON = NSObject_NSObject_SBJSON;
}
