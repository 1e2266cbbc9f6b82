#pragma once
// The gallery's page of the dropdown menu: closed, open, and open with several rows selected.

#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace orvane::dropdown {

std::shared_ptr<ov::ui::View> menusPicture();

}  // namespace orvane::dropdown
