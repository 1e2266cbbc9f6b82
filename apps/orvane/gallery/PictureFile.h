#pragma once
// Writes one view as a PNG file for the `orvane render ...` commands.

#include <string>

#include "orvane/platform/ui/views/View.h"

namespace orvane::cli {

// Draws `view` at `scale` into the file `path`. Answers the exit status: 0, or 1 after saying
// on standard error what went wrong (a picture too large to draw, a file that cannot be written).
int writePictureFile(ov::ui::View& view, double scale, const std::string& path);

}  // namespace orvane::cli
