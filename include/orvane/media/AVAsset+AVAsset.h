#pragma once
// Three questions about a media file: its picture at one second, its length in whole seconds
// (rounded up) and that length as text.
//
//   auto clip = ov::URL::fileURLWithPath("/tmp/clip.ogg");   // 61.2 seconds long
//   ov::AVAsset_AVAsset::secondsFileUrl(clip);                // 62
//   ov::AVAsset_AVAsset::formattedTimeFileUrl(clip);          // "1m 2s"
//
// They block while the file is read, so they may run on any thread.

#include <cstdint>
#include <memory>
#include <optional>

#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/files/Image.h"
#include "orvane/platform/network/URL.h"

namespace ov::AVAsset_AVAsset {

// Nullptr when the file has no picture at one second.
std::shared_ptr<Image> imageFileUrl(const std::optional<URL>& url);
// 0 when the length cannot be known (not media, or a length without a time scale).
int32_t secondsFileUrl(const std::optional<URL>& url);
NSString_NSString::Text formattedTimeFileUrl(const std::optional<URL>& url);

}  // namespace ov::AVAsset_AVAsset
