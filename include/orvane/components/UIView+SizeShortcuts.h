#pragma once
// Frame edges and centre of any view as single numbers; each setter changes only its own part.
//
//   namespace size = ov::UIView_SizeShortcuts;
//   size::setRight(*button, size::width(*card) - 8);   // keeps the button's width
//   size::clientToScreen(*button, {0, 0});              // summed origins up to the root

#include "orvane/platform/ui/views/View.h"

namespace ov::UIView_SizeShortcuts {

double left(const ui::View& view);
void setLeft(ui::View& view, double x);
double top(const ui::View& view);
void setTop(ui::View& view, double y);
// x + width; the setter moves the view so its right edge is there.
double right(const ui::View& view);
void setRight(ui::View& view, double right);
double bottom(const ui::View& view);
void setBottom(ui::View& view, double bottom);
double centerX(const ui::View& view);
void setCenterX(ui::View& view, double centerX);
double centerY(const ui::View& view);
void setCenterY(ui::View& view, double centerY);
double width(const ui::View& view);
void setWidth(ui::View& view, double width);
double height(const ui::View& view);
void setHeight(ui::View& view, double height);
ui::Point origin(const ui::View& view);
void setOrigin(ui::View& view, ui::Point origin);
ui::Size size(const ui::View& view);
void setSize(ui::View& view, ui::Size size);
// The point plus the origins of the view and of every ancestor (no transforms or scrolling).
ui::Point clientToScreen(const ui::View& view, ui::Point point);

}  // namespace ov::UIView_SizeShortcuts
