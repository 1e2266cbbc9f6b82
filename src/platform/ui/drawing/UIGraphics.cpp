// The thread's stack of current contexts, and text drawing into the current one.
#include <memory>
#include <vector>

#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov::ui {

namespace {

struct ContextStack {
    std::vector<GraphicsContext*> contexts;
    // Contexts begun by UIGraphicsBeginImageContextWithOptions, freed when ended.
    std::vector<std::unique_ptr<GraphicsContext>> owned;
};

ContextStack& stack() {
    thread_local ContextStack contexts;
    return contexts;
}

}  // namespace

GraphicsContext* UIGraphicsGetCurrentContext() {
    const auto& contexts = stack().contexts;
    return contexts.empty() ? nullptr : contexts.back();
}

void UIGraphicsPushContext(GraphicsContext& context) {
    stack().contexts.push_back(&context);
}

void UIGraphicsPopContext() {
    auto& contexts = stack();
    if (contexts.contexts.empty()) return;
    // An image context popped this way is still freed, rather than leaked.
    if (!contexts.owned.empty() && contexts.owned.back().get() == contexts.contexts.back()) {
        contexts.owned.pop_back();
    }
    contexts.contexts.pop_back();
}

void UIGraphicsBeginImageContextWithOptions(Size size, bool opaque, double scale) {
    auto context = GraphicsContext::bitmap(size, scale == 0 ? Image::screenScale() : scale, opaque);
    if (!context) return;
    stack().contexts.push_back(context.get());
    stack().owned.push_back(std::move(context));
}

void UIGraphicsBeginImageContext(Size size) {
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
}

std::shared_ptr<Image> UIGraphicsGetImageFromCurrentImageContext() {
    GraphicsContext* context = UIGraphicsGetCurrentContext();
    return context ? context->makeImage() : nullptr;
}

void UIGraphicsEndImageContext() {
    auto& contexts = stack();
    if (contexts.owned.empty() || contexts.contexts.empty() ||
        contexts.owned.back().get() != contexts.contexts.back()) {
        return;
    }
    contexts.contexts.pop_back();
    contexts.owned.pop_back();
}

void drawAtPoint(const String& text, Point point, const Dictionary& attributes) {
    drawAtPoint(AttributedString(text, attributes), point);
}

void drawInRect(const String& text, const Rect& rect, const Dictionary& attributes) {
    drawInRect(AttributedString(text, attributes), rect);
}

void drawAtPoint(const AttributedString& text, Point point) {
    if (GraphicsContext* context = UIGraphicsGetCurrentContext()) context->drawText(text, point);
}

void drawInRect(const AttributedString& text, const Rect& rect) {
    drawWithRect(text, rect, NSStringDrawingUsesLineFragmentOrigin);
}

void drawWithRect(const AttributedString& text, const Rect& rect, StringDrawingOptions options) {
    if (GraphicsContext* context = UIGraphicsGetCurrentContext()) {
        context->drawText(text, rect, options);
    }
}

}  // namespace ov::ui
