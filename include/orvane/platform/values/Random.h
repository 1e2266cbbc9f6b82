#pragma once
// The platform's random source: cryptographically strong numbers from the kernel (getrandom),
// safe to call from any thread.
//
//   uint32_t word = ov::arc4random();
//   uint32_t die = ov::arc4random_uniform(6) + 1;  // 1...6, no modulo bias

#include <cstdint>

namespace ov {

uint32_t arc4random();
// Uniform in [0, upperBound); 0 for an upper bound below 2.
uint32_t arc4random_uniform(uint32_t upperBound);

}  // namespace ov
