#pragma once
// Internal: the main bundle's image "<code>.png", decoded once per bundle, screen scale and
// code and then shared (images never change). Misses are remembered too, since looking for a
// missing image probes many file names. Thread-safe.

#include <memory>

#include "orvane/platform/files/Image.h"

namespace ov::flag_images {

std::shared_ptr<Image> flagForCode(const String& code);

}  // namespace ov::flag_images
