#include "orvane/platform/values/Random.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdlib>
#include <random>

namespace ov {

uint32_t arc4random() {
    uint32_t word = 0;
    for (;;) {
        const ssize_t got = getrandom(&word, sizeof word, 0);
        if (got == static_cast<ssize_t>(sizeof word)) return word;
        if (got < 0 && errno != EINTR) break;
    }
    // Kernels without getrandom: the library's own strong source.
    static thread_local std::random_device device;
    return device();
}

uint32_t arc4random_uniform(uint32_t upperBound) {
    if (upperBound < 2) return 0;
    // Reject the low values that would make some results more likely: 2^32 mod upperBound.
    const uint32_t minimum = -upperBound % upperBound;
    for (;;) {
        const uint32_t word = arc4random();
        if (word >= minimum) return word % upperBound;
    }
}

}  // namespace ov
