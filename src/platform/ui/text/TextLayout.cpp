#include "platform/ui/text/TextLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "platform/ui/text/FontFace.h"
#include "platform/ui/text/SharedFontMap.h"

namespace ov::ui {

namespace {

// Text without a font attribute is Helvetica 12, as on the platform.
Font defaultFont() {
    static const Font font = *Font::fontWithName("Helvetica", 12);
    return font;
}

double toPoints(int pangoUnits) {
    return pangoUnits / double(PANGO_SCALE);
}

int toPango(double points) {
    // Boxes as tall as the largest double saturate instead of overflowing.
    const double units = std::clamp(points * PANGO_SCALE, double(INT_MIN), double(INT_MAX));
    return static_cast<int>(std::lround(units));
}

guint16 toChannel(double component) {
    return static_cast<guint16>(std::lround(std::clamp(component, 0.0, 1.0) * 65535));
}

std::optional<double> numberIn(const Value& value) {
    if (auto flag = value.ifBool()) return *flag ? 1.0 : 0.0;
    if (const Number* number = value.ifNumber()) return number->doubleValue();
    return std::nullopt;
}

void setUnlinearMetrics(PangoContext* context) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    // Whole-pixel glyph positions would make sizes depend on the scale drawn at.
    pango_context_set_round_glyph_positions(context, FALSE);
}

// One per thread: Pango contexts and font maps are not shared between threads.
PangoContext* measuringContext() {
    struct Owned {
        PangoContext* context;
        Owned() {
            ensureFontconfigLoaded();
            context = pango_font_map_create_context(pango_cairo_font_map_get_default());
            setUnlinearMetrics(context);
        }
        ~Owned() { g_object_unref(context); }
    };
    thread_local Owned owned;
    return owned.context;
}

void insert(PangoAttrList* list, PangoAttribute* attribute, guint start, guint end) {
    attribute->start_index = start;
    attribute->end_index = end;
    pango_attr_list_insert(list, attribute);
}

void addColor(PangoAttrList* list, const Color::RGBA& color, double alpha, guint start, guint end,
              bool background) {
    const guint16 red = toChannel(color.red), green = toChannel(color.green),
                  blue = toChannel(color.blue), opacity = toChannel(color.alpha * alpha);
    insert(list,
           background ? pango_attr_background_new(red, green, blue)
                      : pango_attr_foreground_new(red, green, blue),
           start, end);
    // Pango reads an alpha of 0 as "not set", so the faintest alpha stands for none.
    insert(list,
           background ? pango_attr_background_alpha_new(std::max<guint16>(opacity, 1))
                      : pango_attr_foreground_alpha_new(std::max<guint16>(opacity, 1)),
           start, end);
}

void addRunAttributes(PangoAttrList* list, const Dictionary& attributes, const TextBox& box,
                      guint start, guint end) {
    if (const auto font = Font::fromValue(attributes.objectForKey(NSFontAttributeName))) {
        PangoFontDescription* description = FontAccess::newDescription(*font);
        insert(list, pango_attr_font_desc_new(description), start, end);
        pango_font_description_free(description);
    }
    Color::RGBA color{0, 0, 0, 1};
    if (const auto given =
            Color::fromValue(attributes.objectForKey(NSForegroundColorAttributeName))) {
        color = given->rgba();
    }
    if (numberIn(attributes.objectForKey(kCTForegroundColorFromContextAttributeName)).value_or(0)) {
        color = box.contextColor;
    }
    addColor(list, color, box.alpha, start, end, false);
    if (const auto background =
            Color::fromValue(attributes.objectForKey(NSBackgroundColorAttributeName))) {
        addColor(list, background->rgba(), box.alpha, start, end, true);
    }
    if (const auto kern = numberIn(attributes.objectForKey(NSKernAttributeName))) {
        insert(list, pango_attr_letter_spacing_new(toPango(*kern)), start, end);
    }
    if (numberIn(attributes.objectForKey(NSUnderlineStyleAttributeName)).value_or(0) != 0) {
        insert(list, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), start, end);
    }
    if (numberIn(attributes.objectForKey(NSStrikethroughStyleAttributeName)).value_or(0) != 0) {
        insert(list, pango_attr_strikethrough_new(TRUE), start, end);
    }
}

PangoAlignment pangoAlignment(NSTextAlignment alignment) {
    switch (alignment) {
        case NSTextAlignmentCenter:
            return PANGO_ALIGN_CENTER;
        case NSTextAlignmentRight:
            return PANGO_ALIGN_RIGHT;
        default:
            return PANGO_ALIGN_LEFT;
    }
}

PangoEllipsizeMode ellipsizeMode(NSLineBreakMode mode, bool truncateLastLine) {
    switch (mode) {
        case NSLineBreakByTruncatingHead:
            return PANGO_ELLIPSIZE_START;
        case NSLineBreakByTruncatingMiddle:
            return PANGO_ELLIPSIZE_MIDDLE;
        case NSLineBreakByTruncatingTail:
            return PANGO_ELLIPSIZE_END;
        default:
            return truncateLastLine ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE;
    }
}

// The line height the style asks for, or nullopt for the font's own.
std::optional<double> styledLineHeight(const ParagraphStyle& style, const Font& font) {
    const double natural = font.lineHeight();
    double height = natural * (style.lineHeightMultiple > 0 ? style.lineHeightMultiple : 1);
    if (style.minimumLineHeight > 0) height = std::max(height, style.minimumLineHeight);
    if (style.maximumLineHeight > 0) height = std::min(height, style.maximumLineHeight);
    if (std::abs(height - natural) < 1e-9) return std::nullopt;
    return height;
}

// Whether every line, none truncated, fits within `height` points.
bool fitsWhole(PangoLayout* layout, double height) {
    const PangoEllipsizeMode mode = pango_layout_get_ellipsize(layout);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    pango_layout_set_ellipsize(layout, mode);
    return toPoints(logical.height) <= height + 1e-6;
}

// UTF-16 units in the UTF-8 text before `byteIndex`.
size_t utf16Offset(const char* utf8, int byteIndex) {
    size_t units = 0;
    for (int i = 0; i < byteIndex; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) == 0x80) continue;
        units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

}  // namespace

TextLayout::TextLayout(const AttributedString& text, const TextBox& box) : m_box(box) {
    build(measuringContext(), text);
}

TextLayout::TextLayout(cairo_t* cairo, const AttributedString& text, const TextBox& box)
    : m_box(box) {
    ensureFontconfigLoaded();
    PangoContext* context = pango_cairo_create_context(cairo);
    setUnlinearMetrics(context);
    build(context, text);
    g_object_unref(context);
}

TextLayout::~TextLayout() {
    if (m_layout) g_object_unref(m_layout);
}

void TextLayout::build(PangoContext* context, const AttributedString& text) {
    m_layout = pango_layout_new(context);
    std::string utf8;
    PangoAttrList* list = pango_attr_list_new();
    text.enumerateAttributesInRange(
        {0, text.length()}, [&](const Dictionary& attributes, Range range, bool&) {
            const guint start = static_cast<guint>(utf8.size());
            utf8 += text.string().substring(range.location, range.length).toUtf8();
            addRunAttributes(list, attributes, m_box, start, static_cast<guint>(utf8.size()));
        });
    pango_layout_set_text(m_layout, utf8.c_str(), static_cast<int>(utf8.size()));
    pango_layout_set_attributes(m_layout, list);
    pango_attr_list_unref(list);

    const Dictionary first = text.attributesAtIndex(0);
    const Font font =
        Font::fromValue(first.objectForKey(NSFontAttributeName)).value_or(defaultFont());
    PangoFontDescription* description = FontAccess::newDescription(defaultFont());
    pango_layout_set_font_description(m_layout, description);
    pango_font_description_free(description);

    const ParagraphStyle style =
        ParagraphStyle::fromValue(first.objectForKey(NSParagraphStyleAttributeName))
            .value_or(ParagraphStyle{});
    pango_layout_set_alignment(m_layout, pangoAlignment(style.alignment));
    pango_layout_set_justify(m_layout, style.alignment == NSTextAlignmentJustified);
    pango_layout_set_spacing(m_layout, toPango(style.lineSpacing));
    m_indent = std::max(0.0, style.headIndent);
    pango_layout_set_indent(m_layout, toPango(style.firstLineHeadIndent - m_indent));
    if (const auto height = styledLineHeight(style, font)) {
        PangoAttrList* attributes = pango_layout_get_attributes(m_layout);
        pango_attr_list_insert_before(attributes,
                                      pango_attr_line_height_new_absolute(toPango(*height)));
    }
    if (m_box.width >= 0) {
        pango_layout_set_width(m_layout, toPango(std::max(0.0, m_box.width - m_indent)));
        pango_layout_set_wrap(m_layout, style.lineBreakMode == NSLineBreakByCharWrapping
                                            ? PANGO_WRAP_CHAR
                                            : PANGO_WRAP_WORD_CHAR);
        pango_layout_set_ellipsize(m_layout,
                                   ellipsizeMode(style.lineBreakMode, m_box.truncateLastLine));
        if (m_box.numberOfLines > 0) {
            pango_layout_set_height(m_layout, -static_cast<int>(m_box.numberOfLines));
        } else if (m_box.height >= 0) {
            // Pango guesses whether the next line fits from the height of the line before,
            // so a smaller line after a taller one would go even where it fits: a box the
            // whole text fits in sets no real limit.
            pango_layout_set_height(
                m_layout, fitsWhole(m_layout, m_box.height) ? G_MAXINT / 2 : toPango(m_box.height));
        }
    }
}

size_t TextLayout::visibleLineCount() const {
    const int lines = pango_layout_get_line_count(m_layout);
    size_t visible = 0;
    PangoLayoutIter* iterator = pango_layout_get_iter(m_layout);
    do {
        if (m_box.numberOfLines > 0 && visible == m_box.numberOfLines) break;
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iterator, nullptr, &logical);
        const double bottom = toPoints(logical.y + logical.height);
        if (visible > 0 && m_box.height >= 0 && bottom > m_box.height + 1e-6) break;
        ++visible;
    } while (pango_layout_iter_next_line(iterator));
    pango_layout_iter_free(iterator);
    return std::min<size_t>(visible, static_cast<size_t>(std::max(lines, 1)));
}

Size TextLayout::size() const {
    const size_t visible = visibleLineCount();
    double width = 0;
    double bottom = 0;
    PangoLayoutIter* iterator = pango_layout_get_iter(m_layout);
    size_t line = 0;
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iterator, nullptr, &logical);
        width = std::max(width, toPoints(logical.width));
        bottom = toPoints(logical.y + logical.height);
    } while (++line < visible && pango_layout_iter_next_line(iterator));
    pango_layout_iter_free(iterator);
    return {width + m_indent, bottom};
}

double TextLayout::firstBaseline() const {
    return toPoints(pango_layout_get_baseline(m_layout));
}

std::vector<LineExtent> TextLayout::lines() const {
    const char* utf8 = pango_layout_get_text(m_layout);
    std::vector<LineExtent> lines;
    PangoLayoutIter* iterator = pango_layout_get_iter(m_layout);
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iterator, nullptr, &logical);
        const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iterator);
        LineExtent extent;
        extent.range.location = utf16Offset(utf8, line->start_index);
        extent.box = {toPoints(logical.x) + m_indent, toPoints(logical.y), toPoints(logical.width),
                      toPoints(logical.height)};
        extent.baseline = toPoints(pango_layout_iter_get_baseline(iterator));
        lines.push_back(extent);
    } while (pango_layout_iter_next_line(iterator));
    pango_layout_iter_free(iterator);
    const size_t total = utf16Offset(utf8, static_cast<int>(std::strlen(utf8)));
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t end = i + 1 < lines.size() ? lines[i + 1].range.location : total;
        lines[i].range.length = end - lines[i].range.location;
    }
    return lines;
}

size_t TextLayout::indexAtX(double x) const {
    const PangoLayoutLine* line = pango_layout_get_line_readonly(m_layout, 0);
    if (!line) return 0;
    int byteIndex = 0;
    int trailing = 0;
    pango_layout_line_x_to_index(const_cast<PangoLayoutLine*>(line), toPango(x - m_indent),
                                 &byteIndex, &trailing);
    const char* utf8 = pango_layout_get_text(m_layout);
    return utf16Offset(utf8, byteIndex);
}

void TextLayout::show(cairo_t* cairo) const {
    cairo_rel_move_to(cairo, m_indent, 0);
    pango_cairo_show_layout(cairo, m_layout);
}

}  // namespace ov::ui
