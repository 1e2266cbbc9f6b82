#pragma once
// Records the notifications of the given names posted while it lives.
//
//   ov::test::NotificationRecorder seen({"AVPlayerItemTimeJumpedNotification"});
//   ...
//   EXPECT_EQ(seen.count("AVPlayerItemTimeJumpedNotification"), 1u);

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "orvane/platform/threads/NotificationCenter.h"

namespace ov::test {

class NotificationRecorder {
  public:
    NotificationRecorder(std::initializer_list<const char*> names) {
        for (const char* name : names)
            m_tokens.push_back(NotificationCenter::defaultCenter().addObserver(
                String(name), [this](const Notification& note) { m_seen.push_back(note); }));
    }

    size_t count(const char* name) const {
        return static_cast<size_t>(std::count_if(
            m_seen.begin(), m_seen.end(), [&](const auto& note) { return note.name == name; }));
    }
    const std::vector<Notification>& seen() const { return m_seen; }

  private:
    std::vector<Notification> m_seen;
    std::vector<Subscription> m_tokens;
};

}  // namespace ov::test
