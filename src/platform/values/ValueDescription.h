#pragma once
// The platform's description of an error, written by the same walk as values' descriptions, so
// that a long chain of underlying errors is neither recursive nor quadratic.

#include "orvane/platform/values/String.h"

namespace ov {

class Error;

String describeError(const Error& error);

}  // namespace ov
