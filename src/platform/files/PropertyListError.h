#pragma once
// The failures of the property-list readers and writers, and what the writers share about
// values that have no property-list form. Internal to the platform layer.

#include <string>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Value.h"

namespace ov::plist {

Error readError(const std::string& reason);
Error writeError(const std::string& reason);

// Why the absent value, the null marker or an object cannot be written.
Error unwritableError(const Value& value);

}  // namespace ov::plist
