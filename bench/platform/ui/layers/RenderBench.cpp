// Rendering a 320 x 480 screen of 200 views (labels, images and a badge) to pixels, against
// drawing the same content with Cairo and Pango directly. "render_200_views" marks every view
// for redrawing first, so both sides lay out and draw all text and shapes on every iteration.
// "render_animation_frame" changes one label's text between frames, as a ticking counter does;
// the toolkit keeps what did not change, the plain drawing has nothing kept and draws it all.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "orvane/components/CustomBadge.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"

namespace {

using ov::ui::Rect;

constexpr int kColumns = 10;
constexpr int kRows = 20;
constexpr double kCellWidth = 32, kCellHeight = 24;
constexpr int kIconSide = 16;

Rect cell(int index) {
    return {(index % kColumns) * kCellWidth, (index / kColumns) * kCellHeight, kCellWidth,
            kCellHeight};
}

std::string labelText(int index) {
    return "#" + std::to_string(index);
}

// The text the first label shows in a frame of the animation.
std::string tickingText(int frame) {
    return frame % 2 == 0 ? labelText(0) : labelText(0) + ".";
}

// A 16 x 16 icon: a blue square with a lighter diagonal.
std::shared_ptr<ov::Image> icon() {
    auto pixels = std::make_shared<std::vector<uint8_t>>(kIconSide * kIconSide * 4);
    for (int y = 0; y < kIconSide; ++y) {
        for (int x = 0; x < kIconSide; ++x) {
            const uint32_t argb = x == y ? 0xff88aaffu : 0xff2050c0u;
            std::memcpy(pixels->data() + (y * kIconSide + x) * 4, &argb, 4);
        }
    }
    return ov::Image::imageWithARGB32(kIconSide, kIconSide, pixels, 1.0);
}

struct Screen {
    std::shared_ptr<ov::ui::View> root;
    std::vector<std::shared_ptr<ov::ui::View>> views;
};

Screen buildScreen(const std::shared_ptr<ov::Image>& image) {
    Screen screen{std::make_shared<ov::ui::View>(Rect{0, 0, 320, 480}), {}};
    screen.root->setBackgroundColor(ov::ui::Color::whiteColor());
    for (int index = 0; index < kColumns * kRows - 1; ++index) {
        std::shared_ptr<ov::ui::View> view;
        if (index % 2 == 0) {
            auto label = std::make_shared<ov::ui::Label>(cell(index));
            label->setText(ov::String(labelText(index)));
            label->setFont(ov::ui::Font::systemFontOfSize(10));
            view = label;
        } else {
            auto imageView = std::make_shared<ov::ui::ImageView>(image);
            imageView->setFrame(cell(index));
            view = imageView;
        }
        screen.root->addSubview(view);
        screen.views.push_back(view);
    }
    auto badge = ov::CustomBadge::customBadgeWithString("42");
    badge->setFrame({cell(kColumns * kRows - 1).origin, badge->frame().size});
    screen.root->addSubview(badge);
    screen.views.push_back(badge);
    return screen;
}

void render_orvane(benchmark::State& state) {
    const Screen screen = buildScreen(icon());
    for (auto _ : state) {
        for (const auto& view : screen.views)
            view->setNeedsDisplay();
        benchmark::DoNotOptimize(ov::ui::renderToImage(*screen.root, 1));
    }
}

void drawBadge(cairo_t* cr, PangoLayout* layout, double x, double y) {
    constexpr double pi = std::numbers::pi;
    const double width = 48, height = 25, margin = 2.5, radius = 10;
    cairo_new_path(cr);
    cairo_arc(cr, x + width - margin - radius, y + margin + radius, radius, 3 * pi / 2, 0);
    cairo_arc(cr, x + width - margin - radius, y + height - margin - radius, radius, 0, pi / 2);
    cairo_arc(cr, x + margin + radius, y + height - margin - radius, radius, pi / 2, pi);
    cairo_arc(cr, x + margin + radius, y + margin + radius, radius, pi, 3 * pi / 2);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_fill(cr);
    pango_layout_set_text(layout, "42", -1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, x + 17, y + 4);
    pango_cairo_show_layout(cr, layout);
}

// Draws the whole screen, the first label showing `firstText`.
void drawScreen(cairo_surface_t* iconSurface, const std::string& firstText) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 320, 480);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans 10");
    pango_layout_set_font_description(layout, font);
    for (int index = 0; index < kColumns * kRows - 1; ++index) {
        const Rect frame = cell(index);
        if (index % 2 == 0) {
            const std::string text = index == 0 ? firstText : labelText(index);
            pango_layout_set_text(layout, text.c_str(), -1);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_move_to(cr, frame.origin.x, frame.origin.y + 5);
            pango_cairo_show_layout(cr, layout);
        } else {
            cairo_save(cr);
            cairo_translate(cr, frame.origin.x, frame.origin.y);
            cairo_scale(cr, kCellWidth / kIconSide, kCellHeight / kIconSide);
            cairo_set_source_surface(cr, iconSurface, 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    const Rect last = cell(kColumns * kRows - 1);
    drawBadge(cr, layout, last.origin.x, last.origin.y);
    pango_font_description_free(font);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    cairo_surface_destroy(surface);
}

template <class DrawFrame>
void drawWithCairo(benchmark::State& state, DrawFrame drawFrame) {
    const auto image = icon();
    cairo_surface_t* iconSurface = cairo_image_surface_create_for_data(
        const_cast<uint8_t*>(image->pixels()->data()), CAIRO_FORMAT_ARGB32, kIconSide, kIconSide,
        kIconSide * 4);
    int frame = 0;
    for (auto _ : state)
        drawFrame(iconSurface, frame++);
    cairo_surface_destroy(iconSurface);
}

void render_cairo(benchmark::State& state) {
    drawWithCairo(state,
                  [](cairo_surface_t* iconSurface, int) { drawScreen(iconSurface, labelText(0)); });
}

void frame_orvane(benchmark::State& state) {
    const Screen screen = buildScreen(icon());
    auto& ticking = static_cast<ov::ui::Label&>(*screen.views.front());
    ov::ui::renderToImage(*screen.root, 1);
    int frame = 0;
    for (auto _ : state) {
        ticking.setText(ov::String(tickingText(++frame)));
        benchmark::DoNotOptimize(ov::ui::renderToImage(*screen.root, 1));
    }
}

void frame_cairo(benchmark::State& state) {
    drawWithCairo(state, [](cairo_surface_t* iconSurface, int frame) {
        drawScreen(iconSurface, tickingText(frame + 1));
    });
}

}  // namespace

BENCHMARK(render_orvane)->Name("render_200_views/orvane")->Unit(benchmark::kMicrosecond);
BENCHMARK(render_cairo)->Name("render_200_views/cairo")->Unit(benchmark::kMicrosecond);
BENCHMARK(frame_orvane)->Name("render_animation_frame/orvane")->Unit(benchmark::kMicrosecond);
BENCHMARK(frame_cairo)->Name("render_animation_frame/cairo")->Unit(benchmark::kMicrosecond);
