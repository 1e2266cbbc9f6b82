#include "platform/media/Playbin.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "orvane/platform/media/AudioOutput.h"

namespace ov::detail {
namespace {

// Cairo's ARGB32 on a little-endian machine is B, G, R, A in memory.
constexpr const char* kFrameCaps =
    G_BYTE_ORDER == G_LITTLE_ENDIAN ? "video/x-raw,format=BGRA" : "video/x-raw,format=ARGB";
// playbin's flags: video, audio, soft volume; "none" drops the audio branch entirely.
constexpr int kFlagsWithAudio = 0x1 | 0x2 | 0x10;
constexpr int kFlagsVideoOnly = 0x1;

GstClockTime nanoseconds(double seconds) {
    return static_cast<GstClockTime>(seconds * static_cast<double>(GST_SECOND));
}

std::shared_ptr<Image> imageFromSample(GstSample* sample) {
    if (!sample) return nullptr;
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) return nullptr;
    GstVideoFrame frame;
    if (!gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ)) return nullptr;
    const int width = GST_VIDEO_FRAME_WIDTH(&frame);
    const int height = GST_VIDEO_FRAME_HEIGHT(&frame);
    const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
    const auto* source = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0));
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row)
        std::memcpy(pixels->data() + static_cast<size_t>(row) * width * 4, source + row * stride,
                    static_cast<size_t>(width) * 4);
    gst_video_frame_unmap(&frame);
    return Image::imageWithARGB32(width, height, std::move(pixels));
}

// Whether the system has a sound output that opens; asked once.
bool defaultAudioOpens() {
    static const bool opens = [] {
        GstElement* probe = gst_element_factory_make("autoaudiosink", nullptr);
        if (!probe) return false;
        const bool ready =
            gst_element_set_state(probe, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
        gst_element_set_state(probe, GST_STATE_NULL);
        gst_object_unref(probe);
        return ready;
    }();
    return opens;
}

GstElement* makeAudioSink() {
    if (audioOutput() == AudioOutput::Default && defaultAudioOpens())
        return gst_element_factory_make("autoaudiosink", nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    // Discarded sound still keeps time, so a sound-only item plays for its length.
    if (sink) g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

GstFlowReturn deliverSample(GstSample* sample, const Playbin::Listener& listener) {
    auto image = imageFromSample(sample);
    if (sample) gst_sample_unref(sample);
    if (image && listener.frame) listener.frame(std::move(image));
    return GST_FLOW_OK;
}

String errorReason(GstMessage* message) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    String reason = error && error->message ? String(error->message) : String("unknown error");
    if (error) g_error_free(error);
    return reason;
}

GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer data) {
    const auto& listener = *static_cast<const Playbin::Listener*>(data);
    using Kind = PlaybinEvent::Kind;
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_ASYNC_DONE:
            listener.event({Kind::AsyncDone, {}});
            break;
        case GST_MESSAGE_EOS:
            listener.event({Kind::EndOfStream, {}});
            break;
        case GST_MESSAGE_ERROR:
            listener.event({Kind::Error, errorReason(message)});
            break;
        case GST_MESSAGE_STATE_CHANGED: {
            if (!GST_IS_PIPELINE(GST_MESSAGE_SRC(message))) break;
            GstState now = GST_STATE_NULL;
            gst_message_parse_state_changed(message, nullptr, &now, nullptr);
            if (now == GST_STATE_PLAYING) listener.event({Kind::Playing, {}});
            break;
        }
        default:
            break;
    }
    return GST_BUS_DROP;
}

}  // namespace

void ensureGStreamer() {
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

std::string mediaUri(const String& address, bool hasScheme) {
    if (hasScheme) return address.toUtf8();
    ensureGStreamer();
    gchar* uri = gst_filename_to_uri(address.toUtf8().c_str(), nullptr);
    std::string text = uri ? uri : "";
    g_free(uri);
    return text;
}

Playbin::Playbin(const std::string& uri, Sound sound, Listener listener)
    : m_listener(std::move(listener)) {
    ensureGStreamer();
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    GstElement* videoSink = gst_element_factory_make("appsink", nullptr);
    GstElement* audioSink = sound == Sound::Output ? makeAudioSink() : nullptr;
    if (!playbin || !videoSink || (sound == Sound::Output && !audioSink)) {
        for (GstElement* element : {playbin, videoSink, audioSink})
            if (element) gst_object_unref(gst_object_ref_sink(element));
        return;
    }
    GstCaps* caps = gst_caps_from_string(kFrameCaps);
    g_object_set(videoSink, "caps", caps, "enable-last-sample", FALSE, "max-buffers", 1u, nullptr);
    gst_caps_unref(caps);
    g_object_set(playbin, "uri", uri.c_str(), "video-sink", videoSink, "flags",
                 sound == Sound::Output ? kFlagsWithAudio : kFlagsVideoOnly, nullptr);
    if (audioSink) g_object_set(playbin, "audio-sink", audioSink, nullptr);
    m_playbin = playbin;
    m_videoSink = videoSink;
    if (m_listener.frame) {
        GstAppSinkCallbacks callbacks{};
        callbacks.new_preroll = [](GstAppSink* sink, gpointer data) {
            return deliverSample(gst_app_sink_pull_preroll(sink),
                                 *static_cast<const Listener*>(data));
        };
        callbacks.new_sample = [](GstAppSink* sink, gpointer data) {
            return deliverSample(gst_app_sink_pull_sample(sink),
                                 *static_cast<const Listener*>(data));
        };
        gst_app_sink_set_callbacks(GST_APP_SINK(videoSink), &callbacks, &m_listener, nullptr);
    }
    if (m_listener.event) {
        GstBus* bus = gst_element_get_bus(m_playbin);
        gst_bus_set_sync_handler(bus, onBusMessage, &m_listener, nullptr);
        gst_object_unref(bus);
    }
}

Playbin::~Playbin() {
    if (!m_playbin) return;
    // Joins the streaming threads: no callback runs after this. What the change itself posts
    // still reaches the listener, which only queues it for a player that drops it.
    gst_element_set_state(m_playbin, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(m_playbin);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(m_playbin);
}

void Playbin::setPlaying(bool playing) {
    if (m_playbin) gst_element_set_state(m_playbin, playing ? GST_STATE_PLAYING : GST_STATE_PAUSED);
}

bool Playbin::seek(double seconds, double rate) {
    if (!m_playbin) return false;
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    return gst_element_seek(m_playbin, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                            static_cast<gint64>(nanoseconds(seconds)), GST_SEEK_TYPE_NONE,
                            static_cast<gint64>(GST_CLOCK_TIME_NONE));
}

std::optional<double> Playbin::position() const {
    gint64 position = 0;
    if (!m_playbin || !gst_element_query_position(m_playbin, GST_FORMAT_TIME, &position) ||
        position < 0)
        return std::nullopt;
    return static_cast<double>(position) / GST_SECOND;
}

void Playbin::setVolume(double volume, bool muted) {
    if (m_playbin) g_object_set(m_playbin, "volume", volume, "mute", muted ? TRUE : FALSE, nullptr);
}

std::shared_ptr<Image> Playbin::stillAt(CMTime time, double timeoutSeconds, String& reason) {
    if (!m_playbin) {
        reason = "the media framework lacks a part";
        return nullptr;
    }
    const GstClockTime timeout = nanoseconds(timeoutSeconds);
    auto settle = [&] {
        if (gst_element_get_state(m_playbin, nullptr, nullptr, timeout) != GST_STATE_CHANGE_FAILURE)
            return true;
        GstBus* bus = gst_element_get_bus(m_playbin);
        GstMessage* error = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
        reason = error ? errorReason(error) : String("the media could not be opened");
        if (error) gst_message_unref(error);
        gst_object_unref(bus);
        return false;
    };
    gst_element_set_state(m_playbin, GST_STATE_PAUSED);
    if (!settle()) return nullptr;
    if (!seek(CMTimeGetSeconds(time), 1.0) || !settle()) {
        if (reason.isEmpty()) reason = "the time is outside the media";
        return nullptr;
    }
    GstSample* sample = gst_app_sink_try_pull_preroll(GST_APP_SINK(m_videoSink), timeout);
    auto image = imageFromSample(sample);
    if (sample) gst_sample_unref(sample);
    if (!image) reason = "no picture at that time";
    return image;
}

}  // namespace ov::detail
