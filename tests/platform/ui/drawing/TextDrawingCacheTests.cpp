#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <utility>
#include <vector>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/drawing/TextDrawingCache.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov::ui {
namespace {

// Everything a drawing of text depends on.
struct TextLook {
    String words = "wrap these words please";
    Font font = Font::systemFontOfSize(12);
    Rect box{4, 4, 60, 50};
    size_t lines = 0;
    Color fill = Color::redColor();
    double alpha = 1;
    double scale = 1;
    double turn = 0;  // radians about the centre
    double zoom = 1;
    bool shadow = false;

    AttributedString text() const {
        // Taking the context's colour makes the fill part of the look.
        return AttributedString(words, {{NSFontAttributeName, font.toValue()},
                                        {kCTForegroundColorFromContextAttributeName, Value(true)}});
    }
};

std::shared_ptr<Image> draw(const TextLook& look, TextDrawingCache* cache) {
    auto context = GraphicsContext::bitmap({80, 60}, look.scale);
    context->translateCTM(40, 30);
    context->rotateCTM(look.turn);
    context->scaleCTM(look.zoom, look.zoom);
    context->translateCTM(-40, -30);
    context->setFillColor(look.fill);
    context->setAlpha(look.alpha);
    if (look.shadow) context->setShadowWithColor({2, 2}, 1, Color::blackColor());
    const auto options = NSStringDrawingUsesLineFragmentOrigin;
    if (cache) {
        context->drawText(look.text(), look.box, options, look.lines, *cache);
    } else {
        context->drawText(look.text(), look.box, options, look.lines);
    }
    return context->takeImage();
}

TEST(TextDrawingCacheTest, EachChangedInputDrawsLikeAFreshLayout) {
    TextLook look;
    TextDrawingCache cache;
    ASSERT_EQ(*draw(look, &cache)->pixels(), *draw(look, nullptr)->pixels());
    const std::vector<std::pair<const char*, std::function<void(TextLook&)>>> changes = {
        {"text", [](TextLook& l) { l.words = "other words wrap too"; }},
        {"font", [](TextLook& l) { l.font = Font::boldSystemFontOfSize(14); }},
        {"colour", [](TextLook& l) { l.fill = Color::blueColor(); }},
        {"alpha", [](TextLook& l) { l.alpha = 0.5; }},
        {"width", [](TextLook& l) { l.box.size.width = 35; }},
        {"line limit", [](TextLook& l) { l.lines = 1; }},
        {"height", [](TextLook& l) { l.box.size.height = 8; }},
        {"place",
         [](TextLook& l) {
             l.box.origin = {10, 12};
         }},
        {"scale", [](TextLook& l) { l.scale = 2; }},
        {"rotation", [](TextLook& l) { l.turn = std::numbers::pi / 6; }},
        {"zoom", [](TextLook& l) { l.zoom = 1.5; }},
        {"shadow", [](TextLook& l) { l.shadow = true; }},
    };
    for (const auto& [name, change] : changes) {
        const auto before = draw(look, nullptr);
        change(look);
        const auto cached = draw(look, &cache);
        const auto fresh = draw(look, nullptr);
        ASSERT_TRUE(cached && fresh) << name;
        EXPECT_NE(*fresh->pixels(), *before->pixels()) << "changing the " << name << " shows";
        EXPECT_EQ(*cached->pixels(), *fresh->pixels()) << "after changing the " << name;
        EXPECT_EQ(*draw(look, &cache)->pixels(), *fresh->pixels()) << "again, " << name;
    }
}

}  // namespace
}  // namespace ov::ui
