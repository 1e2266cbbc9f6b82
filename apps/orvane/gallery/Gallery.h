#pragma once
// The component gallery: one picture per interface component, each in a few states, shared by
// `orvane render gallery` and the demo.

#include <string>
#include <vector>

namespace orvane::gallery {

// Writes <directory>/<component>.png for every component at scale 2 and answers the files
// written; an empty list when the directory cannot be made or written.
std::vector<std::string> writeGallery(const std::string& directory);

}  // namespace orvane::gallery
