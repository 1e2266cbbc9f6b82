#include "orvane/platform/ui/text/Font.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <map>
#include <tuple>

#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Value.h"
#include "platform/ui/text/FontFace.h"
#include "platform/ui/text/SharedFontMap.h"

namespace ov::ui {

namespace {

// Metrics are read at a large size and scaled down, so hinting and rounding do not show.
constexpr double kMeasuringSize = 1000;

double validSize(double size) {
    return std::isfinite(size) && size > 0 ? size : 12;
}

PangoFontDescription* newDescription(const Font::Face& face, double size) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, face.installedFamily.toUtf8().c_str());
    pango_font_description_set_weight(description, pangoWeight(face.weight));
    pango_font_description_set_style(description,
                                     face.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
    return description;
}

double inkHeight(PangoLayout* layout, const char* text) {
    pango_layout_set_text(layout, text, -1);
    PangoRectangle ink;
    pango_layout_get_extents(layout, &ink, nullptr);
    return ink.height / double(PANGO_SCALE) / kMeasuringSize;
}

FontMetrics measure(PangoFontMap* map, const Font::Face& face) {
    PangoContext* context = pango_font_map_create_context(map);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);

    PangoFontDescription* description = newDescription(face, kMeasuringSize);
    PangoFontMetrics* pangoMetrics = pango_context_get_metrics(context, description, nullptr);
    FontMetrics metrics;
    metrics.ascender =
        pango_font_metrics_get_ascent(pangoMetrics) / double(PANGO_SCALE) / kMeasuringSize;
    metrics.descender =
        -pango_font_metrics_get_descent(pangoMetrics) / double(PANGO_SCALE) / kMeasuringSize;
    pango_font_metrics_unref(pangoMetrics);

    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, description);
    metrics.capHeight = inkHeight(layout, "H");
    metrics.xHeight = inkHeight(layout, "x");
    g_object_unref(layout);
    pango_font_description_free(description);
    g_object_unref(context);
    return metrics;
}

}  // namespace

FontMetrics metricsOf(const Font::Face& face) {
    using Key = std::tuple<std::string, int, bool>;
    const Key key{face.installedFamily.toUtf8(), face.weight, face.italic};
    return SharedFontMap::with([&](PangoFontMap* map) {
        // Guarded by the map's lock; never destroyed, like the map.
        static auto* cache = new std::map<Key, FontMetrics>();
        auto found = cache->find(key);
        if (found == cache->end()) found = cache->emplace(key, measure(map, face)).first;
        return found->second;
    });
}

PangoFontDescription* FontAccess::newDescription(const Font& font) {
    return ui::newDescription(*font.m_face, font.pointSize());
}

Font::Font(std::shared_ptr<const Face> face, double size)
    : m_face(std::move(face)), m_size(validSize(size)) {}

std::optional<Font> Font::fontWithName(const String& name, double size) {
    auto face = faceNamed(name);
    if (!face) return std::nullopt;
    return Font(std::make_shared<const Face>(std::move(*face)), size);
}

Font Font::systemFontOfSize(double size, double weight) {
    int nearest = kRegularWeight;
    for (int index = 0; index < kWeightCount; ++index) {
        if (std::abs(kPlatformWeights[index] - weight) <
            std::abs(kPlatformWeights[nearest] - weight)) {
            nearest = index;
        }
    }
    return Font(std::make_shared<const Face>(systemFace(nearest, false)), size);
}

Font Font::boldSystemFontOfSize(double size) {
    return systemFontOfSize(size, UIFontWeightBold);
}

Font Font::italicSystemFontOfSize(double size) {
    return Font(std::make_shared<const Face>(systemFace(kRegularWeight, true)), size);
}

String Font::fontName() const {
    return m_face->name;
}

String Font::familyName() const {
    return m_face->family;
}

String Font::installedFamilyName() const {
    return m_face->installedFamily;
}

double Font::ascender() const {
    return m_face->metrics.ascender * m_size;
}

double Font::descender() const {
    return m_face->metrics.descender * m_size;
}

double Font::capHeight() const {
    return m_face->metrics.capHeight * m_size;
}

double Font::xHeight() const {
    return m_face->metrics.xHeight * m_size;
}

double Font::weight() const {
    return kPlatformWeights[m_face->weight];
}

bool Font::isBold() const {
    return m_face->weight >= kBoldWeight - 1;
}

bool Font::isItalic() const {
    return m_face->italic;
}

Font Font::fontWithSize(double size) const {
    return Font(m_face, size);
}

Font Font::fontWithBoldTrait() const {
    if (isBold()) return *this;
    return Font(std::make_shared<const Face>(faceWithWeight(*m_face, kBoldWeight)), m_size);
}

bool operator==(const Font& left, const Font& right) {
    return left.m_size == right.m_size && left.m_face->name == right.m_face->name &&
           left.m_face->installedFamily == right.m_face->installedFamily;
}

Value Font::toValue() const {
    return Value(std::make_shared<FontObject>(*this));
}

std::optional<Font> Font::fromValue(const Value& value) {
    const auto object = value.ifObjectOf<FontObject>();
    if (!object) return std::nullopt;
    return object->font();
}

String FontObject::description() const {
    return stringWithFormat(
        "%@ font-family: \"%@\"; font-weight: %@; font-style: %@; font-size: %.2fpt",
        Object::description(), m_font.familyName(), m_font.isBold() ? "bold" : "normal",
        m_font.isItalic() ? "italic" : "normal", m_font.pointSize());
}

bool FontObject::isEqual(const Object& other) const {
    const auto* font = dynamic_cast<const FontObject*>(&other);
    return font && font->m_font == m_font;
}

}  // namespace ov::ui
