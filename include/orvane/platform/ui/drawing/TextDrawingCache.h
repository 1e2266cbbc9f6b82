#pragma once
// Text laid out for drawing, kept between draws by a view that draws the same text again (a
// label redrawn on every frame of an animation). GraphicsContext::drawText reuses the layout
// while the text, the box's size, the options, the line limit, the fill colour, the alpha and
// the transform's scale and rotation all stay as they were, and lays the text out afresh as
// soon as one of them differs; what is drawn is the same either way.
//
//   ov::ui::TextDrawingCache m_textCache;            // a member of the view
//   context.drawText(text, box, options, lines, m_textCache);
//
// One thread at a time, like the contexts it is used with.

#include <memory>

namespace ov::ui {

class TextDrawingCache {
  public:
    TextDrawingCache();
    ~TextDrawingCache();
    TextDrawingCache(const TextDrawingCache&) = delete;
    TextDrawingCache& operator=(const TextDrawingCache&) = delete;

    // What is kept; known inside the library only.
    struct Entry;

  private:
    friend class GraphicsContext;
    std::unique_ptr<Entry> m_entry;
};

}  // namespace ov::ui
