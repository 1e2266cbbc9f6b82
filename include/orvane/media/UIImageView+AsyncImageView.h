#pragma once
// Gives any image view an address: the shared loader loads it and sets the image through the
// view's setImage (the success action "setImage:"). The view must be owned by a shared_ptr,
// which the loader holds until the load ends.
//
//   ov::UIImageView_AsyncImageView::setImageURL(*imageView, url);
//   ov::UIImageView_AsyncImageView::imageURL(*imageView);   // while it loads

#include <optional>

#include "orvane/media/AsyncImageNames.h"
#include "orvane/platform/ui/views/ImageView.h"

namespace ov::UIImageView_AsyncImageView {

// The action the view's loads are queued with.
const AsyncImageSuccess& setImageAction();

void setImageURL(ui::ImageView& view, const std::optional<URL>& imageURL);
std::optional<URL> imageURL(const ui::ImageView& view);

}  // namespace ov::UIImageView_AsyncImageView
