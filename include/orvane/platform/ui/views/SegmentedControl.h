#pragma once
// A row of segments of which one is selected (the platform's UISegmentedControl). Each
// segment shows a title or an image; a tap on an enabled segment selects it and sends
// valueChanged (a momentary control sends it and keeps no selection).
//
//   auto sort = std::make_shared<ov::ui::SegmentedControl>(
//       std::vector<ov::ui::SegmentedControl::Item>{ov::String("Name"), ov::String("Date")});
//   sort->setSelectedSegmentIndex(0);                 // no event: the code chose it
//   sort->addAction([](ov::ui::Control& c) { resort(c); }, ov::ui::UIControlEventValueChanged);
//
// The segments are the control's subviews, in order; each holds a Label for its title and an
// ImageView for its image. Drawn in the tint colour: an outline, dividers and the selected
// segment filled. Indices outside the segments are ignored (none, 0 or false answered).
// Main thread only.

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/views/Control.h"

namespace ov::ui {

inline constexpr long UISegmentedControlNoSegment = -1;

class SegmentedControl : public Control {
  public:
    using Item = std::variant<String, std::shared_ptr<Image>>;

    // initWithItems: one segment per item, none selected, sized to fit them.
    explicit SegmentedControl(const std::vector<Item>& items = {});
    explicit SegmentedControl(const Rect& frame);

    size_t numberOfSegments() const { return m_segments.size(); }
    // An index past the end adds at the end. `animated` is accepted for the platform's sake.
    void insertSegmentWithTitle(const String& title, size_t atIndex, bool animated);
    void insertSegmentWithImage(std::shared_ptr<Image> image, size_t atIndex, bool animated);
    void removeSegmentAtIndex(size_t index, bool animated);
    void removeAllSegments();

    void setTitle(const std::optional<String>& title, size_t forSegmentAtIndex);
    std::optional<String> titleForSegmentAtIndex(size_t index) const;
    void setImage(std::shared_ptr<Image> image, size_t forSegmentAtIndex);
    std::shared_ptr<Image> imageForSegmentAtIndex(size_t index) const;
    using Control::setEnabled;
    void setEnabled(bool enabled, size_t forSegmentAtIndex);
    bool isEnabledForSegmentAtIndex(size_t index) const;
    // 0: the segment shares the width left by the fixed ones.
    void setWidth(double width, size_t forSegmentAtIndex);
    double widthForSegmentAtIndex(size_t index) const;

    // UISegmentedControlNoSegment when none is selected. Setting it sends no event.
    long selectedSegmentIndex() const { return m_selectedIndex; }
    void setSelectedSegmentIndex(long index);
    bool isMomentary() const { return m_momentary; }
    void setMomentary(bool momentary) { m_momentary = momentary; }
    // Share the width in proportion to the segments' content rather than equally.
    bool apportionsSegmentWidthsByContent() const { return m_apportionsByContent; }
    void setApportionsSegmentWidthsByContent(bool apportions);

    // Font (NSFontAttributeName) and colour (NSForegroundColorAttributeName) of the titles in
    // the normal or selected state; a new normal font is given to every segment's label.
    void setTitleTextAttributes(const Dictionary& attributes, UIControlState state);
    Dictionary titleTextAttributesForState(UIControlState state) const;

    // The segment under a point in the control's coordinates, or UISegmentedControlNoSegment.
    long segmentIndexAtPoint(Point point) const;

    Size sizeThatFits(Size size) const override;
    Size intrinsicContentSize() const override { return sizeThatFits({}); }
    void layoutSubviews() override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;
    void tintColorDidChange() override;

  protected:
    void endTrackingAt(Point point) override;
    void stateDidChange() override { updateSegments(); }

  private:
    class Segment;

    Segment* segmentAt(size_t index) const;
    void insertSegment(std::shared_ptr<Segment> segment, size_t index);
    std::vector<double> segmentWidths(double total) const;
    void segmentsDidChange();
    // Colours and fonts of the segments' titles for the current selection.
    void updateSegments();

    std::vector<std::shared_ptr<Segment>> m_segments;
    long m_selectedIndex = UISegmentedControlNoSegment;
    bool m_momentary = false;
    bool m_apportionsByContent = false;
    Dictionary m_normalAttributes;
    Dictionary m_selectedAttributes;
};

}  // namespace ov::ui
