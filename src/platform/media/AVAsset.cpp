#include "orvane/platform/media/AVAsset.h"

#include <gst/pbutils/pbutils.h>

#include "platform/media/Playbin.h"

namespace ov {
namespace {

// A look at a file takes milliseconds; a network address may take longer, never forever.
constexpr GstClockTime kDiscoveryTimeout = 10 * GST_SECOND;

std::string uriOf(const std::optional<URL>& url) {
    if (!url) return {};
    return detail::mediaUri(url->scheme() ? url->absoluteString() : url->path(),
                            url->scheme().has_value());
}

}  // namespace

const AVAsset::Facts& AVAsset::facts() const {
    std::call_once(m_discovered, [this] {
        if (m_uri.empty()) return;
        detail::ensureGStreamer();
        GstDiscoverer* discoverer = gst_discoverer_new(kDiscoveryTimeout, nullptr);
        if (!discoverer) return;
        GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, m_uri.c_str(), nullptr);
        if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
            m_facts.readable = true;
            const GstClockTime length = gst_discoverer_info_get_duration(info);
            if (GST_CLOCK_TIME_IS_VALID(length))
                m_facts.duration =
                    CMTimeMake(static_cast<int64_t>(length), static_cast<int32_t>(GST_SECOND));
        }
        if (info) gst_discoverer_info_unref(info);
        g_object_unref(discoverer);
    });
    return m_facts;
}

CMTime AVAsset::duration() const {
    return facts().duration;
}
bool AVAsset::isReadable() const {
    return facts().readable;
}

AVURLAsset::AVURLAsset(PrivateTag, std::optional<ov::URL> url)
    : AVAsset(uriOf(url)), m_url(std::move(url)) {}

std::shared_ptr<AVURLAsset> AVURLAsset::assetWithURL(const std::optional<ov::URL>& url) {
    if (!url) return nullptr;
    return std::make_shared<AVURLAsset>(PrivateTag{}, url);
}

std::shared_ptr<AVURLAsset> AVURLAsset::URLAssetWithURL(const std::optional<ov::URL>& url) {
    return assetWithURL(url);
}

}  // namespace ov
