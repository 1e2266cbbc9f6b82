#include "platform/ui/text/SharedFontMap.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

namespace ov::ui {

void ensureFontconfigLoaded() {
    static std::once_flag loaded;
    std::call_once(loaded, [] { FcInit(); });
}

SharedFontMap::SharedFontMap() {
    ensureFontconfigLoaded();
    m_map = pango_cairo_font_map_new();
}

SharedFontMap& SharedFontMap::instance() {
    // Never destroyed: text may still be measured by work that runs while the process exits.
    static auto* shared = new SharedFontMap();
    return *shared;
}

}  // namespace ov::ui
