#include "orvane/components/MBBackgroundView.h"

#include "MBAssert.h"

namespace ov {

MBBackgroundView::MBBackgroundView(const ui::Rect& frame) : ui::View(frame) {
    setClipsToBounds(true);
    updateForBackgroundStyle();
}

void MBBackgroundView::setStyle(MBProgressHUDBackgroundStyle style) {
    if (style == m_style) return;
    m_style = style;
    updateForBackgroundStyle();
}

void MBBackgroundView::setColor(const std::optional<ui::Color>& color) {
    if (!mb::check(color.has_value(), mb::kNilColorMessage) || *color == m_color) return;
    m_color = *color;
    updateViewsForColor();
}

void MBBackgroundView::updateForBackgroundStyle() {
    if (m_effectView) {
        m_effectView->removeFromSuperview();
        m_effectView.reset();
        m_tintView.reset();
    }
    if (m_style == MBProgressHUDBackgroundStyleBlur) {
        m_effectView = std::make_shared<ui::VisualEffectView>(
            ui::BlurEffect::effectWithStyle(ui::UIBlurEffectStyleLight));
        m_effectView->setFrame(bounds());
        m_effectView->setAutoresizingMask(ui::UIViewAutoresizingFlexibleWidth |
                                          ui::UIViewAutoresizingFlexibleHeight);
        m_effectView->layer().setAllowsGroupOpacity(false);
        m_tintView = std::make_shared<ui::View>(m_effectView->contentView().bounds());
        m_tintView->setAutoresizingMask(ui::UIViewAutoresizingFlexibleWidth |
                                        ui::UIViewAutoresizingFlexibleHeight);
        m_effectView->contentView().addSubview(m_tintView);
        insertSubview(m_effectView, 0);
    }
    updateViewsForColor();
}

void MBBackgroundView::updateViewsForColor() {
    if (m_tintView) {
        m_tintView->setBackgroundColor(m_color);
        setBackgroundColor(std::nullopt);
    } else {
        setBackgroundColor(m_color);
    }
}

}  // namespace ov
