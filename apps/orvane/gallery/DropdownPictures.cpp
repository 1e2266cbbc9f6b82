#include "DropdownPictures.h"

#include <array>
#include <vector>

#include "orvane/components/MKDropdownMenu.h"

namespace orvane::dropdown {

namespace {

using namespace ov;

constexpr double kWidth = 240;
constexpr double kHeight = 250;
constexpr double kGap = 10;

struct Component {
    const char* title;
    std::vector<const char*> rows;
};

const std::array<Component, 3> kComponents{{
    {"Sort", {"Newest", "Price: low to high", "Price: high to low", "Rating"}},
    {"Colour", {"Red", "Green", "Blue", "Black", "White"}},
    {"Size", {"S", "M", "L", "XL"}},
}};

class Shop : public MKDropdownMenuDataSource, public MKDropdownMenuDelegate {
  public:
    std::optional<long> numberOfComponentsInDropdownMenu(MKDropdownMenu&) override {
        return static_cast<long>(kComponents.size());
    }
    std::optional<long> dropdownMenu_numberOfRowsInComponent(MKDropdownMenu&,
                                                             long component) override {
        return static_cast<long>(kComponents[static_cast<size_t>(component)].rows.size());
    }
    std::optional<String> dropdownMenu_titleForComponent(MKDropdownMenu&, long component) override {
        return String(kComponents[static_cast<size_t>(component)].title);
    }
    std::optional<String> dropdownMenu_titleForRow(MKDropdownMenu&, long row,
                                                   long component) override {
        return String(kComponents[static_cast<size_t>(component)].rows[static_cast<size_t>(row)]);
    }
};

// A light screen with the menu along its top; it keeps the menu's data source alive.
class Screen : public ui::View {
  public:
    Screen() : ui::View(ui::Rect{0, 0, kWidth, kHeight}) {
        setBackgroundColor(ui::Color::colorWithWhite(0.96, 1));
        setClipsToBounds(true);
        menu = std::make_shared<MKDropdownMenu>(ui::Rect{0, 0, kWidth, 44});
        addSubview(menu);
        menu->setDataSource(m_shop);
        menu->setDelegate(m_shop);
        menu->setSelectedComponentBackgroundColor(ui::Color::colorWithWhite(0.93, 1));
        menu->setDropdownRoundedCorners(ui::UIRectCornerBottomLeft | ui::UIRectCornerBottomRight);
        menu->setDropdownCornerRadius(6);
    }

    std::shared_ptr<MKDropdownMenu> menu;

  private:
    std::shared_ptr<Shop> m_shop = std::make_shared<Shop>();
};

std::shared_ptr<Screen> screen(double x) {
    auto made = std::make_shared<Screen>();
    made->menu->setPresentingView(made);
    made->setFrame({x, kGap, kWidth, kHeight});
    made->layoutIfNeeded();
    return made;
}

}  // namespace

std::shared_ptr<ui::View> menusPicture() {
    auto board =
        std::make_shared<ui::View>(ui::Rect{0, 0, 3 * kWidth + 4 * kGap, kHeight + 2 * kGap});
    board->setBackgroundColor(ui::Color::colorWithWhite(0.85, 1));
    board->addSubview(screen(kGap));

    auto open = screen(2 * kGap + kWidth);
    board->addSubview(open);
    open->menu->selectRow(1, 0);
    open->menu->openComponent(0, false);

    auto several = screen(3 * kGap + 2 * kWidth);
    board->addSubview(several);
    several->menu->setAllowsMultipleRowsSelection(true);
    several->menu->selectRow(0, 1);
    several->menu->selectRow(2, 1);
    several->menu->selectRow(3, 1);
    several->menu->openComponent(1, false);
    board->layoutIfNeeded();
    return board;
}

}  // namespace orvane::dropdown
