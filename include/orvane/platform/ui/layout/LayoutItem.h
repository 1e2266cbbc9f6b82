#pragma once
// What the constraint engine lays out: anything with a frame in its superitem's coordinates,
// an optional natural (intrinsic) size and a place in a tree. Views implement it; the engine
// needs nothing else from them.
//
//   class Box : public ov::ui::LayoutItem { ... overrides ... };
//   Box root, child;                              // child is a subitem of root
//   child.setTranslatesAutoresizingMaskIntoConstraints(false);
//   ov::ui::LayoutConstraint::activateConstraints(
//       ov::ui::LayoutConstraint::constraintsWithVisualFormat("H:|-[child]-|", 0, {},
//                                                            {{"child", &child}}));
//   root.solveConstraintLayout();                 // child.frame() is now {20, 0, width-40, 0}
//
// An item holds the constraints installed on it (activating a constraint installs it on the
// nearest common ancestor of its items). An item whose autoresizing mask is translated
// (the default) keeps the frame it has; an item that is not gets its frame from the engine.
// The item a layout pass starts from (the root) always keeps its own frame.
//
// Destroying an item uninstalls the constraints it holds; constraints held elsewhere that
// name it stop counting, since they see it as gone.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/layout/LayoutTypes.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class LayoutConstraint;
namespace layout {
class ConstraintEngine;
}

class LayoutItem {
  public:
    LayoutItem();
    virtual ~LayoutItem();
    LayoutItem(const LayoutItem&) = delete;
    LayoutItem& operator=(const LayoutItem&) = delete;

    // The rectangle in the superitem's coordinates (whose origin is its top-left corner).
    virtual Rect frame() const = 0;
    virtual void setFrame(const Rect& frame) = 0;
    // The natural size; UIViewNoIntrinsicMetric on an axis without one (the default).
    virtual Size intrinsicContentSize() const;
    virtual LayoutItem* layoutSuperitem() const = 0;
    // In the order a layout pass should visit them.
    virtual std::vector<LayoutItem*> layoutSubitems() const = 0;
    // Names the item in log lines.
    virtual String layoutDescription() const;
    // Called on the item holding a constraint whenever its set of constraints, or one of
    // their constants or priorities, changed: the place to ask for a layout pass.
    virtual void layoutConstraintsDidChange() {}

    const std::vector<std::shared_ptr<LayoutConstraint>>& constraints() const {
        return m_constraints;
    }
    // Installs here (moving it from where it was); it becomes active.
    void addConstraint(const std::shared_ptr<LayoutConstraint>& constraint);
    void addConstraints(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints);
    // Only a constraint installed here; it becomes inactive.
    void removeConstraint(const std::shared_ptr<LayoutConstraint>& constraint);
    void removeConstraints(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints);

    // How strongly the item resists growing beyond (hugging, 250 by default) or shrinking
    // below (compression resistance, 750) its intrinsic size.
    LayoutPriority contentHuggingPriorityForAxis(UILayoutConstraintAxis axis) const;
    void setContentHuggingPriority(LayoutPriority priority, UILayoutConstraintAxis axis);
    LayoutPriority contentCompressionResistancePriorityForAxis(UILayoutConstraintAxis axis) const;
    void setContentCompressionResistancePriority(LayoutPriority priority,
                                                 UILayoutConstraintAxis axis);

    bool translatesAutoresizingMaskIntoConstraints() const { return m_translatesMask; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);

    // Solves the constraints held by this item and every item below it, then sets the frames
    // of the items below that are placed by constraints. Does nothing when there are none.
    // The solver is kept between passes, so a pass after a small change is cheap.
    void solveConstraintLayout();
    // The smallest size (for UILayoutFittingCompressedSize) or largest (for
    // UILayoutFittingExpandedSize) that the constraints below this item allow; frames stay.
    Size systemLayoutSizeFittingSize(Size targetSize) const;
    // Each axis is held at the target size at its fitting priority.
    Size systemLayoutSizeFittingSize(Size targetSize, LayoutPriority horizontalFittingPriority,
                                     LayoutPriority verticalFittingPriority) const;

    // A weak reference: `item` becomes null when the item is destroyed.
    struct Handle {
        LayoutItem* item;
        std::uint64_t serial;
    };
    const std::shared_ptr<Handle>& handle() const { return m_handle; }

  private:
    std::shared_ptr<Handle> m_handle;
    std::vector<std::shared_ptr<LayoutConstraint>> m_constraints;
    std::array<LayoutPriority, 2> m_hugging{UILayoutPriorityDefaultLow, UILayoutPriorityDefaultLow};
    std::array<LayoutPriority, 2> m_compression{UILayoutPriorityDefaultHigh,
                                                UILayoutPriorityDefaultHigh};
    bool m_translatesMask = true;
    std::unique_ptr<layout::ConstraintEngine> m_engine;
};

inline constexpr Size UILayoutFittingCompressedSize{0, 0};
inline constexpr Size UILayoutFittingExpandedSize{10000, 10000};

}  // namespace ov::ui
