#pragma once
// The image loader's notification names, user-info keys and error domain, and the actions a
// requester names: a success action called with (image, address) and a failure action called
// with (error, address). Actions match by selector, so two actions with one selector are the
// same action, as on the platform.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/values/Error.h"

namespace ov {

inline constexpr const char* AsyncImageLoadDidFinish = "AsyncImageLoadDidFinish";
inline constexpr const char* AsyncImageLoadDidFail = "AsyncImageLoadDidFail";
inline constexpr const char* AsyncImageImageKey = "image";
inline constexpr const char* AsyncImageURLKey = "URL";
inline constexpr const char* AsyncImageCacheKey = "cache";
inline constexpr const char* AsyncImageErrorKey = "error";
inline constexpr const char* AsyncImageLoaderErrorDomain = "AsyncImageLoader";

// Any object; the loader keeps it alive while a connection for it exists and compares it by
// address.
using AsyncImageTarget = std::shared_ptr<void>;

template <class... Arguments>
struct AsyncImageAction {
    std::string selector;
    std::function<void(void* target, Arguments...)> call;

    friend bool operator==(const AsyncImageAction& left, const AsyncImageAction& right) {
        return left.selector == right.selector;
    }
};

using AsyncImageSuccess =
    AsyncImageAction<const std::shared_ptr<Image>&, const std::optional<URL>&>;
using AsyncImageFailure = AsyncImageAction<const Error&, const std::optional<URL>&>;

}  // namespace ov
