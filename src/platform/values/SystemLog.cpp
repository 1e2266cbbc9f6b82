#include "orvane/platform/values/SystemLog.h"

#include <errno.h>
#include <sys/types.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>

#include "orvane/platform/values/Clock.h"
#include "orvane/platform/values/Date.h"
#include "platform/values/SystemLogOutput.h"

namespace ov {

namespace {

struct LogState {
    std::mutex mutex;
    SystemLogCapture* innermost = nullptr;
    int fileDescriptor = STDERR_FILENO;
};

// Never destroyed: threads may log while the process exits.
LogState& logState() {
    static auto* state = new LogState;
    return *state;
}

// "2026-12-06 20:05:45.123 process[pid:tid] ", local time.
std::string entryPrefix() {
    const double since1970 = Clock::current().now() + kTimeIntervalBetween1970AndReferenceDate;
    // Rounded to whole milliseconds first, so that x.123 never prints as x.122.
    const auto totalMilliseconds = static_cast<long long>(std::llround(since1970 * 1000.0));
    const auto milliseconds = static_cast<int>(((totalMilliseconds % 1000) + 1000) % 1000);
    const auto seconds = static_cast<time_t>((totalMilliseconds - milliseconds) / 1000);
    tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    char prefix[160];
    snprintf(prefix, sizeof prefix, "%s.%03d %s[%d:%d] ", stamp, milliseconds,
             program_invocation_short_name, static_cast<int>(getpid()), static_cast<int>(gettid()));
    return prefix;
}

// One write(2) for the whole line, so that lines of other processes sharing the descriptor
// do not cut into it either.
void writeFully(int fileDescriptor, const std::string& line) {
    size_t written = 0;
    while (written < line.size()) {
        const ssize_t count = ::write(fileDescriptor, line.data() + written, line.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return;
        written += static_cast<size_t>(count);
    }
}

}  // namespace

int systemlog::exchangeOutputDescriptor(int fileDescriptor) {
    LogState& state = logState();
    std::lock_guard lock(state.mutex);
    const int previous = state.fileDescriptor;
    state.fileDescriptor = fileDescriptor;
    return previous;
}

void SystemLog::write(const String& entry) {
    std::string message = entry.toUtf8();
    LogState& state = logState();
    {
        std::lock_guard lock(state.mutex);
        if (state.innermost) {
            state.innermost->append(std::move(message));
            return;
        }
    }
    std::string line = entryPrefix() + message;
    if (line.back() != '\n') line += '\n';
    std::lock_guard lock(state.mutex);
    writeFully(state.fileDescriptor, line);
}

SystemLogCapture::SystemLogCapture() {
    LogState& state = logState();
    std::lock_guard lock(state.mutex);
    m_previous = state.innermost;
    state.innermost = this;
}

SystemLogCapture::~SystemLogCapture() {
    LogState& state = logState();
    std::lock_guard lock(state.mutex);
    // Usually the innermost; an outer capture destroyed first is unlinked all the same.
    for (SystemLogCapture** link = &state.innermost; *link; link = &(*link)->m_previous) {
        if (*link == this) {
            *link = m_previous;
            break;
        }
    }
}

std::vector<std::string> SystemLogCapture::entries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

void SystemLogCapture::clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

void SystemLogCapture::append(std::string entry) {
    std::lock_guard lock(m_mutex);
    m_entries.push_back(std::move(entry));
}

}  // namespace ov
