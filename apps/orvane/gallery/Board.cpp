#include "Board.h"

#include <algorithm>

#include "orvane/platform/ui/views/Label.h"

namespace orvane::gallery {

namespace {

using namespace ov;

constexpr double kMargin = 12;
constexpr double kCaptionGap = 2;
constexpr double kCaptionHeight = 14;

std::shared_ptr<ui::Label> caption(const std::string& text, const ui::Rect& frame) {
    auto label = std::make_shared<ui::Label>(frame);
    label->setText(String(text));
    label->setFont(ui::Font::systemFontOfSize(10));
    label->setTextColor(ui::Color::darkGrayColor());
    return label;
}

}  // namespace

Board::Board(double width)
    : m_root(std::make_shared<ui::View>(ui::Rect{0, 0, width, 0})), m_x(kMargin), m_y(kMargin) {
    m_root->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
}

void Board::add(const std::shared_ptr<ui::View>& piece, const std::string& text) {
    const ui::Size size = piece->frame().size;
    if (m_x + size.width + kMargin > m_root->bounds().width() && m_x > kMargin) {
        m_x = kMargin;
        m_y += m_rowHeight + kMargin;
        m_rowHeight = 0;
    }
    piece->setFrame({{m_x, m_y}, size});
    m_root->addSubview(piece);
    double height = size.height;
    if (!text.empty()) {
        m_root->addSubview(
            caption(text, {m_x, m_y + size.height + kCaptionGap, size.width, kCaptionHeight}));
        height += kCaptionGap + kCaptionHeight;
    }
    m_x += size.width + kMargin;
    m_rowHeight = std::max(m_rowHeight, height);
}

std::shared_ptr<ui::View> Board::finish() {
    m_root->setFrame({0, 0, m_root->bounds().width(), m_y + m_rowHeight + kMargin});
    return m_root;
}

}  // namespace orvane::gallery
