// `orvane`: the command-line face of the toolkit. Dispatches to the registered commands.
#include <cstdio>
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
    if (argc < 2) return usageOfAll();
    const Command* command = find(argv[1]);
    if (!command) return usageOfAll();
    return command->run(Arguments(argv + 2, static_cast<size_t>(argc - 2)));
}
