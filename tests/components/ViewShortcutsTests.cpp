#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "orvane/components/UIImageView+UIImageView.h"
#include "orvane/components/UILabel+Height.h"
#include "orvane/components/UILabel+UILabel.h"
#include "orvane/components/UITableView+UITableView.h"
#include "orvane/components/UITableViewCell+UITableViewCell.h"
#include "orvane/components/UITextView+UITextView.h"
#include "orvane/components/UIView+OVUIViewFonts.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/SegmentedControl.h"
#include "orvane/platform/ui/views/TextField.h"

namespace ov {
namespace {

using Rgba = std::array<uint8_t, 4>;
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kNothing{0, 0, 0, 0};

class Rows final : public ui::TableViewDataSource {
  public:
    explicit Rows(long count) : count(count) {}
    long tableView_numberOfRowsInSection(ui::TableView&, long) override { return count; }
    std::shared_ptr<ui::TableViewCell> tableView_cellForRowAtIndexPath(
        ui::TableView&, const ui::IndexPath&) override {
        return std::make_shared<ui::TableViewCell>();
    }
    long count;
};

// Black on the left half, transparent on the right.
std::shared_ptr<Image> leftHalfInk(int side) {
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(side) * side * 4);
    auto* words = reinterpret_cast<uint32_t*>(pixels->data());
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side / 2; ++x)
            words[y * side + x] = 0xFF000000;
    }
    return Image::imageWithARGB32(side, side, std::move(pixels));
}

TEST(ScrollingShortcuts, BottomIsTheLastScreenfulOrTheTopWhenAllFits) {
    auto rows = std::make_shared<Rows>(10);  // 440 points of rows in 200
    auto table = std::make_shared<ui::TableView>(ui::Rect{0, 0, 320, 200});
    table->setDataSource(rows);
    table->reloadData();
    UITableView_UITableView::scrollToBottom(*table, false);
    EXPECT_EQ(table->contentOffset(), (ui::Point{0, 240}));
    rows->count = 2;
    table->reloadData();
    UITableView_UITableView::scrollToBottom(*table, false);
    EXPECT_EQ(table->contentOffset(), (ui::Point{0, 0}));

    ui::TextView empty(ui::Rect{0, 0, 200, 60});
    empty.setScrollEnabled(false);
    UITextView_UITextView::scrollToBottom(empty);
    EXPECT_FALSE(empty.isScrollEnabled());  // an empty text is left alone
    ui::TextView log(ui::Rect{0, 0, 200, 60});
    log.setText(String(std::string(30, '\n') + "last"));
    UITextView_UITextView::scrollToBottom(log);
    EXPECT_GT(log.contentOffset().y, 0);
    EXPECT_GE(log.contentOffset().y + 60, log.contentSize().height - 8);
}

TEST(CellShortcuts, SelectedBackgroundShowsTheColourGiven) {
    auto cell = std::make_shared<ui::TableViewCell>();
    cell->setFrame({0, 0, 100, 44});
    UITableViewCell_UITableViewCell::setSelectedBackgroundColor(*cell, ui::Color::redColor());
    cell->setSelected(true);
    EXPECT_EQ(ui::renderToImage(*cell, 1)->rgbaAt(50, 22), kRed);
}

TEST(LabelShortcuts, PaddingWithLineBreaksAndTheWrappedSize) {
    ui::Label label(ui::Rect{10, 10, 100, 20});
    label.setText(String("Hi"));
    UILabel_UILabel::alignTop(label);
    EXPECT_EQ(label.text(), String("Hi" + std::string(44, '\n')));
    EXPECT_EQ(label.lineBreakMode(), ui::NSLineBreakByClipping);
    for (const std::optional<String>& text : {std::optional<String>(""), std::optional<String>()}) {
        label.setText(text);
        UILabel_UILabel::alignBottom(label);
        EXPECT_EQ(label.text(), String("\n\n\n\n"));
    }

    label.setText(String("a caption long enough to need several lines at this width"));
    const ui::Size wrapped = UILabel_Height::sizeForWrappedText(label);
    EXPECT_LE(wrapped.width, 100);
    EXPECT_GE(wrapped.height, 3 * label.font().lineHeight());
    EXPECT_EQ(label.frame(), (ui::Rect{10, 10, 100, 20}));  // the label itself is left alone
}

TEST(ImageViewShortcuts, TintedAndMirroredImageInThePixels) {
    ui::View frame(ui::Rect{0, 0, 10, 10});
    auto& icon = frame.addSubview(std::make_shared<ui::ImageView>(leftHalfInk(10)));
    UIImageView_UIImageView::imageTintColor(icon, ui::Color::redColor());
    UIImageView_UIImageView::flipHorizontally(icon);
    const auto mirrored = ui::renderToImage(frame, 1);
    EXPECT_EQ(mirrored->rgbaAt(2, 5), kNothing);
    EXPECT_EQ(mirrored->rgbaAt(8, 5), kRed);
}

TEST(FontFamilyShortcut, ReachesEveryKindAtAnyDepthOnlyWhenAsked) {
    const String family("Courier");
    const auto sized = [](double size) {
        auto label = std::make_shared<ui::Label>();
        label->setFont(ui::Font::systemFontOfSize(size));
        return label;
    };
    const auto expectFamily = [&](const ui::Font& font, double size) {
        EXPECT_EQ(font.fontName(), ui::Font::fontWithName(family, size)->fontName());
        EXPECT_EQ(font.pointSize(), size);
    };
    ui::View root;
    auto& deep = root.addSubview(std::make_shared<ui::View>())
                     .addSubview(std::make_shared<ui::View>())
                     .addSubview(sized(11));
    auto& button = root.addSubview(std::make_shared<ui::Button>());
    button.setFont(ui::Font::systemFontOfSize(21));
    auto& field = root.addSubview(std::make_shared<ui::TextField>());
    field.setFont(ui::Font::systemFontOfSize(15));
    auto& segments = root.addSubview(std::make_shared<ui::SegmentedControl>(
        std::vector<ui::SegmentedControl::Item>{String("One")}));
    const auto& parts = segments.subviews()[0]->subviews();
    const auto title = std::ranges::find_if(
        parts, [](const auto& part) { return dynamic_cast<ui::Label*>(part.get()) != nullptr; });
    ASSERT_NE(title, parts.end());
    auto& segmentLabel = static_cast<ui::Label&>(**title);
    const double segmentSize = segmentLabel.font().pointSize();

    UIView_OVUIViewFonts::setFontFamily(root, "No Such Family", true);
    UIView_OVUIViewFonts::setFontFamily(root, family, false);
    EXPECT_EQ(deep.font().fontName(), sized(11)->font().fontName());

    UIView_OVUIViewFonts::setFontFamily(root, family, true);
    expectFamily(deep.font(), 11);
    expectFamily(button.titleLabel().font(), 21);
    expectFamily(field.font(), 15);
    expectFamily(segmentLabel.font(), segmentSize);
}

}  // namespace
}  // namespace ov
