#include "platform/ui/drawing/ShadowBlur.h"

#include <algorithm>
#include <cmath>

namespace ov::ui {

namespace {

// One running-sum box pass over `count` values `step` apart; edges read as transparent.
void boxPass(uint8_t* values, int count, int step, int radius, std::vector<uint8_t>& scratch) {
    scratch.resize(count);
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < radius && i < count; ++i)
        sum += values[i * step];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count) sum += values[(i + radius) * step];
        if (i - radius - 1 >= 0) sum -= values[(i - radius - 1) * step];
        scratch[i] = static_cast<uint8_t>((sum + window / 2) / window);
    }
    for (int i = 0; i < count; ++i)
        values[i * step] = scratch[i];
}

}  // namespace

void blurAlpha(std::vector<uint8_t>& alpha, int width, int height, double sigma) {
    if (!(sigma > 0.3)) return;
    // The box width whose three passes have this deviation.
    const double boxWidth = std::sqrt(12 * sigma * sigma / 3 + 1);
    const int radius = std::max(1, static_cast<int>(std::lround((boxWidth - 1) / 2)));
    std::vector<uint8_t> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxPass(alpha.data() + static_cast<size_t>(y) * width, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxPass(alpha.data() + x, height, width, radius, scratch);
    }
}

}  // namespace ov::ui
