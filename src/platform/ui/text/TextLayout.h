#pragma once
// Lays styled text out with Pango, for measuring and for drawing, so both agree.

#include <pango/pangocairo.h>

#include <optional>
#include <vector>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/AttributedString.h"

namespace ov::ui {

struct TextBox {
    // Points; below 0 means no limit. A width turns line breaking on.
    double width = -1;
    double height = -1;
    size_t numberOfLines = 0;  // 0: no limit
    bool truncateLastLine = false;
    // Used for text marked to take the context's colour.
    Color::RGBA contextColor{0, 0, 0, 1};
    // Multiplies every colour's alpha.
    double alpha = 1;

    friend bool operator==(const TextBox&, const TextBox&) = default;
};

// One laid-out line: its text (UTF-16, the line break that ends it included) and its box, in
// points from the top left of the layout.
struct LineExtent {
    Range range;
    Rect box;
    double baseline = 0;  // from the top of the layout
};

class TextLayout {
  public:
    // Uses the thread's measuring context.
    TextLayout(const AttributedString& text, const TextBox& box);
    // Lays out for drawing into `cairo` (its transform and font options).
    TextLayout(cairo_t* cairo, const AttributedString& text, const TextBox& box);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // The lines that are shown: no more than numberOfLines, and those that fit the height
    // (at least one).
    size_t visibleLineCount() const;
    // The size the visible lines take, from the top of the first.
    Size size() const;
    // Distance from the top to the first baseline.
    double firstBaseline() const;
    // Every line, shown or not.
    std::vector<LineExtent> lines() const;
    // The UTF-16 index of the character drawn at `x` on the first line (the first or last
    // one beyond the line's ends).
    size_t indexAtX(double x) const;
    // Draws with the top left of the first line at the current point.
    void show(cairo_t* cairo) const;

  private:
    void build(PangoContext* context, const AttributedString& text);

    TextBox m_box;
    double m_indent = 0;  // head indent, applied as an offset
    PangoLayout* m_layout = nullptr;
};

}  // namespace ov::ui
