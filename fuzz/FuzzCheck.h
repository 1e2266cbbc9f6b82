#pragma once
// A fuzz target's assertion: a property that does not hold stops the run, so libFuzzer keeps
// the input that broke it.

#include <cstdlib>

namespace ov::fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace ov::fuzz
