// The toolkit's own JSON reader and writer against RapidJSON (full-precision numbers),
// nlohmann::json and simdjson's DOM, on the shared JSON files. Each parse also reports the
// heap the parsed tree holds (counter tree_bytes).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <simdjson.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "orvane/json/SBJsonParser.h"
#include "orvane/json/SBJsonWriter.h"

namespace {

constexpr const char* kFiles[] = {"twitter.json", "citm_catalog.json", "canada.json",
                                  "gsoc-2018.json", "mesh.json"};

std::string load(const std::string& name) {
    std::ifstream stream(std::filesystem::path(ORVANE_BENCH_DATA_DIR) / name, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

size_t heapInUse() {
    return mallinfo2().uordblks;
}

// Runs `parse` per iteration; the first result is kept alive to measure what the tree holds.
template <class Parse>
void measureParse(benchmark::State& state, const std::string& text, Parse parse) {
    const size_t before = heapInUse();
    auto kept = parse(text);
    state.counters["tree_bytes"] = static_cast<double>(heapInUse() - before);
    for (auto _ : state) {
        auto tree = parse(text);
        benchmark::DoNotOptimize(tree);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

size_t lengthOf(const std::string& text) {
    return text.size();
}
size_t lengthOf(const ov::String& text) {
    return text.length();
}

template <class Write>
void measureWrite(benchmark::State& state, Write write) {
    size_t bytes = 0;
    for (auto _ : state) {
        auto text = write();
        bytes += lengthOf(text);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

ov::Value parseOrvane(const std::string& text) {
    ov::SBJsonParser parser;
    parser.setMaxDepth(0);
    return parser.objectWithUTF8(text);
}

std::unique_ptr<rapidjson::Document> parseRapidjson(const std::string& text) {
    auto document = std::make_unique<rapidjson::Document>();
    document->Parse<rapidjson::kParseFullPrecisionFlag>(text.c_str(), text.size());
    return document;
}

template <bool kPretty>
std::string writeRapidjson(const rapidjson::Document& document) {
    rapidjson::StringBuffer buffer;
    if constexpr (kPretty) {
        rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
        document.Accept(writer);
    } else {
        rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
        document.Accept(writer);
    }
    return buffer.GetString();
}

void registerFile(const std::string& file) {
    const auto text = std::make_shared<std::string>(load(file));
    if (text->empty()) return;
    const std::string parse = "json_parse_" + file;
    benchmark::RegisterBenchmark((parse + "/orvane").c_str(), [text](benchmark::State& state) {
        measureParse(state, *text, parseOrvane);
    });
    benchmark::RegisterBenchmark((parse + "/rapidjson").c_str(), [text](benchmark::State& state) {
        measureParse(state, *text, parseRapidjson);
    });
    benchmark::RegisterBenchmark((parse + "/nlohmann").c_str(), [text](benchmark::State& state) {
        measureParse(state, *text, [](const std::string& t) { return nlohmann::json::parse(t); });
    });
    benchmark::RegisterBenchmark((parse + "/simdjson").c_str(), [text](benchmark::State& state) {
        simdjson::dom::parser parser;
        const simdjson::padded_string padded(*text);
        for (auto _ : state)
            benchmark::DoNotOptimize(parser.parse(padded).error());
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text->size()));
    });

    for (const bool pretty : {false, true}) {
        const std::string write = std::string(pretty ? "json_write_pretty_" : "json_write_") + file;
        const auto tree = std::make_shared<ov::Value>(parseOrvane(*text));
        const auto document = std::shared_ptr<rapidjson::Document>(parseRapidjson(*text));
        const auto json = std::make_shared<nlohmann::json>(nlohmann::json::parse(*text));
        // The peers write UTF-8; the UTF-16 String result is timed on its own, without a peer.
        benchmark::RegisterBenchmark(
            (write + "/orvane").c_str(), [tree, pretty](benchmark::State& state) {
                ov::SBJsonWriter writer;
                writer.setMaxDepth(0);
                writer.setHumanReadable(pretty);
                measureWrite(state, [&] { return writer.utf8WithObject(*tree).value_or(""); });
            });
        benchmark::RegisterBenchmark(
            (write + "_utf16/orvane").c_str(), [tree, pretty](benchmark::State& state) {
                ov::SBJsonWriter writer;
                writer.setMaxDepth(0);
                writer.setHumanReadable(pretty);
                measureWrite(state,
                             [&] { return writer.stringWithObject(*tree).value_or(ov::String()); });
            });
        benchmark::RegisterBenchmark((write + "/rapidjson").c_str(),
                                     [document, pretty](benchmark::State& state) {
                                         measureWrite(state, [&] {
                                             return pretty ? writeRapidjson<true>(*document)
                                                           : writeRapidjson<false>(*document);
                                         });
                                     });
        benchmark::RegisterBenchmark(
            (write + "/nlohmann").c_str(), [json, pretty](benchmark::State& state) {
                measureWrite(state, [&] { return json->dump(pretty ? 4 : -1); });
            });
    }
}

const bool kRegistered = [] {
    for (const char* file : kFiles)
        registerFile(file);
    return true;
}();

}  // namespace
