#pragma once
// A minimal layout item for the layout tests: a named box that owns its subitems.

#include <memory>
#include <string>
#include <vector>

#include "orvane/platform/ui/layout/LayoutItem.h"

namespace ov::ui::test {

class LayoutTestItem : public LayoutItem {
  public:
    explicit LayoutTestItem(std::string name, Rect frame = {})
        : m_name(std::move(name)), m_frame(frame) {}

    // A subitem placed by constraints.
    LayoutTestItem& add(std::string name,
                        Size intrinsic = {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric}) {
        auto& child = *m_children.emplace_back(std::make_unique<LayoutTestItem>(std::move(name)));
        child.m_superitem = this;
        child.m_intrinsic = intrinsic;
        child.setTranslatesAutoresizingMaskIntoConstraints(false);
        return child;
    }
    // A subitem that keeps the frame it is given.
    LayoutTestItem& addFixed(std::string name, Rect frame) {
        auto& child =
            *m_children.emplace_back(std::make_unique<LayoutTestItem>(std::move(name), frame));
        child.m_superitem = this;
        return child;
    }
    void removeChild(LayoutTestItem& child) {
        std::erase_if(m_children, [&](const auto& owned) { return owned.get() == &child; });
    }

    void setIntrinsicContentSize(Size size) { m_intrinsic = size; }
    int frameChanges() const { return m_frameChanges; }
    int constraintChanges() const { return m_constraintChanges; }

    Rect frame() const override { return m_frame; }
    void setFrame(const Rect& frame) override {
        m_frame = frame;
        ++m_frameChanges;
    }
    Size intrinsicContentSize() const override { return m_intrinsic; }
    LayoutItem* layoutSuperitem() const override { return m_superitem; }
    std::vector<LayoutItem*> layoutSubitems() const override {
        std::vector<LayoutItem*> subitems;
        for (const auto& child : m_children)
            subitems.push_back(child.get());
        return subitems;
    }
    String layoutDescription() const override { return String(m_name); }
    void layoutConstraintsDidChange() override { ++m_constraintChanges; }

  private:
    std::string m_name;
    Rect m_frame;
    Size m_intrinsic{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
    LayoutTestItem* m_superitem = nullptr;
    std::vector<std::unique_ptr<LayoutTestItem>> m_children;
    int m_frameChanges = 0;
    int m_constraintChanges = 0;
};

}  // namespace ov::ui::test
