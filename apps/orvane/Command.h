#pragma once
// A subcommand of the `orvane` tool. Each command lives in its own file and registers itself:
//
//   static const Command kJson{"json", "json check|format [options] [FILE|-]", runJson};
//
// `run` gets the arguments after the command's name and returns the exit status: 0 success,
// 1 a failure of the operation, 2 bad arguments (print the usage with printUsage first).

#include <span>
#include <string_view>

namespace orvane::cli {

using Arguments = std::span<char* const>;

struct Command {
    Command(std::string_view name, std::string_view usage, int (*run)(Arguments arguments));
    std::string_view name;
    std::string_view usage;
    int (*run)(Arguments arguments);
};

// Writes "usage: orvane <command usage>" to standard error; returns 2 for `return usage(...)`.
int usage(std::string_view commandName);

}  // namespace orvane::cli
