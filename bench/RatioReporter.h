#pragma once
// Prints the usual console table, then each toolkit benchmark's time as a ratio of its peer's,
// measured in the same run. A comparison is registered as "<name>/orvane" and "<name>/<peer>" for
// each peer.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    std::map<std::string, std::map<std::string, double>> m_times;  // pair -> side -> ns/iter
};
