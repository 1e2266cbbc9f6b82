#pragma once
// A media time as a rational number of seconds (the platform's CMTime): `value` / `timescale`.
// A time scale of 0 marks a time the platform cannot give (kCMTimeInvalid), such as the length
// of something that is not media.
//
//   ov::CMTime third = ov::CMTimeMake(1, 3);
//   ov::CMTimeGetSeconds(third);                  // 0.333...
//   ov::CMTimeMakeWithSeconds(2.5, 60000).value;  // 150000

#include <cmath>
#include <cstdint>
#include <limits>

namespace ov {

struct CMTime {
    int64_t value = 0;
    int32_t timescale = 0;

    bool isValid() const { return timescale > 0; }
    friend bool operator==(const CMTime&, const CMTime&) = default;
};

inline constexpr CMTime kCMTimeZero{0, 1};
inline constexpr CMTime kCMTimeInvalid{0, 0};

inline CMTime CMTimeMake(int64_t value, int32_t timescale) {
    return {value, timescale};
}

// Rounded to the nearest step of the scale; a non-finite number of seconds gives no time.
inline CMTime CMTimeMakeWithSeconds(double seconds, int32_t preferredTimescale) {
    if (!std::isfinite(seconds) || preferredTimescale <= 0) return kCMTimeInvalid;
    return {static_cast<int64_t>(std::llround(seconds * preferredTimescale)), preferredTimescale};
}

// NaN for an invalid time.
inline double CMTimeGetSeconds(CMTime time) {
    if (!time.isValid()) return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(time.value) / time.timescale;
}

}  // namespace ov
