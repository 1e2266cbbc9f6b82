#include "orvane/components/UIView+OVUIViewFonts.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/SegmentedControl.h"
#include "orvane/platform/ui/views/TextField.h"
#include "orvane/platform/ui/views/TextView.h"

namespace ov::UIView_OVUIViewFonts {

namespace {

// Views that take a font at their own current size.
template <class Kind>
bool restyle(ui::View& view, const String& family) {
    auto* kind = dynamic_cast<Kind*>(&view);
    if (!kind) return false;
    if (auto font = ui::Font::fontWithName(family, kind->font().pointSize())) kind->setFont(*font);
    return true;
}

bool restyleButton(ui::View& view, const String& family) {
    auto* button = dynamic_cast<ui::Button*>(&view);
    if (!button) return false;
    if (auto font = ui::Font::fontWithName(family, button->font().pointSize()))
        button->titleLabel().setFont(*font);
    return true;
}

bool restyleSegments(ui::View& view, const String& family) {
    if (!dynamic_cast<ui::SegmentedControl*>(&view)) return false;
    for (const auto& segment : view.subviews()) {
        for (const auto& part : segment->subviews()) {
            if (auto* label = dynamic_cast<ui::Label*>(part.get()))
                restyle<ui::Label>(*label, family);
        }
    }
    return true;
}

// The view's own kind, the first that fits in this order, decides what changes.
void restyleItself(ui::View& view, const String& family) {
    if (restyle<ui::Label>(view, family)) return;
    if (restyleButton(view, family)) return;
    if (restyle<ui::TextField>(view, family)) return;
    if (restyle<ui::TextView>(view, family)) return;
    restyleSegments(view, family);
}

void apply(ui::View& view, const String& family, bool andSubViews) {
    restyleItself(view, family);
    if (!andSubViews) return;
    // A copy: a restyled view may lay out and change its subviews.
    const auto subviews = view.subviews();
    for (const auto& subview : subviews)
        apply(*subview, family, andSubViews);
}

}  // namespace

void setFontFamily(ui::View& view, const String& fontFamily, bool andSubViews) {
    if (!ui::Font::fontWithName(fontFamily, ui::Font::labelFontSize())) return;
    apply(view, fontFamily, andSubViews);
}

}  // namespace ov::UIView_OVUIViewFonts
