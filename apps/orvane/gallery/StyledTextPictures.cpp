#include "StyledTextPictures.h"

#include <cstdint>
#include <functional>
#include <string>

#include "orvane/components/TTCounterLabel.h"
#include "orvane/components/TTTAttributedLabel.h"

namespace orvane::styled {
namespace {

using namespace ov;

constexpr double kWidth = 320;
constexpr double kInnerWidth = 296;
constexpr double kMargin = 12;

std::shared_ptr<ui::Label> caption(const char* text, double y) {
    auto label = std::make_shared<ui::Label>(ui::Rect{kMargin, y, kInnerWidth, 14});
    label->setFont(ui::Font::systemFontOfSize(11));
    label->setTextColor(ui::Color::darkGrayColor());
    label->setText(String(text));
    return label;
}

// A page of captioned pieces, one under the other.
class Column {
  public:
    Column() : m_root(std::make_shared<ui::View>(ui::Rect{0, 0, kWidth, 0})) {
        m_root->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
    }
    void add(const char* title, const std::shared_ptr<ui::View>& piece) {
        m_root->addSubview(caption(title, m_y));
        const ui::Size size = piece->frame().size;
        piece->setFrame({kMargin, m_y + 16, size.width, size.height});
        m_root->addSubview(piece);
        m_y += 16 + size.height + 10;
    }
    std::shared_ptr<ui::View> finish() {
        m_root->setFrame({0, 0, kWidth, m_y});
        return m_root;
    }

  private:
    std::shared_ptr<ui::View> m_root;
    double m_y = 10;
};

std::shared_ptr<TTTAttributedLabel> styledLabel(double height, long lines) {
    auto label = std::make_shared<TTTAttributedLabel>(ui::Rect{0, 0, kInnerWidth, height});
    label->setBackgroundColor(ui::Color::whiteColor());
    label->setFont(ui::Font::systemFontOfSize(15));
    label->setNumberOfLines(lines);
    return label;
}

constexpr const char* kLongText =
    "Styled labels break their text into lines and shorten the last line they show.";

std::shared_ptr<ui::View> truncated(ui::NSLineBreakMode mode, const char* token) {
    auto label = styledLabel(22, 1);
    label->setLineBreakMode(mode);
    if (token) label->setTruncationTokenString(String(token));
    label->setText(String(kLongText));
    return label;
}

std::shared_ptr<ui::View> aligned(ui::NSTextAlignment alignment) {
    auto label = styledLabel(22, 1);
    label->setTextAlignment(alignment);
    label->setText(String("Aligned text"));
    return label;
}

}  // namespace

std::shared_ptr<ui::View> labelsPicture() {
    Column page;
    auto links = styledLabel(44, 0);
    links->setText(String("Read the terms or call +1 650-253-0000 today."));
    links->addLinkToURL(*URL::withString("https://example.com/terms"), {9, 5});
    links->addLinkToPhoneNumber(String("+1 650-253-0000"), {23, 15});
    page.add("links", links);

    auto pressed = styledLabel(22, 1);
    pressed->setText(String("Tap here to continue"));
    pressed->addLinkToURL(*URL::withString("https://example.com/next"), {4, 4});
    pressed->setActiveLink(pressed->links().front());
    page.add("a pressed link", pressed);

    page.add("truncated at the tail", truncated(ui::NSLineBreakByTruncatingTail, nullptr));
    page.add("truncated at the head", truncated(ui::NSLineBreakByTruncatingHead, nullptr));
    page.add("truncated in the middle, own token",
             truncated(ui::NSLineBreakByTruncatingMiddle, " [...] "));
    auto twoLines = styledLabel(40, 2);
    twoLines->setText(String(std::string(kLongText) + " " + kLongText));
    page.add("two lines, the second truncated", twoLines);

    page.add("left", aligned(ui::NSTextAlignmentLeft));
    page.add("centre", aligned(ui::NSTextAlignmentCenter));
    page.add("right", aligned(ui::NSTextAlignmentRight));

    auto tall = styledLabel(96, 0);
    tall->setMinimumLineHeight(30);
    tall->setMaximumLineHeight(30);
    tall->setText(String(kLongText));
    page.add("line height 30", tall);
    auto spaced = styledLabel(70, 0);
    spaced->setLeading(8);
    spaced->setFirstLineIndent(16);
    spaced->setText(String(kLongText));
    page.add("leading 8, indent 16", spaced);
    return page.finish();
}

std::shared_ptr<ui::View> countersPicture(gallery::Motion motion) {
    Column page;
    struct Counter {
        uint64_t value;
        long mode;
        const char* title;
    };
    for (const Counter& counter :
         {Counter{0, kDisplayModeFull, "0 ms"}, Counter{1234, kDisplayModeFull, "1,234 ms"},
          Counter{61005, kDisplayModeFull, "61,005 ms"},
          Counter{3723456, kDisplayModeFull, "3,723,456 ms"},
          Counter{360000000, kDisplayModeFull, "100 hours"},
          Counter{59999, kDisplayModeSeconds, "59,999 ms, no hundredths"},
          Counter{3723456, kDisplayModeSeconds, "3,723,456 ms, no hundredths"}}) {
        auto label = std::make_shared<TTCounterLabel>(ui::Rect{0, 0, kInnerWidth, 50});
        label->setBackgroundColor(ui::Color::whiteColor());
        label->setBoldFont(ui::Font::boldSystemFontOfSize(34));
        label->setRegularFont(ui::Font::systemFontOfSize(34));
        label->setFont(ui::Font::systemFontOfSize(16));
        label->setDisplayMode(counter.mode);
        label->setStartValue(counter.value);
        label->updateApperance();
        if (motion == gallery::Motion::Live) label->start();
        page.add(counter.title, label);
    }
    return page.finish();
}

}  // namespace orvane::styled
