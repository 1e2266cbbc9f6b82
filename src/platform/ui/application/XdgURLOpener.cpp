#include "platform/ui/application/XdgURLOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace ov::ui {

namespace {

class FileActions {
  public:
    FileActions() { posix_spawn_file_actions_init(&m_actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&m_actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &m_actions; }

  private:
    posix_spawn_file_actions_t m_actions;
};

// None when the program could not be started.
std::optional<pid_t> spawn(std::vector<std::string> arguments, FileActions& actions) {
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
        return std::nullopt;
    }
    return pid;
}

int waitForExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool XdgURLOpener::openURL(const URL& url) {
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto pid = spawn({"xdg-open", url.absoluteString().toUtf8()}, actions);
    if (!pid) return false;
    // Some handlers keep xdg-open running until they close, so it is reaped elsewhere.
    std::thread([pid = *pid] { waitForExit(pid); }).detach();
    return true;
}

bool XdgURLOpener::canOpenURL(const URL& url) {
    if (!url.scheme() || url.scheme()->isEmpty()) return false;
    std::string scheme = url.scheme()->toUtf8();
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto pid = spawn({"xdg-mime", "query", "default", "x-scheme-handler/" + scheme}, actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    while (pid) {
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count > 0) {
            output.append(buffer, static_cast<size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipeEnds[0]);
    if (!pid || waitForExit(*pid) != 0) return false;
    return std::any_of(output.begin(), output.end(),
                       [](unsigned char c) { return !std::isspace(c); });
}

}  // namespace ov::ui
