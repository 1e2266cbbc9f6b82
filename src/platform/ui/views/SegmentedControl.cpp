#include "orvane/platform/ui/views/SegmentedControl.h"

#include <algorithm>
#include <numeric>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov::ui {

namespace {

constexpr double kHeight = 29;
constexpr double kPadding = 8;
constexpr double kCornerRadius = 4;

}  // namespace

class SegmentedControl::Segment : public View {
  public:
    Segment() : label(std::make_shared<Label>()), imageView(std::make_shared<ImageView>()) {
        setOpaque(false);
        setUserInteractionEnabled(false);
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setFont(Font::systemFontOfSize(13));
        imageView->setContentMode(UIViewContentModeCenter);
        addSubview(imageView);
        addSubview(label);
    }

    double contentWidth() const {
        if (const auto image = imageView->image()) return image->width();
        return label->sizeThatFits({}).width;
    }

    void layoutSubviews() override {
        label->setFrame(bounds().insetBy(kPadding / 2, 0));
        imageView->setFrame(bounds());
    }

    std::shared_ptr<Label> label;
    std::shared_ptr<ImageView> imageView;
    bool enabled = true;
    double width = 0;
};

SegmentedControl::SegmentedControl(const std::vector<Item>& items) : Control(Rect{}) {
    setOpaque(false);
    for (const auto& item : items) {
        if (const auto* title = std::get_if<String>(&item))
            insertSegmentWithTitle(*title, numberOfSegments(), false);
        else
            insertSegmentWithImage(std::get<std::shared_ptr<Image>>(item), numberOfSegments(),
                                   false);
    }
    const Size size = sizeThatFits({});
    setFrame({0, 0, size.width, size.height});
}

SegmentedControl::SegmentedControl(const Rect& frame) : Control(frame) {
    setOpaque(false);
}

SegmentedControl::Segment* SegmentedControl::segmentAt(size_t index) const {
    return index < m_segments.size() ? m_segments[index].get() : nullptr;
}

void SegmentedControl::insertSegment(std::shared_ptr<Segment> segment, size_t index) {
    index = std::min(index, m_segments.size());
    if (const auto font = Font::fromValue(m_normalAttributes.objectForKey(NSFontAttributeName)))
        segment->label->setFont(*font);
    insertSubview(segment, index);
    m_segments.insert(m_segments.begin() + static_cast<std::ptrdiff_t>(index), std::move(segment));
    // The selection stays on the same segment.
    if (m_selectedIndex >= static_cast<long>(index)) ++m_selectedIndex;
    segmentsDidChange();
}

void SegmentedControl::insertSegmentWithTitle(const String& title, size_t atIndex, bool) {
    auto segment = std::make_shared<Segment>();
    segment->label->setText(title);
    insertSegment(std::move(segment), atIndex);
}

void SegmentedControl::insertSegmentWithImage(std::shared_ptr<Image> image, size_t atIndex, bool) {
    auto segment = std::make_shared<Segment>();
    segment->imageView->setImage(std::move(image));
    insertSegment(std::move(segment), atIndex);
}

void SegmentedControl::removeSegmentAtIndex(size_t index, bool) {
    if (index >= m_segments.size()) return;
    m_segments[index]->removeFromSuperview();
    m_segments.erase(m_segments.begin() + static_cast<std::ptrdiff_t>(index));
    const long removed = static_cast<long>(index);
    if (m_selectedIndex == removed)
        m_selectedIndex = UISegmentedControlNoSegment;
    else if (m_selectedIndex > removed)
        --m_selectedIndex;
    segmentsDidChange();
}

void SegmentedControl::removeAllSegments() {
    for (const auto& segment : m_segments)
        segment->removeFromSuperview();
    m_segments.clear();
    m_selectedIndex = UISegmentedControlNoSegment;
    segmentsDidChange();
}

void SegmentedControl::setTitle(const std::optional<String>& title, size_t forSegmentAtIndex) {
    auto* segment = segmentAt(forSegmentAtIndex);
    if (!segment) return;
    segment->label->setText(title);
    if (title) segment->imageView->setImage(nullptr);
    segmentsDidChange();
}

std::optional<String> SegmentedControl::titleForSegmentAtIndex(size_t index) const {
    const auto* segment = segmentAt(index);
    return segment ? segment->label->text() : std::nullopt;
}

void SegmentedControl::setImage(std::shared_ptr<Image> image, size_t forSegmentAtIndex) {
    auto* segment = segmentAt(forSegmentAtIndex);
    if (!segment) return;
    if (image) segment->label->setText(std::nullopt);
    segment->imageView->setImage(std::move(image));
    segmentsDidChange();
}

std::shared_ptr<Image> SegmentedControl::imageForSegmentAtIndex(size_t index) const {
    const auto* segment = segmentAt(index);
    return segment ? segment->imageView->image() : nullptr;
}

void SegmentedControl::setEnabled(bool enabled, size_t forSegmentAtIndex) {
    auto* segment = segmentAt(forSegmentAtIndex);
    if (!segment || segment->enabled == enabled) return;
    segment->enabled = enabled;
    updateSegments();
}

bool SegmentedControl::isEnabledForSegmentAtIndex(size_t index) const {
    const auto* segment = segmentAt(index);
    return segment && segment->enabled;
}

void SegmentedControl::setWidth(double width, size_t forSegmentAtIndex) {
    auto* segment = segmentAt(forSegmentAtIndex);
    if (!segment || segment->width == width) return;
    segment->width = std::max(0.0, width);
    segmentsDidChange();
}

double SegmentedControl::widthForSegmentAtIndex(size_t index) const {
    const auto* segment = segmentAt(index);
    return segment ? segment->width : 0;
}

void SegmentedControl::setSelectedSegmentIndex(long index) {
    if (index < UISegmentedControlNoSegment || index >= static_cast<long>(m_segments.size()))
        return;
    if (index == m_selectedIndex) return;
    m_selectedIndex = index;
    updateSegments();
}

void SegmentedControl::setApportionsSegmentWidthsByContent(bool apportions) {
    if (apportions == m_apportionsByContent) return;
    m_apportionsByContent = apportions;
    segmentsDidChange();
}

void SegmentedControl::setTitleTextAttributes(const Dictionary& attributes, UIControlState state) {
    if (state == UIControlStateSelected) {
        m_selectedAttributes = attributes;
    } else {
        m_normalAttributes = attributes;
        if (const auto font = Font::fromValue(attributes.objectForKey(NSFontAttributeName))) {
            for (const auto& segment : m_segments)
                segment->label->setFont(*font);
        }
        segmentsDidChange();
    }
    updateSegments();
}

Dictionary SegmentedControl::titleTextAttributesForState(UIControlState state) const {
    return state == UIControlStateSelected ? m_selectedAttributes : m_normalAttributes;
}

std::vector<double> SegmentedControl::segmentWidths(double total) const {
    std::vector<double> widths(m_segments.size(), 0);
    double fixed = 0, content = 0;
    size_t flexible = 0;
    for (const auto& segment : m_segments) {
        fixed += segment->width;
        if (segment->width == 0) {
            ++flexible;
            content += segment->contentWidth() + 2 * kPadding;
        }
    }
    const double left = std::max(0.0, total - fixed);
    for (size_t i = 0; i < m_segments.size(); ++i) {
        const auto& segment = *m_segments[i];
        if (segment.width > 0)
            widths[i] = segment.width;
        else if (m_apportionsByContent && content > 0)
            widths[i] = left * (segment.contentWidth() + 2 * kPadding) / content;
        else
            widths[i] = left / static_cast<double>(flexible);
    }
    return widths;
}

long SegmentedControl::segmentIndexAtPoint(Point point) const {
    if (!bounds().contains(point)) return UISegmentedControlNoSegment;
    for (size_t i = 0; i < m_segments.size(); ++i) {
        if (m_segments[i]->frame().contains(point)) return static_cast<long>(i);
    }
    return UISegmentedControlNoSegment;
}

Size SegmentedControl::sizeThatFits(Size) const {
    double widest = 0, sum = 0;
    for (const auto& segment : m_segments) {
        const double width =
            segment->width > 0 ? segment->width : segment->contentWidth() + 2 * kPadding;
        widest = std::max(widest, width);
        sum += width;
    }
    const double equal = widest * static_cast<double>(m_segments.size());
    return {m_apportionsByContent ? sum : equal, kHeight};
}

void SegmentedControl::layoutSubviews() {
    Control::layoutSubviews();
    const Rect box = bounds();
    const auto widths = segmentWidths(box.width());
    double x = box.minX();
    for (size_t i = 0; i < m_segments.size(); ++i) {
        m_segments[i]->setFrame({x, box.minY(), widths[i], box.height()});
        x += widths[i];
    }
}

void SegmentedControl::drawRect(GraphicsContext& context, const Rect&) {
    const Color tint = tintColor();
    const Rect outline = bounds().insetBy(0.5, 0.5);
    const Path shape = Path::bezierPathWithRoundedRect(outline, kCornerRadius);
    GraphicsStateSaver saved(context);
    if (const auto* selected = segmentAt(static_cast<size_t>(m_selectedIndex))) {
        GraphicsStateSaver clipped(context);
        context.clipToPath(shape);
        context.setFillColor(tint);
        context.fillRect(selected->frame());
    }
    context.setStrokeColor(tint);
    context.setLineWidth(1);
    for (size_t i = 1; i < m_segments.size(); ++i) {
        const double x = m_segments[i]->frame().minX();
        context.beginPath();
        context.moveToPoint({x, outline.minY()});
        context.addLineToPoint({x, outline.maxY()});
        context.strokePath();
    }
    context.strokePath(shape);
}

void SegmentedControl::tintColorDidChange() {
    updateSegments();
    setNeedsDisplay();
}

void SegmentedControl::endTrackingAt(Point point) {
    const long index = segmentIndexAtPoint(point);
    if (index == UISegmentedControlNoSegment || !m_segments[static_cast<size_t>(index)]->enabled)
        return;
    if (m_momentary) {
        m_selectedIndex = index;
        sendActionsForControlEvents(UIControlEventValueChanged);
        m_selectedIndex = UISegmentedControlNoSegment;
        return;
    }
    if (index == m_selectedIndex) return;
    setSelectedSegmentIndex(index);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void SegmentedControl::segmentsDidChange() {
    updateSegments();
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void SegmentedControl::updateSegments() {
    const Color tint = tintColor();
    const auto normal =
        Color::fromValue(m_normalAttributes.objectForKey(NSForegroundColorAttributeName))
            .value_or(tint);
    const auto selected =
        Color::fromValue(m_selectedAttributes.objectForKey(NSForegroundColorAttributeName))
            .value_or(Color::whiteColor());
    for (size_t i = 0; i < m_segments.size(); ++i) {
        auto& segment = *m_segments[i];
        const bool isSelected = static_cast<long>(i) == m_selectedIndex;
        Color color = isSelected ? selected : normal;
        if (!segment.enabled || !isEnabled()) color = color.colorWithAlphaComponent(0.4);
        segment.label->setTextColor(color);
        segment.imageView->setAlpha(segment.enabled && isEnabled() ? 1 : 0.4);
    }
    setNeedsDisplay();
}

}  // namespace ov::ui
