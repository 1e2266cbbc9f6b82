#include "orvane/core/NSError+NSError.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSError_NSError {

void LogError(const Error& error) {
    systemLog("error %@", error);
    systemLog("error.description %@", error.description());
    systemLog("error.debugDescription %@", error.debugDescription());
    systemLog("error.localizedDescription %@", error.localizedDescription());
    systemLog("error.localizedFailureReason %@", error.localizedFailureReason());
    systemLog("error.localizedRecoveryOptions %@", error.localizedRecoveryOptions());
    systemLog("error.localizedRecoverySuggestion %@", error.localizedRecoverySuggestion());
}

void log(const Error& error) {
    systemLog("error %@", error);
    systemLog("error %@: description %@", error, error.description());
    systemLog("error %@: debugDescription %@", error, error.debugDescription());
    systemLog("error %@: localizedDescription %@", error, error.localizedDescription());
    systemLog("error %@: localizedFailureReason %@", error, error.localizedFailureReason());
    systemLog("error %@: localizedRecoveryOptions %@", error, error.localizedRecoveryOptions());
    systemLog("error %@: localizedRecoverySuggestion %@", error,
              error.localizedRecoverySuggestion());
}

}  // namespace ov::NSError_NSError
