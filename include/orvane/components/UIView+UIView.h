#pragma once
// Screen capture of a view.
//
//   auto picture = ov::UIView_UIView::captureView(*screen);
//   ov::UIView_UIView::saveScreenshotToPhotosAlbum(*screen);   // into the pictures folder
//
// The "screen" is the key window's bounds, or the view's own when there is no key window. The
// photo album is the user's pictures folder: $XDG_PICTURES_DIR, else ~/Pictures.

#include <memory>
#include <optional>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/String.h"

namespace ov::UIView_UIView {

// The view's layer tree drawn into an image of the screen's size; nullptr for an empty one.
std::shared_ptr<Image> captureView(ui::View& view);
// Writes the capture as a new PNG file and answers its path; none on failure.
std::optional<String> saveScreenshotToPhotosAlbum(ui::View& view);

}  // namespace ov::UIView_UIView
