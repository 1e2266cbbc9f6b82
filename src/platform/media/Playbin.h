#pragma once
// Internal: one GStreamer playbin with its pictures delivered as Images through an appsink and
// its sound sent to the chosen output. Callbacks run on GStreamer's threads; the destructor
// stops the pipeline and joins those threads, so no callback runs after it returns.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/media/CMTime.h"
#include "orvane/platform/values/String.h"

typedef struct _GstElement GstElement;

namespace ov::detail {

// Makes GStreamer ready once per process, on first use.
void ensureGStreamer();

struct PlaybinEvent {
    enum class Kind { AsyncDone, Playing, EndOfStream, Error };
    Kind kind;
    String reason;
};

class Playbin {
  public:
    struct Listener {
        std::function<void(std::shared_ptr<Image>)> frame;
        std::function<void(const PlaybinEvent&)> event;
    };
    enum class Sound { Output, None };

    Playbin(const std::string& uri, Sound sound, Listener listener);
    ~Playbin();
    Playbin(const Playbin&) = delete;
    Playbin& operator=(const Playbin&) = delete;

    // Whether every element could be made.
    bool isValid() const { return m_playbin != nullptr; }
    // Playing or paused; the change completes in the background (AsyncDone or Error follows).
    void setPlaying(bool playing);
    // Flushing and frame-exact; false when the pipeline refused it.
    bool seek(double seconds, double rate);
    std::optional<double> position() const;
    void setVolume(double volume, bool muted);

    // Blocking, for a playbin made without a listener: the picture at `time` or nullptr with
    // the reason. Every wait is bounded by `timeoutSeconds`.
    std::shared_ptr<Image> stillAt(CMTime time, double timeoutSeconds, String& reason);

  private:
    GstElement* m_playbin = nullptr;
    GstElement* m_videoSink = nullptr;
    Listener m_listener;
};

// The media framework's address for an asset address: the text of an address with a scheme,
// a file address for a bare path.
std::string mediaUri(const String& address, bool hasScheme);

}  // namespace ov::detail
