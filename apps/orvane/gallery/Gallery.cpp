#include "Gallery.h"

#include <filesystem>
#include <functional>
#include <memory>

#include "Board.h"
#include "DropdownPictures.h"
#include "HudPictures.h"
#include "PopTipPictures.h"
#include "ProgressPictures.h"
#include "StyledTextPictures.h"
#include "SwipeRefreshPictures.h"
#include "TwoLinePictures.h"
#include "orvane/components/CustomBadge.h"
#include "orvane/components/UIColor+UIColor.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/AlertViewRenderer.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/ProgressView.h"
#include "orvane/platform/ui/views/SegmentedControl.h"
#include "orvane/platform/ui/views/TextField.h"

namespace orvane::gallery {
namespace {

using namespace ov;
namespace palette = UIColor_UIColor_UIColor;

std::shared_ptr<ui::View> badges() {
    Board board(320);
    for (const char* text : {"", "7", "42", "999+", "New"}) {
        board.add(CustomBadge::customBadgeWithString(String(text)));
    }
    for (const char* text : {"3", "42", "Sale"}) {
        board.add(CustomBadge::customBadgeWithString(String(text), BadgeStyle::oldStyle()));
    }
    board.add(CustomBadge::customBadgeWithString("12", 2.0, BadgeStyle::oldStyle()));
    board.add(CustomBadge::customBadgeWithString(
        "ok", 1.5,
        BadgeStyle::freeStyleWithTextColor(ui::Color::blackColor(), palette::goldColor(),
                                           ui::Color::blackColor(), true, false, false, 0)));
    return board.finish();
}

std::shared_ptr<ui::View> swatch(const ui::Color& color) {
    auto view = std::make_shared<ui::View>(ui::Rect{0, 0, 84, 40});
    view->setBackgroundColor(color);
    view->layer().setCornerRadius(6);
    auto label = std::make_shared<ui::Label>(ui::Rect{0, 0, 84, 40});
    label->setText(palette::hexStringFromColor(color));
    label->setTextAlignment(ui::NSTextAlignmentCenter);
    label->setFont(ui::Font::systemFontOfSize(11));
    label->setTextColor(ui::Color::whiteColor());
    view->addSubview(label);
    return view;
}

std::shared_ptr<ui::View> colours() {
    Board board(320);
    for (const ui::Color& color :
         {palette::lightBlack(), palette::softBlue(), palette::lightGreen(),
          palette::lightTuorquise(), palette::darkTuorquise(), palette::facebookColor(),
          palette::softTuorquise(), palette::loveColor(), palette::maroonColor(),
          palette::goldColor(), palette::subsCamColor()}) {
        board.add(swatch(color));
    }
    for (const ui::Color& color : palette::rainbowColors())
        board.add(swatch(color));
    return board.finish();
}

std::shared_ptr<ui::Button> button(ui::UIButtonType type, const char* title) {
    auto button = ui::Button::buttonWithType(type);
    button->setTitle(String(title), ui::UIControlStateNormal);
    button->setFrame({0, 0, 140, 32});
    return button;
}

std::shared_ptr<ui::View> controls() {
    Board board(320);
    board.add(button(ui::UIButtonTypeSystem, "System button"));
    auto custom = button(ui::UIButtonTypeCustom, "Custom");
    custom->setBackgroundColor(palette::softBlue());
    custom->layer().setCornerRadius(6);
    board.add(custom);
    auto label = std::make_shared<ui::Label>(ui::Rect{0, 0, 296, 40});
    label->setNumberOfLines(0);
    label->setText(String("A label of two lines that wraps its words within the width it has."));
    board.add(label);
    auto field = std::make_shared<ui::TextField>(ui::Rect{0, 0, 296, 34});
    field->setBorderStyle(ui::UITextBorderStyleRoundedRect);
    field->setPlaceholder(String("Email"));
    board.add(field);
    auto segments = std::make_shared<ui::SegmentedControl>(
        std::vector<ui::SegmentedControl::Item>{String("Day"), String("Week"), String("Month")});
    segments->setFrame({0, 0, 296, 29});
    segments->setSelectedSegmentIndex(1);
    board.add(segments);
    auto spinner =
        std::make_shared<ui::ActivityIndicatorView>(ui::UIActivityIndicatorViewStyleGray);
    spinner->setHidesWhenStopped(false);  // still, so the picture does not depend on the clock
    board.add(spinner);
    auto progress = std::make_shared<ui::ProgressView>(ui::Rect{0, 0, 250, 2});
    progress->setProgress(0.6f);
    board.add(progress);
    return board.finish();
}

std::shared_ptr<ui::View> alert() {
    auto alert =
        ui::AlertView::create(String("Location Service is Off"),
                              String("Turn it on in the settings to see today's twilight."),
                              nullptr, String("Close"), {String("Settings")});
    return std::make_shared<ui::AlertViewRenderer>(alert, ui::Rect{0, 0, 320, 480});
}

// A page that looks the same still and live.
Page::Build still(std::shared_ptr<ui::View> (*build)()) {
    return [build](Motion) { return build(); };
}

}  // namespace

const std::vector<Page>& pages() {
    static const std::vector<Page> all{{"badge", still(badges)},
                                       {"colours", still(colours)},
                                       {"controls", still(controls)},
                                       {"alert", still(alert)},
                                       {"hud-modes", hud::modesPicture},
                                       {"hud-indicators", still(hud::indicatorsPicture)},
                                       {"progress-bar", progress::barsPicture},
                                       {"pop-tip", poptip::placesPicture},
                                       {"pop-tip-animations", still(poptip::animationsPicture)},
                                       {"dropdown-menu", still(dropdown::menusPicture)},
                                       {"two-line", still(two_line::twoLinePicture)},
                                       {"terms", still(two_line::termsPicture)},
                                       {"styled-labels", still(styled::labelsPicture)},
                                       {"counters", styled::countersPicture},
                                       {"swipe-cell", swipe::cellStatesPicture},
                                       {"pull-to-refresh", swipe::pullToRefreshPicture}};
    return all;
}

std::vector<std::string> writeGallery(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    std::vector<std::string> written;
    for (const Page& page : pages()) {
        const std::string path = directory + "/" + page.name + ".png";
        const auto image = ui::renderToImage(*page.build(Motion::Still), 2);
        if (!image || !ui::writePNG(*image, path)) return {};
        written.push_back(path);
    }
    return written;
}

}  // namespace orvane::gallery
