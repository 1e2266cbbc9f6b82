#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
        const std::string name = run.run_name.function_name;
        const auto slash = name.rfind('/');
        if (slash == std::string::npos) continue;
        auto [fastest, first] = m_times[name.substr(0, slash)].try_emplace(
            name.substr(slash + 1), run.GetAdjustedRealTime());
        if (!first) fastest->second = std::min(fastest->second, run.GetAdjustedRealTime());
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\nratio (orvane time / peer time; below 1 means orvane is faster):\n");
    for (const auto& [pair, sides] : m_times) {
        const auto orvane = sides.find("orvane");
        if (orvane == sides.end()) continue;
        for (const auto& [side, time] : sides) {
            if (side == "orvane" || time <= 0) continue;
            std::printf("  %-44s vs %-10s %.3f\n", pair.c_str(), side.c_str(),
                        orvane->second / time);
        }
    }
}
