#pragma once
// Internal to the web-service client: log only what the log type selects, and format only then.

#include "orvane/core/OVServer.h"
#include "orvane/platform/values/Format.h"

namespace ov {

inline constexpr unsigned long kRequestSide = 1;
inline constexpr unsigned long kReplySide = 2;

bool serverLogSelects(unsigned long messageType);

template <class... Arguments>
void serverLog(unsigned long messageType, std::string_view format, const Arguments&... arguments) {
    if (serverLogSelects(messageType)) {
        OVServer::logWithMessage(stringWithFormat(format, arguments...), messageType);
    }
}

}  // namespace ov
