#include "orvane/media/AsyncImageLoader.h"
#include "orvane/media/UIImageView+AsyncImageView.h"

namespace ov::UIImageView_AsyncImageView {

// Targets are compared by address, so a view always goes in as its View base.
const AsyncImageSuccess& setImageAction() {
    static const AsyncImageSuccess action{
        "setImage:",
        [](void* target, const std::shared_ptr<Image>& image, const std::optional<URL>&) {
            if (auto* view = dynamic_cast<ui::ImageView*>(static_cast<ui::View*>(target))) {
                view->setImage(image);
            }
        }};
    return action;
}

void setImageURL(ui::ImageView& view, const std::optional<URL>& imageURL) {
    std::shared_ptr<ui::View> owner = view.weak_from_this().lock();
    if (!owner) return;
    AsyncImageLoader::sharedLoader().loadImageWithURL(imageURL, owner, setImageAction());
}

std::optional<URL> imageURL(const ui::ImageView& view) {
    return AsyncImageLoader::sharedLoader().URLForTarget(static_cast<const ui::View*>(&view),
                                                         setImageAction());
}

}  // namespace ov::UIImageView_AsyncImageView
