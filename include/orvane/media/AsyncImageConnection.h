#pragma once
// One load of one address for one requester. The loader makes, starts and drops connections;
// a connection reads the file or fetches the address off the main thread, decodes there (one
// decode at a time in the process), and announces the result with AsyncImageLoadDidFinish or
// AsyncImageLoadDidFail, posted on the main thread with the address as a string under "URL".

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "orvane/media/AsyncImageNames.h"
#include "orvane/platform/threads/Cache.h"
#include "orvane/platform/values/Data.h"

namespace ov {

class AsyncImageConnection : public std::enable_shared_from_this<AsyncImageConnection> {
  public:
    AsyncImageConnection(std::optional<ov::URL> URL, std::shared_ptr<Cache> cache,
                         AsyncImageTarget target, std::optional<AsyncImageSuccess> success,
                         std::optional<AsyncImageFailure> failure);

    // Main thread.
    void start();
    // Main thread. A cancelled connection never calls back.
    void cancel();
    // From the cache, or for a file inside the application bundle's resources, from the
    // bundle by its relative name (then cached).
    std::shared_ptr<Image> cachedImage() const;

    bool isLoading() const { return m_loading.load(); }
    bool isCancelled() const { return m_cancelled.load(); }
    const std::optional<ov::URL>& URL() const { return m_URL; }
    const std::shared_ptr<Cache>& cache() const { return m_cache; }
    const AsyncImageTarget& target() const { return m_target; }
    const std::optional<AsyncImageSuccess>& success() const { return m_success; }
    const std::optional<AsyncImageFailure>& failure() const { return m_failure; }

  private:
    void startDataTask();
    void loadDataInBackground();
    void processDataInBackground(const Data& data);
    void postImage(const std::shared_ptr<Image>& image);
    void loadFailedWithError(const Error& error);

    // Written on the main thread, read by the background steps.
    std::atomic<bool> m_loading{false};
    std::atomic<bool> m_cancelled{false};
    const std::optional<ov::URL> m_URL;
    const std::shared_ptr<Cache> m_cache;
    const AsyncImageTarget m_target;
    const std::optional<AsyncImageSuccess> m_success;
    const std::optional<AsyncImageFailure> m_failure;
    std::function<void()> m_cancellationToken;
};

}  // namespace ov
