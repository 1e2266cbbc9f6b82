// `orvane media info FILE`: "seconds N" (the length rounded up) and "formatted TEXT".
// `orvane media still FILE -o OUT.png`: writes the picture at one second, prints "WxH" (pixels).
// `orvane media play FILE [--loop] [--mute] [--for SECONDS]`: plays the file with its sound
// discarded and prints a line per event: "started", "time-jumped S" (to tenths), "finished". It
// stops when the time is up, or without --for at the first "finished".
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "Command.h"
#include "orvane/media/AVAsset+AVAsset.h"
#include "orvane/media/CustomPlayerViewController.h"
#include "orvane/platform/media/AudioOutput.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "media";
// Without --for, the wait for the end is bounded all the same: the length twice, plus this.
constexpr double kEndMarginSeconds = 10;

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane media: %s\n", message.c_str());
    return 1;
}

// The file's address, or none after saying why it cannot be played.
std::optional<ov::URL> mediaFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        fail("no such file: " + path);
        return std::nullopt;
    }
    auto url = ov::URL::fileURLWithPath(path);
    if (!ov::AVURLAsset::assetWithURL(url)->isReadable()) {
        fail("not a media file this system can read: " + path);
        return std::nullopt;
    }
    return url;
}

int info(const ov::URL& url) {
    printLine("seconds " + std::to_string(ov::AVAsset_AVAsset::secondsFileUrl(url)));
    printLine("formatted " +
              ov::AVAsset_AVAsset::formattedTimeFileUrl(url).value_or(ov::String()).toUtf8());
    return 0;
}

int still(const ov::URL& url, const std::string& output) {
    const auto image = ov::AVAsset_AVAsset::imageFileUrl(url);
    if (!image) return fail("no picture at one second in " + url.path().toUtf8());
    ov::Error error("", 0);
    if (!ov::ui::writePNG(*image, output, &error))
        return fail("cannot write " + output + ": " + error.localizedDescription().toUtf8());
    printLine(std::to_string(image->pixelWidth()) + "x" + std::to_string(image->pixelHeight()));
    return 0;
}

class EventPrinter : public ov::CustomPlayerViewControllerDelegate {
  public:
    void CustomPlayerDidStartPlay(ov::CustomPlayerViewController&) override { say("started"); }
    void CustomPlayerDidFinishPlaying(ov::CustomPlayerViewController&) override {
        finished = true;
        say("finished");
    }
    void CustomPlayerDidTimeChange(ov::CustomPlayerViewController&, double second) override {
        char text[64];
        // Tenths: playback may already have moved on a little when the jump is told.
        std::snprintf(text, sizeof text, "time-jumped %g", std::round(second * 10) / 10);
        say(text);
    }
    bool finished = false;

  private:
    static void say(const char* line) {
        printLine(line);
        std::fflush(stdout);
    }
};

struct PlayOptions {
    bool loop = false;
    bool mute = false;
    std::optional<double> seconds;
};

int play(const ov::URL& url, const PlayOptions& options) {
    ov::setAudioOutput(ov::AudioOutput::Discard);
    auto printer = std::make_shared<EventPrinter>();
    auto screen = ov::CustomPlayerViewController::customPlayerViewControllerWithUrl(url);
    screen->setDelegate(printer);
    screen->setLoop(options.loop);
    screen->setMute(options.mute);
    screen->loadViewIfNeeded();
    screen->play();
    const auto failed = [&] {
        const auto player = screen->player();
        return !player || player->status() == ov::AVPlayerStatusFailed;
    };
    auto& loop = ov::RunLoop::main();
    if (options.seconds) {
        loop.runUntil(failed, *options.seconds);
    } else {
        const double length = ov::AVAsset_AVAsset::secondsFileUrl(url);
        loop.runUntil([&] { return printer->finished || failed(); },
                      2 * length + kEndMarginSeconds);
    }
    if (!failed()) return 0;
    const auto player = screen->player();
    const auto& error = player ? player->error() : nullptr;
    return fail("cannot play " + url.path().toUtf8() +
                (error ? ": " + error->localizedFailureReason().description().toUtf8() : ""));
}

int run(Arguments arguments) {
    if (arguments.size() < 2) return usage(kName);
    const std::string_view action = arguments[0];
    const std::string path = arguments[1];
    std::optional<std::string> output;
    PlayOptions options;
    for (size_t index = 2; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (action == "still" && argument == "-o" && hasValue) {
            output = arguments[++index];
        } else if (action == "play" && argument == "--loop") {
            options.loop = true;
        } else if (action == "play" && argument == "--mute") {
            options.mute = true;
        } else if (action == "play" && argument == "--for" && hasValue) {
            options.seconds = numberArgument(arguments[++index], 0, 86400);
            if (!options.seconds) return usage(kName);
        } else {
            return usage(kName);
        }
    }
    if (action != "info" && action != "still" && action != "play") return usage(kName);
    if (action == "still" && !output) return usage(kName);
    const auto url = mediaFile(path);
    if (!url) return 1;
    if (action == "info") return info(*url);
    if (action == "still") return still(*url, *output);
    return play(*url, options);
}

}  // namespace

static const Command kMedia{kName,
                            "media info FILE | media still FILE -o OUT.png | "
                            "media play FILE [--loop] [--mute] [--for SECONDS]",
                            run};

}  // namespace orvane::cli
