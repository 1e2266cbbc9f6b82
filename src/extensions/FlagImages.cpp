#include "FlagImages.h"

#include <map>
#include <mutex>
#include <tuple>

#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/values/Format.h"

namespace ov::flag_images {

std::shared_ptr<Image> flagForCode(const String& code) {
    using Key = std::tuple<String, double, String>;
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<Image>> cache;
    const auto bundle = Bundle::mainBundle();
    Key key{bundle->bundlePath(), Image::screenScale(), code};
    {
        const std::lock_guard lock(mutex);
        if (const auto found = cache.find(key); found != cache.end()) return found->second;
    }
    // Decoded outside the lock; two threads may both decode a flag once, which is harmless.
    auto image = Image::imageNamed(stringWithFormat("%@.png", code), bundle);
    const std::lock_guard lock(mutex);
    return cache.try_emplace(std::move(key), std::move(image)).first->second;
}

}  // namespace ov::flag_images
