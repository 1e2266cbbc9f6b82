#include "support/CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>

extern char** environ;

#ifndef ORVANE_CLI
#define ORVANE_CLI ""  // a build without the tool: every run reports that it could not start
#endif

namespace ov::test {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) == 0) read = ends[0], write = ends[1];
    }
};

// Feeds `input` and drains both outputs together, so a chatty child never blocks on a full pipe.
void exchange(int in, int out, int err, const std::string& input, CliResult& result) {
    size_t written = 0;
    std::array<pollfd, 3> fds{{{out, POLLIN, 0}, {err, POLLIN, 0}, {in, POLLOUT, 0}}};
    if (input.empty()) ::close(in), fds[2].fd = -1;
    char buffer[65536];
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (::poll(fds.data(), fds.size(), -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t count = ::read(fds[i].fd, buffer, sizeof buffer);
            if (count <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
            } else {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(count));
            }
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t count = ::write(in, input.data() + written, input.size() - written);
            if (count > 0) written += static_cast<size_t>(count);
            if (count <= 0 || written == input.size()) ::close(in), fds[2].fd = -1;
        }
    }
}

void redirect(posix_spawn_file_actions_t& actions, int stream,
              const std::optional<std::string>& target, int pipeEnd) {
    if (!target) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnd, stream);
    } else if (*target == CliStreams::kClosed) {
        posix_spawn_file_actions_addclose(&actions, stream);
    } else {
        posix_spawn_file_actions_addopen(&actions, stream, target->c_str(),
                                         stream == 0 ? O_RDONLY : O_WRONLY, 0);
    }
}

}  // namespace

CliResult runCli(const std::vector<std::string>& arguments, const std::string& input,
                 const std::vector<std::string>& environment, const CliStreams& streams) {
    CliResult result;
    Pipe in, out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    redirect(actions, 0, streams.input, in.read);
    redirect(actions, 1, streams.output, out.write);
    posix_spawn_file_actions_adddup2(&actions, err.write, 2);

    std::vector<std::string> argvStrings{ORVANE_CLI};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings(environment);
    for (char** entry = environ; *entry; ++entry)
        envStrings.emplace_back(*entry);
    std::vector<char*> envp;
    for (auto& entry : envStrings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t child = -1;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in.read);
    ::close(out.write);
    ::close(err.write);
    if (spawned != 0) {
        ::close(in.write), ::close(out.read), ::close(err.read);
        result.err = std::strerror(spawned);
        return result;
    }
    exchange(in.write, out.read, err.read, input, result);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace ov::test
