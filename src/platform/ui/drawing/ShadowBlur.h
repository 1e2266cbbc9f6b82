#pragma once
// Blurs an alpha mask in place, close to a Gaussian of the given standard deviation (three box
// passes each way), for drop shadows.

#include <cstdint>
#include <vector>

namespace ov::ui {

void blurAlpha(std::vector<uint8_t>& alpha, int width, int height, double sigma);

}  // namespace ov::ui
