#include "orvane/components/UIView+SizeShortcuts.h"

namespace ov::UIView_SizeShortcuts {

namespace {

template <class Change>
void changeFrame(ui::View& view, Change change) {
    ui::Rect frame = view.frame();
    change(frame);
    view.setFrame(frame);
}

}  // namespace

double left(const ui::View& view) {
    return view.frame().origin.x;
}
void setLeft(ui::View& view, double x) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin.x = x; });
}
double top(const ui::View& view) {
    return view.frame().origin.y;
}
void setTop(ui::View& view, double y) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin.y = y; });
}
double right(const ui::View& view) {
    return view.frame().origin.x + view.frame().size.width;
}
void setRight(ui::View& view, double right) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin.x = right - frame.size.width; });
}
double bottom(const ui::View& view) {
    return view.frame().origin.y + view.frame().size.height;
}
void setBottom(ui::View& view, double bottom) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin.y = bottom - frame.size.height; });
}
double centerX(const ui::View& view) {
    return view.center().x;
}
void setCenterX(ui::View& view, double centerX) {
    view.setCenter({centerX, view.center().y});
}
double centerY(const ui::View& view) {
    return view.center().y;
}
void setCenterY(ui::View& view, double centerY) {
    view.setCenter({view.center().x, centerY});
}
double width(const ui::View& view) {
    return view.frame().size.width;
}
void setWidth(ui::View& view, double width) {
    changeFrame(view, [&](ui::Rect& frame) { frame.size.width = width; });
}
double height(const ui::View& view) {
    return view.frame().size.height;
}
void setHeight(ui::View& view, double height) {
    changeFrame(view, [&](ui::Rect& frame) { frame.size.height = height; });
}
ui::Point origin(const ui::View& view) {
    return view.frame().origin;
}
void setOrigin(ui::View& view, ui::Point origin) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin = origin; });
}
ui::Size size(const ui::View& view) {
    return view.frame().size;
}
void setSize(ui::View& view, ui::Size size) {
    changeFrame(view, [&](ui::Rect& frame) { frame.size = size; });
}

ui::Point clientToScreen(const ui::View& view, ui::Point point) {
    for (const ui::View* current = &view; current; current = current->superview()) {
        point.x += left(*current);
        point.y += top(*current);
    }
    return point;
}

}  // namespace ov::UIView_SizeShortcuts
