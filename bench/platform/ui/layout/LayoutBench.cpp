// The constraint engine against computing the same frames by hand, on a form of 25 rows held
// by 100 constraints (each row: leading and trailing margins, a fixed height, and a gap below
// the row above). "Layout100" builds the constraints and solves from nothing; "Relayout100"
// re-solves after the container's width changes, which the engine does incrementally.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "orvane/platform/ui/layout/LayoutConstraint.h"

namespace {

using ov::ui::LayoutAttribute;
using ov::ui::LayoutConstraint;
using ov::ui::LayoutItem;
using ov::ui::LayoutRelation;
using ov::ui::Rect;

constexpr int kRows = 25;
constexpr double kMargin = 16, kGap = 8, kRowHeight = 30;

class Box : public LayoutItem {
  public:
    explicit Box(Rect frame = {}) : m_frame(frame) {}
    Rect frame() const override { return m_frame; }
    void setFrame(const Rect& frame) override { m_frame = frame; }
    LayoutItem* layoutSuperitem() const override { return m_superitem; }
    std::vector<LayoutItem*> layoutSubitems() const override { return m_subitems; }

    Box& add(std::unique_ptr<Box> child) {
        child->m_superitem = this;
        m_subitems.push_back(child.get());
        m_owned.push_back(std::move(child));
        return *m_owned.back();
    }

  private:
    Rect m_frame;
    Box* m_superitem = nullptr;
    std::vector<LayoutItem*> m_subitems;
    std::vector<std::unique_ptr<Box>> m_owned;
};

void relate(LayoutItem& first, LayoutAttribute firstAttribute, LayoutItem* second,
            LayoutAttribute secondAttribute, double constant) {
    LayoutConstraint::constraintWithItem(&first, firstAttribute, LayoutRelation::equal, second,
                                         secondAttribute, 1, constant)
        ->setActive(true);
}

std::unique_ptr<Box> constrainedForm(double width) {
    auto form = std::make_unique<Box>(Rect(0, 0, width, 1000));
    LayoutItem* above = nullptr;
    for (int i = 0; i < kRows; ++i) {
        Box& row = form->add(std::make_unique<Box>());
        row.setTranslatesAutoresizingMaskIntoConstraints(false);
        relate(row, LayoutAttribute::leading, form.get(), LayoutAttribute::leading, kMargin);
        relate(row, LayoutAttribute::trailing, form.get(), LayoutAttribute::trailing, -kMargin);
        relate(row, LayoutAttribute::height, nullptr, LayoutAttribute::notAnAttribute, kRowHeight);
        if (above)
            relate(row, LayoutAttribute::top, above, LayoutAttribute::bottom, kGap);
        else
            relate(row, LayoutAttribute::top, form.get(), LayoutAttribute::top, kGap);
        above = &row;
    }
    return form;
}

void layOutByHand(Box& form) {
    const double width = form.frame().size.width;
    double top = kGap;
    for (LayoutItem* row : form.layoutSubitems()) {
        row->setFrame({kMargin, top, width - 2 * kMargin, kRowHeight});
        top += kRowHeight + kGap;
    }
}

std::unique_ptr<Box> plainForm(double width) {
    auto form = std::make_unique<Box>(Rect(0, 0, width, 1000));
    for (int i = 0; i < kRows; ++i)
        form->add(std::make_unique<Box>());
    return form;
}

void layout100Orvane(benchmark::State& state) {
    for (auto _ : state) {
        auto form = constrainedForm(320);
        form->solveConstraintLayout();
        benchmark::DoNotOptimize(form->layoutSubitems().back()->frame());
    }
}

void layout100Direct(benchmark::State& state) {
    for (auto _ : state) {
        auto form = plainForm(320);
        layOutByHand(*form);
        benchmark::DoNotOptimize(form->layoutSubitems().back()->frame());
    }
}

template <class Prepare, class LayOut>
void relayout(benchmark::State& state, Prepare prepare, LayOut layOut) {
    auto form = prepare(320);
    layOut(*form);
    double width = 320;
    for (auto _ : state) {
        width = width == 320 ? 375 : 320;
        form->setFrame({0, 0, width, 1000});
        layOut(*form);
        benchmark::DoNotOptimize(form->layoutSubitems().back()->frame());
    }
}

BENCHMARK(layout100Orvane)->Name("Layout100/orvane");
BENCHMARK(layout100Direct)->Name("Layout100/direct");
BENCHMARK_CAPTURE(relayout, orvane, constrainedForm, [](Box& form) {
    form.solveConstraintLayout();
})->Name("Relayout100/orvane");
BENCHMARK_CAPTURE(relayout, direct, plainForm, layOutByHand)->Name("Relayout100/direct");

}  // namespace
