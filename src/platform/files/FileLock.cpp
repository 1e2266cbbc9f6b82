#include "orvane/platform/files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

namespace ov {

namespace {

std::mutex& tableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, std::weak_ptr<std::mutex>>& table() {
    static std::map<std::string, std::weak_ptr<std::mutex>> entries;
    return entries;
}

// Entries live while some lock uses them, so the table does not grow with every path seen.
std::shared_ptr<std::mutex> entryFor(const std::string& key) {
    std::lock_guard lock(tableMutex());
    auto& entries = table();
    std::erase_if(entries, [](const auto& item) { return item.second.expired(); });
    std::weak_ptr<std::mutex>& slot = entries[key];
    std::shared_ptr<std::mutex> entry = slot.lock();
    if (!entry) {
        entry = std::make_shared<std::mutex>();
        slot = entry;
    }
    return entry;
}

std::string normalised(const String& path) {
    std::error_code code;
    const std::filesystem::path absolute = std::filesystem::absolute(path.toUtf8(), code);
    return (code ? std::filesystem::path(path.toUtf8()) : absolute).lexically_normal().string();
}

}  // namespace

FileLock::FileLock(const String& path) {
    const std::string key = normalised(path);
    m_mutex = entryFor(key);
    m_mutex->lock();
    const std::string sidecar = key + ".lock";
    m_fd = ::open(sidecar.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0) return;
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FileLock::~FileLock() {
    // Closing the descriptor releases the flock.
    if (m_fd >= 0) ::close(m_fd);
    m_mutex->unlock();
}

}  // namespace ov
