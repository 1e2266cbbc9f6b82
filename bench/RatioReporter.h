#pragma once
// Prints the usual console table, then each toolkit benchmark's time as a ratio of its peer's,
// measured in the same run. A comparison is registered as "<name>/orvane" and "<name>/<peer>" for
// each peer. With repetitions, each side's fastest run counts: on a shared machine the slower
// runs measure the neighbours.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    std::map<std::string, std::map<std::string, double>>
        m_times;  // pair -> side -> fastest ns/iter
};
