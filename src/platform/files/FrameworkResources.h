#pragma once
// Where the library's own resources (share/orvane in an install) are, so that an install works
// wherever it is put: moved, or made with `cmake --install --prefix`.

#include <optional>

#include "orvane/platform/values/String.h"

namespace ov {

// The first folder that exists of: the environment variable ORVANE_RESOURCES_DIR; the
// resources beside the file the library's code was loaded from (for the shared library
// <prefix>/lib/liborvane.so, <prefix>/share/orvane; for a program the static library is linked
// into, <prefix>/bin/program, the same); the source tree's resources when that file is in the
// build tree; the install folder configured at build time. None when no folder exists.
std::optional<String> findFrameworkResources();

}  // namespace ov
