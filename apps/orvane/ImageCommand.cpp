// `orvane image fetch URL... [-o DIR]`: loads every address at once through the shared image
// loader and prints one line per address, in the order given: "ok URL WIDTHxHEIGHT @SCALE"
// (pixels) or "failed URL: <error description>". With -o each image is also written to DIR as
// "<position>-<name>.png". A path starting with "/" stands for its file address.
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "Command.h"
#include "orvane/media/AsyncImageLoader.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "image";
// Longer than any load's own time-out, so every address answers first.
constexpr double kWaitSeconds = 3600.0;

struct Request {
    std::string address;
    std::optional<ov::URL> url;
    std::optional<ov::String> line;
    std::shared_ptr<ov::Image> image;
};

std::optional<ov::URL> urlOfArgument(const std::string& argument) {
    return ov::URL::withString(argument.starts_with("/") ? "file://" + argument : argument);
}

// "4x2 @2": pixels, then the scale as the shortest number.
std::string sizeText(const ov::Image& image) {
    std::ostringstream text;
    text << image.pixelWidth() << "x" << image.pixelHeight() << " @" << image.scale();
    return text.str();
}

const ov::AsyncImageSuccess& recordImage() {
    static const ov::AsyncImageSuccess action{
        "imageLoaded:",
        [](void* target, const std::shared_ptr<ov::Image>& image, const std::optional<ov::URL>&) {
            auto& request = *static_cast<Request*>(target);
            request.image = image;
            request.line = image ? "ok " + request.address + " " + sizeText(*image)
                                 : "failed " + request.address + ": no image";
        }};
    return action;
}

const ov::AsyncImageFailure& recordFailure() {
    static const ov::AsyncImageFailure action{
        "imageFailed:", [](void* target, const ov::Error& error, const std::optional<ov::URL>&) {
            auto& request = *static_cast<Request*>(target);
            request.line =
                "failed " + request.address + ": " + error.localizedDescription().toUtf8();
        }};
    return action;
}

// Answers whether the file was written; says why not on standard error.
bool writeImage(const Request& request, size_t position, const std::string& directory) {
    std::string name = request.url->path().toUtf8();
    name = name.substr(name.find_last_of('/') + 1);
    name = name.substr(0, name.find_last_of('.'));
    const std::string path =
        directory + "/" + std::to_string(position) + "-" + (name.empty() ? "image" : name) + ".png";
    ov::Error error("", 0);
    if (ov::ui::writePNG(*request.image, path, &error)) return true;
    std::fprintf(stderr, "orvane image: cannot write %s: %s\n", path.c_str(),
                 error.localizedDescription().toUtf8().c_str());
    return false;
}

bool allAnswered(const std::vector<std::shared_ptr<Request>>& requests) {
    for (const auto& request : requests) {
        if (!request->line) return false;
    }
    return true;
}

int fetch(const std::vector<std::string>& addresses, const std::optional<std::string>& directory) {
    std::vector<std::shared_ptr<Request>> requests;
    auto& loader = ov::AsyncImageLoader::sharedLoader();
    for (const auto& address : addresses) {
        auto request = std::make_shared<Request>(Request{address, urlOfArgument(address), {}, {}});
        if (!request->url) request->line = "failed " + address + ": bad URL";
        requests.push_back(request);
    }
    for (const auto& request : requests) {
        if (request->url)
            loader.loadImageWithURL(request->url, request, recordImage(), recordFailure());
    }
    ov::RunLoop::main().runUntil([&] { return allAnswered(requests); }, kWaitSeconds);
    bool allWell = true;
    for (size_t index = 0; index < requests.size(); ++index) {
        const auto& request = *requests[index];
        printLine(request.line.value_or(ov::String("failed " + request.address + ": no answer")));
        allWell = allWell && request.image;
        if (request.image && directory)
            allWell = writeImage(request, index + 1, *directory) && allWell;
    }
    return allWell ? 0 : 1;
}

int run(Arguments arguments) {
    if (arguments.empty() || std::string_view(arguments[0]) != "fetch") return usage(kName);
    std::vector<std::string> addresses;
    std::optional<std::string> directory;
    for (size_t index = 1; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (argument == "-o") {
            if (++index >= arguments.size()) return usage(kName);
            directory = arguments[index];
        } else {
            addresses.emplace_back(argument);
        }
    }
    if (addresses.empty()) return usage(kName);
    if (directory && !ov::FileManager::defaultManager().createDirectoryAtPath(*directory, true)) {
        std::fprintf(stderr, "orvane image: cannot make the folder %s\n", directory->c_str());
        return 1;
    }
    return fetch(addresses, directory);
}

}  // namespace

static const Command kImage{kName, "image fetch URL... [-o DIR]", run};

}  // namespace orvane::cli
