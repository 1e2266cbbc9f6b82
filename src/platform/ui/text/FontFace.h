#pragma once
// What a Font is made of, inside the platform layer: the platform's names for the face, the
// installed family that draws it, and its metrics at a size of one point.

#include <pango/pango.h>

#include <memory>
#include <optional>

#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

struct FontMetrics {
    double ascender = 0;   // positive
    double descender = 0;  // negative
    double capHeight = 0;
    double xHeight = 0;
};

// Weights in the platform's order, lightest first.
inline constexpr int kWeightCount = 9;
inline constexpr double kPlatformWeights[kWeightCount] = {
    UIFontWeightUltraLight, UIFontWeightThin,   UIFontWeightLight,
    UIFontWeightRegular,    UIFontWeightMedium, UIFontWeightSemibold,
    UIFontWeightBold,       UIFontWeightHeavy,  UIFontWeightBlack};
inline constexpr int kRegularWeight = 3;
inline constexpr int kBoldWeight = 6;

struct Font::Face {
    String name;                  // "HelveticaNeue-Medium"
    String stem;                  // "HelveticaNeue", for names of other weights
    String family;                // "Helvetica Neue"
    String installedFamily;       // "Liberation Sans"
    int weight = kRegularWeight;  // index into kPlatformWeights
    bool italic = false;
    FontMetrics metrics;
};

// Fills in everything but the metrics from a platform or installed name; nullopt when no
// installed family answers to it.
std::optional<Font::Face> faceNamed(const String& name);
// The system font's face of a weight index.
Font::Face systemFace(int weight, bool italic);
// The same family at another weight, named as the platform would.
Font::Face faceWithWeight(const Font::Face& face, int weight);
// Metrics of a face at one point, from the installed font; cached per face.
FontMetrics metricsOf(const Font::Face& face);
// Pango's weight for a weight index.
PangoWeight pangoWeight(int weight);

// A new Pango description of the font (absolute size in points); the caller frees it.
class FontAccess {
  public:
    static PangoFontDescription* newDescription(const Font& font);
    static const Font::Face& face(const Font& font) { return *font.m_face; }
};

}  // namespace ov::ui
