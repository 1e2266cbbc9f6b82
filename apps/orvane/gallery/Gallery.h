#pragma once
// The component gallery: one picture per interface component, each in a few states, shared by
// `orvane render gallery` and the demo.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Motion.h"
#include "orvane/platform/ui/views/View.h"

namespace orvane::gallery {

// A page of the gallery: one component in a few states.
struct Page {
    using Build = std::function<std::shared_ptr<ov::ui::View>(Motion)>;
    const char* name;
    Build build;
};

// Every page, in the gallery's order.
const std::vector<Page>& pages();

// Writes <directory>/<component>.png for every component at scale 2 and answers the files
// written; an empty list when the directory cannot be made or written.
std::vector<std::string> writeGallery(const std::string& directory);

}  // namespace orvane::gallery
