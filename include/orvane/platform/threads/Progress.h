#pragma once
// How far a piece of work has come (the platform's NSProgress): completed units out of a
// total. Work on any thread reports into it; an interface on the main thread reads the
// fraction.
//
//   auto progress = ov::Progress::progressWithTotalUnitCount(200);
//   ov::DispatchQueue::global().async([progress] { ... progress->setCompletedUnitCount(50); });
//   hud->setProgressObject(progress);   // the HUD follows fractionCompleted() frame by frame

#include <atomic>
#include <cstdint>
#include <memory>

namespace ov {

class Progress {
  public:
    explicit Progress(std::int64_t totalUnitCount = 0) : m_total(totalUnitCount) {}
    static std::shared_ptr<Progress> progressWithTotalUnitCount(std::int64_t totalUnitCount) {
        return std::make_shared<Progress>(totalUnitCount);
    }

    // Thread-safe.
    std::int64_t totalUnitCount() const { return m_total.load(); }
    void setTotalUnitCount(std::int64_t count) { m_total.store(count); }
    std::int64_t completedUnitCount() const { return m_completed.load(); }
    void setCompletedUnitCount(std::int64_t count) { m_completed.store(count); }

    // completed / total; 0 while the total is not positive.
    double fractionCompleted() const {
        const auto total = m_total.load();
        return total > 0 ? static_cast<double>(m_completed.load()) / static_cast<double>(total)
                         : 0.0;
    }

  private:
    std::atomic<std::int64_t> m_total;
    std::atomic<std::int64_t> m_completed{0};
};

}  // namespace ov
