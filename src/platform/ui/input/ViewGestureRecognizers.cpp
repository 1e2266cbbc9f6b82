// The recognisers attached to each view, kept beside the view tree. A view's layer tells
// whether the view is alive (the view detaches itself from the layer when it goes), so this
// works from a view's constructor, before any shared_ptr owns it; entries of gone views are
// dropped the next time the table changes.

#include <algorithm>
#include <unordered_map>

#include "orvane/platform/ui/input/GestureRecognizer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

namespace {

struct Attached {
    std::weak_ptr<Layer> layer;
    std::vector<std::shared_ptr<GestureRecognizer>> recognizers;
};

std::unordered_map<const View*, Attached>& table() {
    static std::unordered_map<const View*, Attached> attached;
    return attached;
}

bool isAlive(const View* view, const Attached& entry) {
    const auto layer = entry.layer.lock();
    return layer && layer->delegate() == static_cast<const LayerDelegate*>(view);
}

void dropGoneViews() {
    std::erase_if(table(), [](const auto& entry) { return !isAlive(entry.first, entry.second); });
}

Attached* entryFor(const View& view) {
    const auto found = table().find(&view);
    if (found == table().end()) return nullptr;
    // A new view at a gone one's address does not inherit its recognisers.
    if (!isAlive(&view, found->second)) {
        table().erase(found);
        return nullptr;
    }
    return &found->second;
}

}  // namespace

void addGestureRecognizer(View& view, std::shared_ptr<GestureRecognizer> recognizer) {
    if (!recognizer) return;
    if (View* previous = recognizer->view()) removeGestureRecognizer(*previous, *recognizer);
    dropGoneViews();
    Attached* entry = entryFor(view);
    if (!entry) entry = &(table()[&view] = Attached{view.layer().weak_from_this(), {}});
    recognizer->attachToView(&view);
    entry->recognizers.push_back(std::move(recognizer));
}

void removeGestureRecognizer(View& view, const GestureRecognizer& recognizer) {
    Attached* entry = entryFor(view);
    if (!entry) return;
    auto& list = entry->recognizers;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const auto& r) { return r.get() == &recognizer; });
    if (found == list.end()) return;
    const auto removed = *found;
    list.erase(found);
    removed->attachToView(nullptr);
}

std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers(const View& view) {
    const Attached* entry = entryFor(view);
    return entry ? entry->recognizers : std::vector<std::shared_ptr<GestureRecognizer>>{};
}

}  // namespace ov::ui
