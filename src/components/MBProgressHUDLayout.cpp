// The HUD's layout rules: the bezel centred (or pushed by the offset) within the margins, and
// the column of spacer, indicator, title, details, button and spacer inside it.
#include <algorithm>

#include "orvane/components/MBProgressHUD.h"

namespace ov {

namespace {

using ui::LayoutAttribute;
using ui::LayoutConstraint;
using ui::LayoutRelation;

constexpr double kDefaultPadding = 4.0;
constexpr ui::LayoutPriority kCentringPriority = 998;
constexpr ui::LayoutPriority kEdgeMarginPriority = 999;
constexpr ui::LayoutPriority kSizePriority = 997;

std::shared_ptr<LayoutConstraint> rule(ui::View* first, LayoutAttribute firstAttribute,
                                       LayoutRelation relation, ui::View* second,
                                       LayoutAttribute secondAttribute, double constant = 0,
                                       ui::LayoutPriority priority = ui::UILayoutPriorityRequired) {
    auto made = LayoutConstraint::constraintWithItem(first, firstAttribute, relation, second,
                                                     secondAttribute, 1, constant);
    made->setPriority(priority);
    return made;
}

void append(LayoutConstraint::List& to, const LayoutConstraint::List& rules,
            ui::LayoutPriority priority = ui::UILayoutPriorityRequired) {
    for (const auto& each : rules) {
        each->setPriority(priority);
        to.push_back(each);
    }
}

LayoutConstraint::List withinMargins(const char* format, double margin, ui::View& view) {
    return LayoutConstraint::constraintsWithVisualFormat(format, 0, {{"margin", margin}},
                                                         {{"view", &view}});
}

bool isVisible(const ui::LayoutItem* item) {
    const auto* view = dynamic_cast<const ui::View*>(item);
    if (!view || view->isHidden()) return false;
    const ui::Size natural = view->intrinsicContentSize();
    return !(natural.width == 0 && natural.height == 0);
}

}  // namespace

void MBProgressHUD::updateConstraints() {
    ui::View& bezel = *m_bezelView;
    for (ui::View* holder :
         {static_cast<ui::View*>(this), m_topSpacer.get(), m_bottomSpacer.get(), &bezel}) {
        holder->removeConstraints(LayoutConstraint::List(holder->constraints()));  // a copy
    }
    m_paddingConstraints.clear();
    m_bezelConstraints.clear();

    LayoutConstraint::List hudRules{
        rule(&bezel, LayoutAttribute::centerX, LayoutRelation::equal, this,
             LayoutAttribute::centerX, m_offset.x, kCentringPriority),
        rule(&bezel, LayoutAttribute::centerY, LayoutRelation::equal, this,
             LayoutAttribute::centerY, m_offset.y, kCentringPriority)};
    append(hudRules, withinMargins("H:|-(>=margin)-[view]-(>=margin)-|", m_margin, bezel),
           kEdgeMarginPriority);
    append(hudRules, withinMargins("V:|-(>=margin)-[view]-(>=margin)-|", m_margin, bezel),
           kEdgeMarginPriority);
    addConstraints(hudRules);

    if (!(m_minSize.width == 0 && m_minSize.height == 0)) {
        m_bezelConstraints.push_back(
            rule(&bezel, LayoutAttribute::width, LayoutRelation::greaterThanOrEqual, nullptr,
                 LayoutAttribute::notAnAttribute, m_minSize.width, kSizePriority));
        m_bezelConstraints.push_back(
            rule(&bezel, LayoutAttribute::height, LayoutRelation::greaterThanOrEqual, nullptr,
                 LayoutAttribute::notAnAttribute, m_minSize.height, kSizePriority));
    }
    if (m_square) {
        m_bezelConstraints.push_back(rule(&bezel, LayoutAttribute::height, LayoutRelation::equal,
                                          &bezel, LayoutAttribute::width, 0, kSizePriority));
    }

    for (ui::View* spacer : {m_topSpacer.get(), m_bottomSpacer.get()}) {
        spacer->addConstraint(rule(spacer, LayoutAttribute::height,
                                   LayoutRelation::greaterThanOrEqual, nullptr,
                                   LayoutAttribute::notAnAttribute, m_margin));
    }
    m_bezelConstraints.push_back(rule(m_topSpacer.get(), LayoutAttribute::height,
                                      LayoutRelation::equal, m_bottomSpacer.get(),
                                      LayoutAttribute::height));

    std::vector<ui::View*> column{m_topSpacer.get(), m_label.get(), m_detailsLabel.get(),
                                  m_button.get(), m_bottomSpacer.get()};
    if (m_indicator) column.insert(column.begin() + 1, m_indicator.get());
    for (size_t i = 0; i < column.size(); ++i) {
        ui::View* view = column[i];
        m_bezelConstraints.push_back(rule(view, LayoutAttribute::centerX, LayoutRelation::equal,
                                          &bezel, LayoutAttribute::centerX));
        append(m_bezelConstraints,
               withinMargins("H:|-(>=margin)-[view]-(>=margin)-|", m_margin, *view));
        if (i == 0) {
            m_bezelConstraints.push_back(rule(view, LayoutAttribute::top, LayoutRelation::equal,
                                              &bezel, LayoutAttribute::top));
        } else {
            auto padding = rule(view, LayoutAttribute::top, LayoutRelation::equal, column[i - 1],
                                LayoutAttribute::bottom);
            m_bezelConstraints.push_back(padding);
            m_paddingConstraints.push_back(padding);
        }
        if (i + 1 == column.size()) {
            m_bezelConstraints.push_back(rule(view, LayoutAttribute::bottom, LayoutRelation::equal,
                                              &bezel, LayoutAttribute::bottom));
        }
    }
    bezel.addConstraints(m_bezelConstraints);
    updatePaddingConstraints();
    ui::View::updateConstraints();
}

void MBProgressHUD::updatePaddingConstraints() {
    bool hasVisibleAncestors = false;
    for (const auto& padding : m_paddingConstraints) {
        const bool currentVisible = isVisible(padding->firstItem());
        const bool previousVisible = isVisible(padding->secondItem());
        padding->setConstant(
            currentVisible && (previousVisible || hasVisibleAncestors) ? kDefaultPadding : 0.0);
        hasVisibleAncestors |= previousVisible;
    }
}

void MBProgressHUD::layoutSubviews() {
    // Details wrap within the widest bezel the margins allow, instead of running off as one
    // cut line.
    m_detailsLabel->setPreferredMaxLayoutWidth(std::max(0.0, bounds().size.width - 4 * m_margin));
    if (!needsUpdateConstraints()) updatePaddingConstraints();
    ui::View::layoutSubviews();
}

}  // namespace ov
