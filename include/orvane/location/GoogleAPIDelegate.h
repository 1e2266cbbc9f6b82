#pragma once
// What GoogleAPI's postal-code check tells its owner. Every operation is sent unasked, on the
// main thread, with the country code the caller passed in.

#include <optional>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/String.h"

namespace ov {

class GoogleAPIDelegate {
  public:
    virtual ~GoogleAPIDelegate() = default;
    // The request did not complete or its reply is unreadable; the error may be absent.
    virtual void googleZipFailedWithError(const std::optional<Error>& error) = 0;
    virtual void googleZipCodeExistIn(const String& countryCode) = 0;
    virtual void googleZipCodeNotExistIn(const String& countryCode) = 0;
};

}  // namespace ov
