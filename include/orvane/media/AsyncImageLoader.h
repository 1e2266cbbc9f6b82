#pragma once
// Loads images from web and file addresses without blocking the main thread, keeps them in an
// in-memory cache and hands each to whoever asked: a target object with a success action
// (image, address) and a failure action (error, address).
//
//   auto& loader = ov::AsyncImageLoader::sharedLoader();
//   loader.loadImageWithURL(url, screen, ov::AsyncImageSuccess{"imageLoaded:",
//       [](void* target, const auto& image, const auto& url) {
//           static_cast<Screen*>(target)->imageLoaded(image, url); }});
//   ov::RunLoop::main().runUntil(...);   // results arrive on the main run loop
//
// The queue keeps the connections loading first, in the order they started, then the waiting
// ones newest first. Each queue update starts up to concurrentLoads() waiting connections
// (those with a cached image start without counting). A finished load completes every queued
// connection for its address, and drops without a call an older request of the same target
// and success action queued in front of it. Main thread only, except the two shared
// instances, which any thread may make.

#include <memory>
#include <optional>
#include <vector>

#include "orvane/media/AsyncImageConnection.h"
#include "orvane/platform/threads/Cache.h"
#include "orvane/platform/threads/Notification.h"
#include "orvane/platform/threads/Subscription.h"

namespace ov {

class AsyncImageLoader {
  public:
    using Connections = std::vector<std::shared_ptr<AsyncImageConnection>>;

    AsyncImageLoader();

    // Both live for the whole process. The default cache holds up to 128 MB of pixels, least
    // recently used out first, and empties itself whole on each
    // UIApplicationDidReceiveMemoryWarningNotification.
    static AsyncImageLoader& sharedLoader();
    static const std::shared_ptr<Cache>& defaultCache();

    void loadImageWithURL(const std::optional<ov::URL>& URL, const AsyncImageTarget& target,
                          const std::optional<AsyncImageSuccess>& success,
                          const std::optional<AsyncImageFailure>& failure);
    void loadImageWithURL(const std::optional<ov::URL>& URL, const AsyncImageTarget& target,
                          const std::optional<AsyncImageSuccess>& action) {
        loadImageWithURL(URL, target, action, std::nullopt);
    }
    // Only fills the cache.
    void loadImageWithURL(const std::optional<ov::URL>& URL) {
        loadImageWithURL(URL, nullptr, std::nullopt, std::nullopt);
    }

    // Cancels and drops, without a call, every connection matching all the parts given
    // (addresses by value, targets by identity, actions by selector).
    void cancelLoadingURL(const std::optional<ov::URL>& URL, const void* target,
                          const std::optional<AsyncImageSuccess>& action);
    void cancelLoadingURL(const std::optional<ov::URL>& URL, const void* target) {
        cancelLoadingURL(URL, target, std::nullopt);
    }
    void cancelLoadingURL(const std::optional<ov::URL>& URL) {
        cancelLoadingURL(URL, nullptr, std::nullopt);
    }
    void cancelLoadingImagesForTarget(const void* target,
                                      const std::optional<AsyncImageSuccess>& action) {
        cancelLoadingURL(std::nullopt, target, action);
    }
    void cancelLoadingImagesForTarget(const void* target) {
        cancelLoadingURL(std::nullopt, target, std::nullopt);
    }

    // The address of the newest-placed connection of `target` (with that success action when
    // one is given).
    std::optional<ov::URL> URLForTarget(const void* target,
                                        const std::optional<AsyncImageSuccess>& action) const;
    std::optional<ov::URL> URLForTarget(const void* target) const {
        return URLForTarget(target, std::nullopt);
    }

    const std::shared_ptr<Cache>& cache() const { return m_cache; }
    void setCache(std::shared_ptr<Cache> cache) { m_cache = std::move(cache); }
    size_t concurrentLoads() const { return m_concurrentLoads; }
    void setConcurrentLoads(size_t loads) { m_concurrentLoads = loads; }
    double loadingTimeout() const { return m_loadingTimeout; }
    void setLoadingTimeout(double seconds) { m_loadingTimeout = seconds; }
    const Connections& connections() const { return m_connections; }
    void setConnections(Connections connections) { m_connections = std::move(connections); }

    void updateQueue();

  private:
    void enqueue(std::shared_ptr<AsyncImageConnection> connection);
    void imageLoaded(const Notification& notification);
    void imageFailed(const Notification& notification);
    std::optional<size_t> lastConnectionFor(const std::optional<String>& address) const;
    Connections removeSuperseded(size_t index);

    std::shared_ptr<Cache> m_cache;
    size_t m_concurrentLoads = 4;
    double m_loadingTimeout = 60.0;
    Connections m_connections;
    Subscription m_finishObserver;
    Subscription m_failObserver;
};

}  // namespace ov
