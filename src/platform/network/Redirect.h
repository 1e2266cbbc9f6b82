#pragma once
// Following redirects one hop at a time, so that each hop decides what goes along.

#include "orvane/platform/network/URL.h"
#include "orvane/platform/network/URLRequest.h"
#include "orvane/platform/values/Result.h"

namespace ov {

// Same scheme, host and port; a missing port is the scheme's default.
bool sameOrigin(const URL& left, const URL& right);

// The request to send after `request` was answered with `statusCode` and a Location that
// resolves to `target`. A 303 (except to a HEAD), and a 301 or 302 to a POST or GET, becomes a
// GET without body; other redirects keep method and body. Credential fields stay behind when
// the target is of another origin. Fails for a target the platform cannot load, or one that
// would leave https for plain http.
Result<URLRequest> redirectedRequest(const URLRequest& request, int statusCode,
                                     const String& target);

}  // namespace ov
