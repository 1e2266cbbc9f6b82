#include "orvane/media/AsyncImageLoader.h"

#include <algorithm>

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/MemoryWarning.h"
#include "orvane/platform/threads/NotificationCenter.h"

namespace ov {
namespace {

std::optional<String> addressOf(const std::optional<ov::URL>& url) {
    if (!url) return std::nullopt;
    return url->absoluteString();
}

std::optional<String> addressIn(const Dictionary& userInfo) {
    const String* address = userInfo.objectForKey(AsyncImageURLKey).ifString();
    if (!address) return std::nullopt;
    return *address;
}

bool sameRequester(const AsyncImageConnection& left, const AsyncImageConnection& right) {
    return left.target() == right.target() && left.success() == right.success();
}

// Costs are pixel bytes: 128 MB holds some five hundred full-screen photos of a phone.
std::shared_ptr<Cache> boundedCache() {
    auto cache = std::make_shared<Cache>();
    cache->setTotalCostLimit(size_t{128} * 1024 * 1024);
    return cache;
}

}  // namespace

AsyncImageLoader::AsyncImageLoader()
    : m_cache(defaultCache()),
      m_finishObserver(NotificationCenter::defaultCenter().addObserver(
          String(AsyncImageLoadDidFinish),
          [this](const Notification& note) { imageLoaded(note); })),
      m_failObserver(NotificationCenter::defaultCenter().addObserver(
          String(AsyncImageLoadDidFail), [this](const Notification& note) { imageFailed(note); })) {
}

AsyncImageLoader& AsyncImageLoader::sharedLoader() {
    static AsyncImageLoader* const loader = new AsyncImageLoader();
    return *loader;
}

const std::shared_ptr<Cache>& AsyncImageLoader::defaultCache() {
    struct FlushedOnMemoryWarning {
        std::shared_ptr<Cache> cache = boundedCache();
        Subscription flush = NotificationCenter::defaultCenter().addObserver(
            String(UIApplicationDidReceiveMemoryWarningNotification),
            [cache = cache](const Notification&) { cache->removeAllObjects(); });
    };
    static FlushedOnMemoryWarning* const shared = new FlushedOnMemoryWarning();
    return shared->cache;
}

void AsyncImageLoader::loadImageWithURL(const std::optional<ov::URL>& URL,
                                        const AsyncImageTarget& target,
                                        const std::optional<AsyncImageSuccess>& success,
                                        const std::optional<AsyncImageFailure>& failure) {
    if (URL && m_cache) {
        if (auto image =
                std::dynamic_pointer_cast<Image>(m_cache->objectForKey(URL->absoluteString()))) {
            if (success) {
                DispatchQueue::main().async(
                    [target, success, image, URL] { success->call(target.get(), image, URL); });
            }
            return;
        }
    }
    enqueue(std::make_shared<AsyncImageConnection>(URL, m_cache, target, success, failure));
    updateQueue();
}

void AsyncImageLoader::enqueue(std::shared_ptr<AsyncImageConnection> connection) {
    const auto firstWaiting = std::find_if(m_connections.begin(), m_connections.end(),
                                           [](const auto& queued) { return !queued->isLoading(); });
    m_connections.insert(firstWaiting, std::move(connection));
}

// Works on a copy: a start without an address finishes at once, and the finish changes the
// queue.
void AsyncImageLoader::updateQueue() {
    size_t started = 0;
    for (const auto& connection : Connections(m_connections)) {
        if (connection->isLoading()) continue;
        if (std::find(m_connections.begin(), m_connections.end(), connection) ==
            m_connections.end()) {
            continue;
        }
        if (connection->cachedImage()) {
            connection->start();
        } else if (started < m_concurrentLoads) {
            ++started;
            connection->start();
        }
    }
}

void AsyncImageLoader::cancelLoadingURL(const std::optional<ov::URL>& URL, const void* target,
                                        const std::optional<AsyncImageSuccess>& action) {
    Connections dropped;
    std::erase_if(m_connections, [&](const auto& connection) {
        const bool matches = (!URL || connection->URL() == URL) &&
                             (!target || connection->target().get() == target) &&
                             (!action || connection->success() == action);
        if (!matches) return false;
        connection->cancel();
        dropped.push_back(connection);
        return true;
    });
}

std::optional<ov::URL> AsyncImageLoader::URLForTarget(
    const void* target, const std::optional<AsyncImageSuccess>& action) const {
    for (auto connection = m_connections.rbegin(); connection != m_connections.rend();
         ++connection) {
        if ((*connection)->target().get() == target &&
            (!action || (*connection)->success() == action)) {
            return (*connection)->URL();
        }
    }
    return std::nullopt;
}

std::optional<size_t> AsyncImageLoader::lastConnectionFor(
    const std::optional<String>& address) const {
    for (size_t index = m_connections.size(); index-- > 0;) {
        if (addressOf(m_connections[index]->URL()) == address) return index;
    }
    return std::nullopt;
}

// Cancels and removes the older requests of the same requester queued in front of `index`.
AsyncImageLoader::Connections AsyncImageLoader::removeSuperseded(size_t index) {
    const auto& later = *m_connections[index];
    Connections superseded;
    for (size_t before = index; before-- > 0;) {
        if (!sameRequester(*m_connections[before], later)) continue;
        m_connections[before]->cancel();
        superseded.push_back(m_connections[before]);
        m_connections.erase(m_connections.begin() + static_cast<std::ptrdiff_t>(before));
    }
    return superseded;
}

// The callbacks run with the queue already consistent, so they may queue or cancel loads;
// connections (and the targets they keep alive) are released between steps, never mid-walk.
void AsyncImageLoader::imageLoaded(const Notification& notification) {
    const std::optional<String> address = addressIn(notification.userInfo);
    const auto image = notification.userInfo.objectForKey(AsyncImageImageKey).ifObjectOf<Image>();
    while (const auto found = lastConnectionFor(address)) {
        const Connections superseded = removeSuperseded(*found);
        const size_t index = *found - superseded.size();
        const auto connection = m_connections[index];
        connection->cancel();
        m_connections.erase(m_connections.begin() + static_cast<std::ptrdiff_t>(index));
        if (connection->success()) {
            connection->success()->call(connection->target().get(), image, connection->URL());
        }
    }
    updateQueue();
}

void AsyncImageLoader::imageFailed(const Notification& notification) {
    const std::optional<String> address = addressIn(notification.userInfo);
    const Error* error = notification.userInfo.objectForKey(AsyncImageErrorKey).ifError();
    while (const auto found = lastConnectionFor(address)) {
        const auto connection = m_connections[*found];
        connection->cancel();
        m_connections.erase(m_connections.begin() + static_cast<std::ptrdiff_t>(*found));
        if (connection->failure() && error) {
            connection->failure()->call(connection->target().get(), *error, connection->URL());
        }
    }
    updateQueue();
}

}  // namespace ov
