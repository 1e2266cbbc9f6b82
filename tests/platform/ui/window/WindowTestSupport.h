#pragma once
// Desktop-window tests need a display: without one they skip, so a developer without X still
// gets a green run; scripts/test.sh always starts Xvfb for them.

#include <gtest/gtest.h>

#include "orvane/platform/ui/window/DesktopWindow.h"

#define OV_SKIP_WITHOUT_DISPLAY()                                                       \
    do {                                                                                \
        if (!::ov::ui::DesktopWindow::isDisplayNamed())                                 \
            GTEST_SKIP() << "no display to open windows on (DISPLAY, WAYLAND_DISPLAY)"; \
    } while (false)
