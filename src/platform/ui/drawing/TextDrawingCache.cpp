#include "orvane/platform/ui/drawing/TextDrawingCache.h"

#include "platform/ui/drawing/TextDrawingCacheEntry.h"

namespace ov::ui {

TextDrawingCache::TextDrawingCache() = default;
TextDrawingCache::~TextDrawingCache() = default;

namespace {

TextDrawingCache::Entry::Linear linearPart(cairo_t* cairo) {
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo, &matrix);
    return {matrix.xx, matrix.yx, matrix.xy, matrix.yy};
}

}  // namespace

const TextDrawingCache::Entry& laidOutText(std::unique_ptr<TextDrawingCache::Entry>& entry,
                                           cairo_t* cairo, const AttributedString& text,
                                           const TextBox& box) {
    const auto linear = linearPart(cairo);
    if (entry && entry->box == box && entry->linear == linear && entry->text == text) return *entry;
    auto layout = std::make_unique<TextLayout>(cairo, text, box);
    const Size size = layout->size();
    entry.reset(new TextDrawingCache::Entry{text, box, linear, std::move(layout), size});
    return *entry;
}

}  // namespace ov::ui
