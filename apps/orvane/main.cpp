// `orvane`: the command-line face of the toolkit. Dispatches to the registered commands.
#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "Command.h"

namespace orvane::cli {
namespace {

std::vector<const Command*>& commands() {
    static std::vector<const Command*> registered;
    return registered;
}

const Command* find(std::string_view name) {
    for (const Command* command : commands()) {
        if (command->name == name) return command;
    }
    return nullptr;
}

int usageOfAll() {
    std::fprintf(stderr, "usage:\n");
    for (const Command* command : commands()) {
        std::fprintf(stderr, "  orvane %.*s\n", static_cast<int>(command->usage.size()),
                     command->usage.data());
    }
    return 2;
}

// A standard stream the tool was started without is held open the wrong way round, so reading
// or writing it fails as it should, and no file the tool opens lands in its place (where
// the output would then go).
void holdClosedStandardStreams() {
    for (const int stream : {0, 1, 2}) {
        if (::fcntl(stream, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", stream == 0 ? O_WRONLY : O_RDONLY);
    }
}

// Output waits in a buffer, so a failed write (a full disk, a closed stream) may show only here.
int checkOutput(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "orvane: cannot write standard output%s%s\n", flushed ? "" : ": ",
                 flushed ? "" : std::strerror(errno));
    return 1;
}

}  // namespace

Command::Command(std::string_view name, std::string_view usage, int (*run)(Arguments))
    : name(name), usage(usage), run(run) {
    commands().push_back(this);
}

int usage(std::string_view commandName) {
    const Command* command = find(commandName);
    if (!command) return usageOfAll();
    std::fprintf(stderr, "usage: orvane %.*s\n", static_cast<int>(command->usage.size()),
                 command->usage.data());
    return 2;
}

}  // namespace orvane::cli

int main(int argc, char** argv) {
    using namespace orvane::cli;
    holdClosedStandardStreams();
    if (argc < 2) return usageOfAll();
    const Command* command = find(argv[1]);
    if (!command) return usageOfAll();
    return checkOutput(command->run(Arguments(argv + 2, static_cast<size_t>(argc - 2))));
}
