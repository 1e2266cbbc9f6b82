#pragma once
// A piece of timed media at an address (the platform's AVAsset and AVURLAsset): a local file or
// a network address. Its length comes from a look at the media itself, made on first use and
// kept.
//
//   auto asset = ov::AVURLAsset::assetWithURL(ov::URL::fileURLWithPath("/tmp/clip.webm"));
//   ov::CMTimeGetSeconds(asset->duration());   // 61.2
//
// Thread-safe. An address without a scheme stands for a local path.

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "orvane/platform/media/CMTime.h"
#include "orvane/platform/network/URL.h"

namespace ov {

class AVAsset {
  public:
    virtual ~AVAsset() = default;

    // kCMTimeInvalid (time scale 0) when the address holds no media the platform can read, or
    // media without a known length.
    CMTime duration() const;
    // Whether the media was read at all.
    bool isReadable() const;

    // The address as the media framework takes it ("file:///..."); empty without an address.
    const std::string& uri() const { return m_uri; }

  protected:
    explicit AVAsset(std::string uri) : m_uri(std::move(uri)) {}

  private:
    struct Facts {
        bool readable = false;
        CMTime duration = kCMTimeInvalid;
    };
    const Facts& facts() const;

    std::string m_uri;
    mutable std::once_flag m_discovered;
    mutable Facts m_facts;
};

class AVURLAsset final : public AVAsset {
    struct PrivateTag {};

  public:
    AVURLAsset(PrivateTag, std::optional<URL> url);

    // Nullptr without an address.
    static std::shared_ptr<AVURLAsset> assetWithURL(const std::optional<URL>& url);
    // Options are not taken; the name is the platform's.
    static std::shared_ptr<AVURLAsset> URLAssetWithURL(const std::optional<URL>& url);

    const std::optional<URL>& url() const { return m_url; }

  private:
    std::optional<URL> m_url;
};

}  // namespace ov
