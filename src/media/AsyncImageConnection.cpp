#include "orvane/media/AsyncImageConnection.h"

#include <mutex>

#include "orvane/media/AsyncImageLoader.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/network/URLSession.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"

namespace ov {
namespace {

// One decode at a time in the whole process keeps peak memory to one image being decoded.
std::mutex g_decodeMutex;

bool isFileURL(const URL& url) {
    return url.scheme() && url.scheme()->toUtf8() == "file";
}

// 2 or 3 for a last path component like "photo@2x.png", else 1.
double scaleOfAddress(const std::optional<ov::URL>& url) {
    if (!url) return 1.0;
    std::string name = url->path().toUtf8();
    name = name.substr(name.find_last_of('/') + 1);
    name = name.substr(0, name.find_last_of('.'));
    if (name.ends_with("@2x")) return 2.0;
    if (name.ends_with("@3x")) return 3.0;
    return 1.0;
}

size_t costOf(const Image& image) {
    return image.pixels()->size();
}

Error invalidImageDataError() {
    Dictionary userInfo;
    userInfo.setObject(String("Invalid image data"), NSLocalizedDescriptionKey);
    return Error(AsyncImageLoaderErrorDomain, 0, std::move(userInfo));
}

// The platform's reading errors: 260 for a missing file, 256 for any other failure.
Error fileReadError(const String& path) {
    const bool exists = FileManager::defaultManager().fileExistsAtPath(path);
    std::string name = path.toUtf8();
    name = name.substr(name.find_last_of('/') + 1);
    Dictionary userInfo;
    userInfo.setObject(String("The file \u201c" + name + "\u201d couldn\u2019t be opened" +
                              (exists ? "." : " because there is no such file.")),
                       NSLocalizedDescriptionKey);
    userInfo.setObject(path, "NSFilePath");
    return Error(NSCocoaErrorDomain, exists ? 256 : 260, std::move(userInfo));
}

void postOnMainThread(std::function<void()> step) {
    RunLoop::main().perform(std::move(step));
}

}  // namespace

AsyncImageConnection::AsyncImageConnection(std::optional<ov::URL> URL, std::shared_ptr<Cache> cache,
                                           AsyncImageTarget target,
                                           std::optional<AsyncImageSuccess> success,
                                           std::optional<AsyncImageFailure> failure)
    : m_URL(std::move(URL)),
      m_cache(std::move(cache)),
      m_target(std::move(target)),
      m_success(std::move(success)),
      m_failure(std::move(failure)) {}

std::shared_ptr<Image> AsyncImageConnection::cachedImage() const {
    if (!m_URL) return nullptr;
    const String key = m_URL->absoluteString();
    if (m_cache) {
        if (auto image = std::dynamic_pointer_cast<Image>(m_cache->objectForKey(key))) return image;
    }
    if (!isFileURL(*m_URL)) return nullptr;
    const std::string path = m_URL->path().toUtf8();
    const std::string resources = Bundle::mainBundle()->resourcePath().toUtf8();
    if (resources.empty() || !path.starts_with(resources)) return nullptr;
    std::string name = path.substr(resources.size());
    if (name.starts_with('/')) name.erase(0, 1);
    auto image = Image::imageNamed(String(name));
    if (image && m_cache) m_cache->setObject(image, key, costOf(*image));
    return image;
}

void AsyncImageConnection::start() {
    if (m_loading.load() && !m_cancelled.load()) return;
    m_loading.store(true);
    m_cancelled.store(false);
    if (!m_URL) {
        postImage(nullptr);
    } else if (auto image = cachedImage()) {
        postOnMainThread([self = shared_from_this(), image] { self->postImage(image); });
    } else if (isFileURL(*m_URL)) {
        DispatchQueue::global().async(
            [self = shared_from_this()] { self->loadDataInBackground(); });
    } else {
        startDataTask();
    }
}

// The status code is not looked at: an error page fails in decoding.
void AsyncImageConnection::startDataTask() {
    const URLRequest request(m_URL, AsyncImageLoader::sharedLoader().loadingTimeout());
    auto task = URLSession::sharedSession().dataTaskWithRequest(
        request, [weak = weak_from_this()](const URLLoadResult& result) {
            const auto self = weak.lock();
            if (!self || self->isCancelled()) return;
            if (result.error) {
                postOnMainThread(
                    [self, error = *result.error] { self->loadFailedWithError(error); });
            } else {
                DispatchQueue::global().async(
                    [self, data = *result.data] { self->processDataInBackground(data); });
            }
        });
    task->resume();
    m_cancellationToken = [task] { task->cancel(); };
}

void AsyncImageConnection::cancel() {
    m_cancelled.store(true);
    if (auto token = std::exchange(m_cancellationToken, {})) token();
}

void AsyncImageConnection::loadDataInBackground() {
    if (isCancelled()) return;
    const std::optional<Data> data = FileManager::defaultManager().contentsAtPath(m_URL->path());
    if (!data) {
        postOnMainThread([self = shared_from_this(), error = fileReadError(m_URL->path())] {
            self->loadFailedWithError(error);
        });
        return;
    }
    processDataInBackground(*data);
}

void AsyncImageConnection::processDataInBackground(const Data& data) {
    if (isCancelled()) {
        postOnMainThread([self = shared_from_this()] { self->postImage(nullptr); });
        return;
    }
    // Decoding yields every pixel upright at once, so the main thread never decodes.
    const std::shared_ptr<Image> image =
        Image::imageWithData(data, scaleOfAddress(m_URL), g_decodeMutex);
    if (image && m_cache && m_URL) {
        m_cache->setObject(image, m_URL->absoluteString(), costOf(*image));
    }
    if (image) {
        postOnMainThread([self = shared_from_this(), image] { self->postImage(image); });
    } else {
        postOnMainThread(
            [self = shared_from_this()] { self->loadFailedWithError(invalidImageDataError()); });
    }
}

void AsyncImageConnection::postImage(const std::shared_ptr<Image>& image) {
    if (m_cancelled.load()) {
        m_loading.store(false);
        m_cancelled.store(false);
        return;
    }
    Dictionary userInfo;
    if (image) {
        userInfo.setObject(Value(std::static_pointer_cast<Object>(image)), AsyncImageImageKey);
        if (m_URL) userInfo.setObject(m_URL->absoluteString(), AsyncImageURLKey);
    }
    if (m_cache)
        userInfo.setObject(Value(std::static_pointer_cast<Object>(m_cache)), AsyncImageCacheKey);
    m_loading.store(false);
    NotificationCenter::defaultCenter().postNotification(AsyncImageLoadDidFinish, {}, userInfo);
}

void AsyncImageConnection::loadFailedWithError(const Error& error) {
    m_loading.store(false);
    m_cancelled.store(false);
    Dictionary userInfo;
    if (m_URL) userInfo.setObject(m_URL->absoluteString(), AsyncImageURLKey);
    userInfo.setObject(Value(error), AsyncImageErrorKey);
    NotificationCenter::defaultCenter().postNotification(AsyncImageLoadDidFail, {}, userInfo);
}

}  // namespace ov
