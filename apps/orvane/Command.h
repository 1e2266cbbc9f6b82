#pragma once
// A subcommand of the `orvane` tool. Each command lives in its own file and registers itself:
//
//   static const Command kJson{"json", "json check|format [options] [FILE|-]", runJson};
//
// `run` gets the arguments after the command's name and returns the exit status: 0 success,
// 1 a failure of the operation, 2 bad arguments (print the usage with printUsage first).

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include "orvane/platform/values/String.h"

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

// The text and a line feed on standard output.
inline void printLine(const ov::String& text) {
    std::printf("%s\n", text.toUtf8().c_str());
}

// A number argument written in full within [low, high]; nothing otherwise.
inline std::optional<double> numberArgument(const char* text, double low, double high) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(value >= low && value <= high)) return std::nullopt;
    return value;
}

}  // namespace orvane::cli
