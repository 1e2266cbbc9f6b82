#pragma once
// Writes an error's descriptions to the system log, one entry each, whatever the client's
// log type.

#include "orvane/platform/values/Error.h"

namespace ov::NSError_NSError {

// Seven entries: "error %@", "error.description %@", ..., "error.localizedRecoverySuggestion %@".
void LogError(const Error& error);
// "error %@", then six entries with the error in front: "error %@: description %@", ...
void log(const Error& error);

}  // namespace ov::NSError_NSError
