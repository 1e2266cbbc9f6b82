#include "orvane/platform/files/FileManager.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace ov {
namespace {

namespace fs = std::filesystem;

fs::path toPath(const String& path) {
    return fs::path(path.toUtf8());
}

void fail(Error* error, long long code, const std::string& what, const std::string& reason) {
    if (!error) return;
    *error = Error(NSCocoaErrorDomain, code,
                   {{NSLocalizedDescriptionKey, String(what + ": " + reason)}});
}

void failWithErrno(Error* error, long long code, const std::string& what, int number) {
    fail(error, number == ENOENT ? FileManager::kFileNoSuchFileError : code, what,
         std::strerror(number));
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeDirectory() {
    if (std::string home = environment("HOME"); !home.empty()) return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_dir;
    return fs::temp_directory_path().string();
}

bool writeAll(int fd, const Data& data) {
    size_t written = 0;
    while (written < data.length()) {
        const ssize_t count = ::write(fd, data.bytes() + written, data.length() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<size_t>(count);
    }
    return true;
}

constexpr const char* kTemporaryMark = ".tmp.";
// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

std::string temporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + kTemporaryMark;
}

// A name no other writer picks: the process, a per-process counter and a random part.
std::string temporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    return temporaryPrefix(target) + std::to_string(::getpid()) + "." + std::to_string(counter++) +
           "." + std::to_string(random());
}

// Only names of temporaryName's shape count, so a user's own ".x.tmp.notes" is never touched.
bool isTemporaryOf(std::string_view name, const std::string& prefix) {
    if (!name.starts_with(prefix)) return false;
    const std::string_view numbers = name.substr(prefix.size());
    return numbers.find_first_not_of("0123456789.") == std::string_view::npos &&
           std::ranges::count(numbers, '.') == 2 && !numbers.starts_with('.') &&
           !numbers.ends_with('.') && numbers.find("..") == std::string_view::npos;
}

// A writer holds an flock on its temporary file from making it until it is renamed or removed,
// so an unlocked one was left by a writer that died. It is removed under our own lock: a writer
// that has just made it and waits for the lock then finds it gone and picks another name.
void removeAbandonedTemporaries(const fs::path& folder, const fs::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code code;
    // Stepped with an error code: the plain ++ of a folder listing throws.
    for (fs::directory_iterator entry(folder, code), end; !code && entry != end;
         entry.increment(code)) {
        const fs::path& path = entry->path();
        if (!isTemporaryOf(path.filename().native(), prefix)) continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
        ::close(fd);
    }
}

// The file a chain of symbolic links ends at (the path itself when it is no link): a rewrite
// replaces that file and keeps the links. A link to a missing file names the file to make.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        std::error_code code;
        if (!fs::is_symlink(fs::symlink_status(path, code))) return path;
        const fs::path next = fs::read_symlink(path, code);
        if (code) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

// Opens a fresh temporary file beside `target`, locked for this writer; -1 with errno set when
// none can be made. It starts private when it will replace a file, and takes that file's owner
// and mode once written, so the content is never open to more people than before; a new file
// gets its mode from the umask, as any new file does.
int openTemporary(const fs::path& target, bool replacing, fs::path& temporary) {
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = folder / temporaryName(target);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              replacing ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        struct stat made {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &made) == 0 && made.st_nlink > 0) return fd;
        ::close(fd);  // taken by a cleaner before we locked it
    }
    errno = EEXIST;
    return -1;
}

// Owner first: changing it clears the set-id bits the mode then puts back. Only root can give
// the file back to another owner; anyone else's rewrite makes it theirs, as a rename always did.
bool takeOwnerAndMode(int fd, const struct stat& old) {
    struct stat made {};
    if (::fstat(fd, &made) != 0) return false;
    const bool sameOwner = made.st_uid == old.st_uid && made.st_gid == old.st_gid;
    if (!sameOwner && ::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// A pipe or a device (/dev/stdout, /dev/null) has no content to replace; renaming over it would
// put a plain file in its place.
bool isStream(const String& path) {
    struct stat found {};
    return ::stat(path.toUtf8().c_str(), &found) == 0 && !S_ISREG(found.st_mode) &&
           !S_ISDIR(found.st_mode);
}

// The error number of the failure, 0 on success.
int writeInPlace(const String& path, const Data& data) {
    const int fd = ::open(path.toUtf8().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return errno;
    errno = 0;
    if (!writeAll(fd, data)) {
        const int number = errno ? errno : EIO;
        ::close(fd);
        return number;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

bool syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

FileManager& FileManager::defaultManager() {
    static FileManager manager;
    return manager;
}

String FileManager::applicationIdentifier() const {
    std::lock_guard lock(m_mutex);
    return m_applicationIdentifier.isEmpty() ? String(kDefaultApplicationIdentifier)
                                             : m_applicationIdentifier;
}

void FileManager::setApplicationIdentifier(const String& identifier) {
    std::lock_guard lock(m_mutex);
    m_applicationIdentifier = identifier;
}

void FileManager::setDocumentsDirectory(const String& path) {
    std::lock_guard lock(m_mutex);
    m_documentsDirectory = path;
}

String FileManager::documentsDirectory() const {
    fs::path folder;
    {
        std::lock_guard lock(m_mutex);
        folder = toPath(m_documentsDirectory);
    }
    if (folder.empty()) folder = environment(kDocumentsEnvironmentVariable);
    if (folder.empty()) {
        fs::path data = environment("XDG_DATA_HOME");
        if (data.empty() || data.is_relative()) data = fs::path(homeDirectory()) / ".local/share";
        folder = data / applicationIdentifier().toUtf8() / "Documents";
    }
    std::error_code code;
    folder = fs::absolute(folder, code).lexically_normal();
    // A folder that cannot be made is still answered, so that writes into it fail there.
    fs::create_directories(folder, code);
    std::string text = folder.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return String(text);
}

bool FileManager::fileExistsAtPath(const String& path) const {
    std::error_code code;
    return fs::exists(toPath(path), code);
}

bool FileManager::isDirectory(const String& path) const {
    std::error_code code;
    return fs::is_directory(toPath(path), code);
}

bool FileManager::copyItemAtPath(const String& from, const String& to, Error* error) const {
    const std::string what = "copy " + from.toUtf8() + " to " + to.toUtf8();
    std::error_code code;
    if (fs::exists(fs::symlink_status(toPath(to), code))) {
        fail(error, kFileWriteFileExistsError, what, "the destination exists");
        return false;
    }
    fs::copy(toPath(from), toPath(to), fs::copy_options::recursive, code);
    if (code) failWithErrno(error, kFileWriteUnknownError, what, code.value());
    return !code;
}

bool FileManager::removeItemAtPath(const String& path, Error* error) const {
    std::error_code code;
    const auto removed = fs::remove_all(toPath(path), code);
    if (!code && removed == 0) code = std::make_error_code(std::errc::no_such_file_or_directory);
    if (code) failWithErrno(error, kFileWriteUnknownError, "remove " + path.toUtf8(), code.value());
    return !code;
}

bool FileManager::createDirectoryAtPath(const String& path, bool withIntermediateDirectories,
                                        Error* error) const {
    std::error_code code;
    const fs::path folder = toPath(path);
    if (withIntermediateDirectories) {
        fs::create_directories(folder, code);
        if (!code && !fs::is_directory(folder, code))
            code = std::make_error_code(std::errc::file_exists);
    } else if (!fs::create_directory(folder, code) && !code) {
        code = std::make_error_code(std::errc::file_exists);
    }
    if (code) failWithErrno(error, kFileWriteUnknownError, "create " + path.toUtf8(), code.value());
    return !code;
}

std::optional<Data> FileManager::contentsAtPath(const String& path) const {
    const int fd = ::open(path.toUtf8().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    ::close(fd);
    return Data(std::move(bytes));
}

bool FileManager::writeAtomically(const String& path, const Data& data, Error* error) const {
    const std::string what = "write " + path.toUtf8();
    if (toPath(path).filename().empty()) {
        fail(error, kFileWriteUnknownError, what, "not a file name");
        return false;
    }
    if (isStream(path)) {
        const int number = writeInPlace(path, data);
        if (number != 0) failWithErrno(error, kFileWriteUnknownError, what, number);
        return number == 0;
    }
    const auto followed = followLinks(toPath(path));
    if (!followed) {
        failWithErrno(error, kFileWriteUnknownError, what, ELOOP);
        return false;
    }
    const fs::path target = followed->has_parent_path() ? *followed : "." / *followed;
    const fs::path folder = target.parent_path();
    removeAbandonedTemporaries(folder, target);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    fs::path temporary;
    const int fd = openTemporary(target, replacing, temporary);
    if (fd < 0) {
        failWithErrno(error, kFileWriteUnknownError, what, errno);
        return false;
    }
    // The lock on the temporary file lasts until it is renamed, so no cleaner takes it first.
    errno = 0;
    const bool written = writeAll(fd, data) && (!replacing || takeOwnerAndMode(fd, old)) &&
                         ::fsync(fd) == 0 && ::rename(temporary.c_str(), target.c_str()) == 0;
    const int number = errno;
    if (!written) ::unlink(temporary.c_str());
    ::close(fd);
    if (!written) {
        failWithErrno(error, kFileWriteUnknownError, what, number ? number : EIO);
        return false;
    }
    // The rename is durable only once the folder's entry is on disk.
    syncFolder(folder);
    return true;
}

}  // namespace ov
