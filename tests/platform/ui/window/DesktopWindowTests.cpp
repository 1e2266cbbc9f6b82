#include <gtest/gtest.h>

#include <memory>

#include "SdlEvents.h"
#include "WindowTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/containers/DeviceOrientation.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/ui/window/DesktopWindow.h"
#include "orvane/platform/values/SystemLog.h"
#include "platform/ui/window/SdlLibrary.h"
#include "support/EnvironmentVariableScope.h"
#include "support/ManualClockScope.h"
#include "support/ReferenceImage.h"

namespace ov::ui {
namespace {

// A window whose content keeps a 10-point margin on every layout pass.
class MarginWindow : public Window {
  public:
    explicit MarginWindow(const Rect& frame) : Window(frame) {
        content = std::make_shared<View>(Rect{10, 10, 10, 10});
        content->setBackgroundColor(Color::colorWithRed(0.2, 0.4, 0.8, 1));
        addSubview(content);
    }
    void layoutSubviews() override {
        Window::layoutSubviews();
        content->setFrame(bounds().insetBy(10, 10));
    }
    std::shared_ptr<View> content;
};

std::shared_ptr<Window> sampleWindow() {
    auto window = std::make_shared<MarginWindow>(Rect{0, 0, 200, 120});
    window->setBackgroundColor(Color::whiteColor());
    auto label = std::make_shared<Label>(Rect{10, 10, 180, 30});
    label->setText("Hello, window");
    label->setTextColor(Color::whiteColor());
    window->content->addSubview(label);
    auto button = Button::buttonWithType(UIButtonTypeSystem);
    button->setTitle("Tap", UIControlStateNormal);
    button->setBackgroundColor(Color::whiteColor());
    button->setFrame({10, 50, 80, 32});
    window->content->addSubview(button);
    return window;
}

// First in the file: once SDL has reached a display, it keeps it for the process.
TEST(DesktopWindow, WithoutADisplayOpeningFailsWithALogLine) {
    test::EnvironmentVariableScope wayland("WAYLAND_DISPLAY", std::nullopt);
    for (const char* display : {"", ":4711"}) {
        test::EnvironmentVariableScope x11("DISPLAY", std::string(display));
        SystemLogCapture log;
        EXPECT_EQ(DesktopWindow::open(sampleWindow()), nullptr);
        ASSERT_EQ(log.entries().size(), 1u);
        const std::string expected = *display ? "window not shown: no display can be reached ("
                                              : "window not shown: no display is named";
        EXPECT_EQ(log.entries()[0].rfind(expected, 0), 0u) << log.entries()[0];
    }
}

TEST(DesktopWindow, NoWindowToShowIsRefused) {
    SystemLogCapture log;
    EXPECT_EQ(DesktopWindow::open(nullptr), nullptr);
    EXPECT_EQ(log.entries(),
              std::vector<std::string>{"window not shown: there is no window to show"});
}

// Opens the sample window at scale 1; a test that runs on a manual clock installs it first.
class DesktopWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { OV_SKIP_WITHOUT_DISPLAY(); }
    void open() {
        m_shown = DesktopWindow::open(m_window, {.title = "test", .scale = 1});
        ASSERT_NE(m_shown, nullptr);
    }

    std::shared_ptr<Window> m_window = sampleWindow();
    std::unique_ptr<DesktopWindow> m_shown;
};

TEST_F(DesktopWindowTest, TheScreenShowsWhatTheOffscreenRenderDrawsAndOnlyRedrawsOnChange) {
    test::ManualClockScope time(10);
    ASSERT_NO_FATAL_FAILURE(open());
    RunLoop::main().runFor(0.1);
    const auto offscreen = renderToImage(*m_window, 1);
    const auto onScreen = m_shown->screenshot();
    ASSERT_NE(onScreen, nullptr);
    EXPECT_TRUE(test::matchesImage(*onScreen, *offscreen));

    EXPECT_FALSE(m_shown->presentIfChanged());
    m_window->setBackgroundColor(Color::blackColor());
    EXPECT_TRUE(m_shown->presentIfChanged());
    EXPECT_EQ(m_shown->screenshot()->rgbaAt(2, 2), (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

// On the system clock: the window system answers a resize in its own time.
TEST_F(DesktopWindowTest, ResizingBecomesTheBoundsTheLayoutAndTheOrientation) {
    ASSERT_NO_FATAL_FAILURE(open());
    const SdlLibrary& sdl = *SdlLibrary::video();
    sdl.SetWindowSize(sdl.GetWindowFromID(m_shown->windowId()), 300, 200);
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            return m_window->bounds().size == Size{300, 200};
        },
        5.0));
    m_shown->presentIfChanged();
    const auto& content = static_cast<MarginWindow&>(*m_window).content;
    EXPECT_EQ(content->frame(), (Rect{10, 10, 280, 180}));
    EXPECT_EQ(DeviceOrientation::current().orientation(), UIDeviceOrientationLandscapeLeft);
    const auto screen = m_shown->screenshot();
    EXPECT_EQ(screen->pixelWidth(), 300);
    EXPECT_EQ(screen->rgbaAt(295, 195), (std::array<uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(screen->rgbaAt(285, 185)[2], 204);
}

TEST_F(DesktopWindowTest, ClosingEndsTheLoopAndTheLoopRunsOnWithoutTheWindow) {
    test::ManualClockScope time(10);
    ASSERT_NO_FATAL_FAILURE(open());
    test::SdlEvents(*m_shown).close();
    m_shown->runUntilClosed();
    EXPECT_FALSE(m_shown->isOpen());
    EXPECT_EQ(m_shown->screenshot(), nullptr);
    EXPECT_FALSE(m_shown->presentIfChanged());

    bool fired = false;
    RunLoop::main().addTimer(Timer::create(0.5, false, [&](Timer&) { fired = true; }));
    RunLoop::main().runFor(1);
    EXPECT_TRUE(fired);
}

}  // namespace
}  // namespace ov::ui
