#pragma once
// The generation of the platform's Foundation this layer behaves like. Code written for the
// platform compares it with the thresholds at which behaviour changed; a host or a test may
// lower it to take an older path.

#include <atomic>

namespace ov {

extern std::atomic<double> NSFoundationVersionNumber;

}  // namespace ov
