#pragma once
// What a TextDrawingCache keeps: the layout and everything it was made from.

#include <array>
#include <memory>

#include "orvane/platform/ui/drawing/TextDrawingCache.h"
#include "platform/ui/text/TextLayout.h"

namespace ov::ui {

struct TextDrawingCache::Entry {
    // The linear part of the user-to-device transform; Pango lays out for it, not for where
    // the text is placed.
    using Linear = std::array<double, 4>;

    AttributedString text;
    TextBox box;
    Linear linear;
    std::unique_ptr<TextLayout> layout;
    Size size;  // of the visible lines
};

// The layout of `text` in `box` for drawing into `cairo`: the cached one when nothing it was
// made from changed, else a new one that replaces it.
const TextDrawingCache::Entry& laidOutText(std::unique_ptr<TextDrawingCache::Entry>& entry,
                                           cairo_t* cairo, const AttributedString& text,
                                           const TextBox& box);

}  // namespace ov::ui
