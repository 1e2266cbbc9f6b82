#pragma once
// Replays a Path into a Cairo context's current path (in its user space).

#include <cairo.h>

#include "orvane/platform/ui/drawing/Path.h"

namespace ov::ui {

inline void appendToCairo(cairo_t* cairo, const Path& path) {
    for (const Path::Element& element : path.elements()) {
        const Point* points = element.points;
        switch (element.type) {
            case Path::ElementType::MoveTo:
                cairo_move_to(cairo, points[0].x, points[0].y);
                break;
            case Path::ElementType::LineTo:
                cairo_line_to(cairo, points[0].x, points[0].y);
                break;
            case Path::ElementType::CurveTo:
                cairo_curve_to(cairo, points[0].x, points[0].y, points[1].x, points[1].y,
                               points[2].x, points[2].y);
                break;
            case Path::ElementType::Close:
                cairo_close_path(cairo);
                break;
        }
    }
}

}  // namespace ov::ui
