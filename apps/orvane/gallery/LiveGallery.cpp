#include "LiveGallery.h"

#include <vector>

#include "Gallery.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/window/DesktopWindow.h"

namespace orvane::gallery {

namespace {

using namespace ov;

constexpr double kListWidth = 170;
constexpr double kRowHeight = 34;
// Wide enough for the widest page (the HUD modes).
const ui::Rect kWindowFrame{0, 0, kListWidth + 660, 640};

class LiveGalleryWindow : public ui::Window {
  public:
    LiveGalleryWindow() : ui::Window(kWindowFrame) {
        setBackgroundColor(ui::Color::whiteColor());
        m_list->setBackgroundColor(ui::Color::colorWithWhite(0.9, 1));
        m_stage->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
        addSubview(m_list);
        addSubview(m_stage);
        for (size_t index = 0; index < pages().size(); ++index)
            m_list->addSubview(pageButton(index));
        m_list->setContentSize({kListWidth, kRowHeight * static_cast<double>(pages().size())});
        showPage(0);
    }

    void layoutSubviews() override {
        ui::Window::layoutSubviews();
        const ui::Rect area = bounds();
        m_list->setFrame({0, 0, kListWidth, area.height()});
        m_stage->setFrame({kListWidth, 0, area.width() - kListWidth, area.height()});
    }

  private:
    std::shared_ptr<ui::Button> pageButton(size_t index) {
        auto button = ui::Button::buttonWithType(ui::UIButtonTypeSystem);
        button->setTitle(String(pages()[index].name), ui::UIControlStateNormal);
        button->setContentHorizontalAlignment(ui::UIControlContentHorizontalAlignmentLeft);
        button->setContentEdgeInsets({0, 14, 0, 8});
        button->setFrame({0, kRowHeight * static_cast<double>(index), kListWidth, kRowHeight});
        // The window owns the buttons, so they may point back at it.
        button->addAction([this, index](ui::Control&) { showPage(index); },
                          ui::UIControlEventTouchUpInside);
        m_buttons.push_back(button);
        return button;
    }

    void showPage(size_t index) {
        if (m_page) m_page->removeFromSuperview();
        m_page = pages()[index].build(Motion::Live);
        m_stage->addSubview(m_page);
        m_stage->setContentOffset({0, 0});
        m_stage->setContentSize(m_page->frame().size);
        for (size_t i = 0; i < m_buttons.size(); ++i) {
            m_buttons[i]->setBackgroundColor(i == index ? std::optional(ui::Color::whiteColor())
                                                        : std::nullopt);
        }
    }

    std::shared_ptr<ui::ScrollView> m_list = std::make_shared<ui::ScrollView>();
    std::shared_ptr<ui::ScrollView> m_stage = std::make_shared<ui::ScrollView>();
    std::vector<std::shared_ptr<ui::Button>> m_buttons;
    std::shared_ptr<ui::View> m_page;
};

}  // namespace

std::shared_ptr<ui::Window> makeLiveGallery() {
    return std::make_shared<LiveGalleryWindow>();
}

bool showLiveGallery() {
    const auto shown = ui::DesktopWindow::open(makeLiveGallery(),
                                               {.title = "Orvane gallery", .scale = std::nullopt});
    if (!shown) return false;
    shown->runUntilClosed();
    return true;
}

}  // namespace orvane::gallery
