// `orvane json check|format`: reads JSON with the toolkit's own parser and writes it back with
// its own writer. Failures print the error trace, oldest first, as "<code> <message>" lines.
//
// --fragment reads and writes any JSON value at the top (the parser's fragment entry and the
// writer's fragment entry); without it the top must be an object or an array.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <variant>

#include "Command.h"
#include "orvane/json/SBJsonParser.h"
#include "orvane/json/SBJsonWriter.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "json";

struct Options {
    bool format = false;
    bool fragment = false;
    bool pretty = false;
    bool sortKeys = false;
    uint64_t maxDepth = ov::SBJsonBase::kDefaultMaxDepth;
    std::optional<std::string> file;  // none or "-" for standard input
};

std::optional<uint64_t> parseCount(std::string_view text) {
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parseArguments(Arguments arguments) {
    if (arguments.empty()) return std::nullopt;
    Options options;
    const std::string_view mode = arguments[0];
    if (mode != "check" && mode != "format") return std::nullopt;
    options.format = mode == "format";
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--fragment") {
            options.fragment = true;
        } else if (argument == "--pretty" && options.format) {
            options.pretty = true;
        } else if (argument == "--sort-keys" && options.format) {
            options.sortKeys = true;
        } else if (argument == "--max-depth" && i + 1 < arguments.size()) {
            const auto count = parseCount(arguments[++i]);
            if (!count) return std::nullopt;
            options.maxDepth = *count;
        } else if ((argument == "-" || !argument.starts_with("-")) && !options.file) {
            options.file = std::string(argument);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The whole stream, or the error number of the failed read.
std::variant<std::string, int> readAll(std::FILE* stream) {
    std::string input;
    char chunk[65536];
    size_t count;
    errno = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        input.append(chunk, count);
    if (std::ferror(stream)) return errno ? errno : EIO;
    return input;
}

std::variant<std::string, int> readInput(const std::optional<std::string>& file) {
    if (!file || *file == "-") return readAll(stdin);
    std::FILE* stream = std::fopen(file->c_str(), "rb");
    if (!stream) return errno;
    auto input = readAll(stream);
    std::fclose(stream);
    return input;
}

int failWithTrace(const ov::SBJsonBase& failed) {
    for (const ov::Error& error : failed.errorTrace().value_or(ov::ErrorTrace{})) {
        std::fprintf(stderr, "%lld %s\n", error.code(),
                     error.localizedDescription().toUtf8().c_str());
    }
    return 1;
}

int runJson(Arguments arguments) {
    const auto options = parseArguments(arguments);
    if (!options) return usage(kName);
    const auto read = readInput(options->file);
    if (const int* number = std::get_if<int>(&read)) {
        const bool standardInput = !options->file || *options->file == "-";
        std::fprintf(stderr, "orvane json: cannot read %s: %s\n",
                     standardInput ? "standard input" : options->file->c_str(),
                     std::strerror(*number));
        return 1;
    }
    const std::string& input = std::get<std::string>(read);

    ov::SBJsonParser parser;
    parser.setMaxDepth(options->maxDepth);
    const ov::Value value =
        options->fragment ? parser.fragmentWithUTF8(input) : parser.objectWithUTF8(input);
    if (value.isAbsent()) return failWithTrace(parser);
    if (!options->format) return 0;

    ov::SBJsonWriter writer;
    writer.setMaxDepth(options->maxDepth);
    writer.setHumanReadable(options->pretty);
    writer.setSortKeys(options->sortKeys);
    const auto text =
        options->fragment ? writer.stringWithFragment(value) : writer.stringWithObject(value);
    if (!text) return failWithTrace(writer);
    const std::string output = text->toUtf8() + "\n";
    std::fwrite(output.data(), 1, output.size(), stdout);
    return 0;
}

const Command kJson{kName,
                    "json check|format [--fragment] [--pretty] [--sort-keys] [--max-depth N] "
                    "[FILE|-]\n  (--pretty and --sort-keys apply to format only)",
                    runJson};

}  // namespace
}  // namespace orvane::cli
