#include <cstdlib>
#include <filesystem>
#include <string>

#include "orvane/components/UIView+UIView.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::UIView_UIView {

namespace {

std::filesystem::path picturesDirectory() {
    if (const char* pictures = std::getenv("XDG_PICTURES_DIR"); pictures && *pictures)
        return pictures;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / "Pictures";
}

// "Screenshot 1.png", "Screenshot 2.png", ...: never over an earlier one.
std::filesystem::path freshPicturePath(const std::filesystem::path& directory) {
    for (int number = 1;; ++number) {
        auto path = directory / ("Screenshot " + std::to_string(number) + ".png");
        std::error_code error;
        if (!std::filesystem::exists(path, error)) return path;
    }
}

}  // namespace

std::shared_ptr<Image> captureView(ui::View& view) {
    const ui::Window* screen = ui::Window::keyWindow();
    const ui::Size size = screen ? screen->bounds().size : view.bounds().size;
    ui::UIGraphicsBeginImageContextWithOptions(size, false, 0);
    ui::GraphicsContext* context = ui::UIGraphicsGetCurrentContext();
    if (!context) return nullptr;
    view.layoutIfNeeded();
    ui::renderInContext(view.layer(), *context);
    auto image = ui::UIGraphicsGetImageFromCurrentImageContext();
    ui::UIGraphicsEndImageContext();
    return image;
}

std::optional<String> saveScreenshotToPhotosAlbum(ui::View& view) {
    const auto image = captureView(view);
    if (!image) return std::nullopt;
    const std::filesystem::path directory = picturesDirectory();
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const std::string path = freshPicturePath(directory).string();
    if (!ui::writePNG(*image, path)) return std::nullopt;
    return String(path.c_str());
}

}  // namespace ov::UIView_UIView
