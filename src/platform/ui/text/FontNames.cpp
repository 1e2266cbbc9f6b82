// The platform's font names, mapped onto the families installed here.
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string>
#include <string_view>

#include "platform/ui/text/FontFace.h"
#include "platform/ui/text/SharedFontMap.h"

namespace ov::ui {

namespace {

struct KnownFamily {
    std::string_view key;  // lower case, no spaces
    std::string_view stem;
    std::string_view family;
    std::string_view installed;
};

constexpr std::string_view kSans = "Liberation Sans";
constexpr std::string_view kSerif = "Liberation Serif";
constexpr std::string_view kMono = "Liberation Mono";

// Families with metric-compatible stand-ins first; the rest by likeness.
constexpr std::array kKnownFamilies{
    KnownFamily{".sfuitext", ".SFUIText", ".SF UI Text", kSans},
    KnownFamily{".sfuidisplay", ".SFUIDisplay", ".SF UI Display", kSans},
    KnownFamily{"system", ".SFUIText", ".SF UI Text", kSans},
    KnownFamily{"helvetica", "Helvetica", "Helvetica", kSans},
    KnownFamily{"helveticaneue", "HelveticaNeue", "Helvetica Neue", kSans},
    KnownFamily{"arial", "Arial", "Arial", kSans},
    KnownFamily{"arialmt", "Arial", "Arial", kSans},
    KnownFamily{"times", "Times", "Times", kSerif},
    KnownFamily{"timesnewroman", "TimesNewRomanPS", "Times New Roman", kSerif},
    KnownFamily{"timesnewromanps", "TimesNewRomanPS", "Times New Roman", kSerif},
    KnownFamily{"timesnewromanpsmt", "TimesNewRomanPS", "Times New Roman", kSerif},
    KnownFamily{"georgia", "Georgia", "Georgia", kSerif},
    KnownFamily{"courier", "Courier", "Courier", kMono},
    KnownFamily{"couriernew", "CourierNewPS", "Courier New", kMono},
    KnownFamily{"couriernewps", "CourierNewPS", "Courier New", kMono},
    KnownFamily{"couriernewpsmt", "CourierNewPS", "Courier New", kMono},
    KnownFamily{"menlo", "Menlo", "Menlo", "DejaVu Sans Mono"},
    KnownFamily{"verdana", "Verdana", "Verdana", "DejaVu Sans"},
};

constexpr std::array<std::string_view, kWeightCount> kWeightSuffixes{
    "Ultralight", "Thin", "Light", "Regular", "Medium", "Semibold", "Bold", "Heavy", "Black"};

std::string normalized(std::string_view text) {
    std::string key;
    for (char c : text) {
        if (c != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

// Installed families by normalised name; read once, and never destroyed, so that fonts can
// still be made while the process exits.
const std::map<std::string, std::string>& installedFamilies() {
    static const auto* families = SharedFontMap::with([](PangoFontMap* map) {
        auto* found = new std::map<std::string, std::string>();
        PangoFontFamily** list = nullptr;
        int count = 0;
        pango_font_map_list_families(map, &list, &count);
        for (int i = 0; i < count; ++i) {
            const std::string name = pango_font_family_get_name(list[i]);
            found->emplace(normalized(name), name);
        }
        g_free(list);
        return found;
    });
    return *families;
}

// Weight index and slant from a style such as "BoldMT", "LightItalic" or "Medium".
std::pair<int, bool> parseStyle(std::string_view style) {
    const std::string text = normalized(style);
    const auto has = [&text](std::string_view word) {
        return text.find(word) != std::string::npos;
    };
    const bool italic = has("italic") || has("oblique");
    int weight = kRegularWeight;
    if (has("ultralight") || has("extralight")) {
        weight = 0;
    } else if (has("thin")) {
        weight = 1;
    } else if (has("light")) {
        weight = 2;
    } else if (has("medium")) {
        weight = 4;
    } else if (has("semibold") || has("demibold")) {
        weight = 5;
    } else if (has("heavy") || has("extrabold") || has("ultrabold")) {
        weight = 7;
    } else if (has("black")) {
        weight = 8;
    } else if (has("bold")) {
        weight = kBoldWeight;
    }
    return {weight, italic};
}

std::optional<Font::Face> familyFace(const std::string& familyPart) {
    const std::string key = normalized(familyPart);
    for (const auto& known : kKnownFamilies) {
        if (known.key == key) {
            Font::Face face;
            face.stem = String(known.stem);
            face.family = String(known.family);
            face.installedFamily = String(known.installed);
            return face;
        }
    }
    const auto& installed = installedFamilies();
    const auto found = installed.find(key);
    if (found == installed.end()) return std::nullopt;
    Font::Face face;
    face.stem = String(familyPart);
    face.family = String(found->second);
    face.installedFamily = String(found->second);
    return face;
}

}  // namespace

std::optional<Font::Face> faceNamed(const String& name) {
    const std::string text = name.toUtf8();
    if (text.empty()) return std::nullopt;
    // "Family-Style", or a bare family.
    std::optional<Font::Face> face = familyFace(text);
    if (!face) {
        const size_t dash = text.find_last_of('-');
        if (dash == std::string::npos || dash == 0) return std::nullopt;
        face = familyFace(text.substr(0, dash));
        if (!face) return std::nullopt;
        std::tie(face->weight, face->italic) = parseStyle(text.substr(dash + 1));
    }
    face->name = name;
    face->metrics = metricsOf(*face);
    return face;
}

Font::Face systemFace(int weight, bool italic) {
    Font::Face face = *familyFace(".SFUIText");
    face.italic = italic;
    face = faceWithWeight(face, weight);
    return face;
}

Font::Face faceWithWeight(const Font::Face& face, int weight) {
    Font::Face result = face;
    result.weight = std::clamp(weight, 0, kWeightCount - 1);
    std::string suffix;
    if (result.weight != kRegularWeight) suffix = kWeightSuffixes[result.weight];
    if (result.italic) suffix += "Italic";
    result.name = suffix.empty() ? face.stem : face.stem + "-" + String(suffix);
    result.metrics = metricsOf(result);
    return result;
}

PangoWeight pangoWeight(int weight) {
    return static_cast<PangoWeight>(100 * (std::clamp(weight, 0, kWeightCount - 1) + 1));
}

}  // namespace ov::ui
