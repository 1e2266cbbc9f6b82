#pragma once
// The platform log (NSLog): one entry per call, written to standard error as
// "2026-12-06 20:05:45.123 process[pid:tid] message". Tests capture entries to assert them
// exactly, without the time stamp prefix.
//
//   ov::systemLog("OVServer %@", message);
//
//   ov::SystemLogCapture capture;   // while alive, entries go to the capture only
//   ...
//   EXPECT_EQ(capture.entries(), std::vector<std::string>{"OVServer \n[OVServer: url]: ..."});

#include <mutex>
#include <string>
#include <vector>

#include "orvane/platform/values/Format.h"

namespace ov {

class SystemLog {
  public:
    // Thread-safe; one entry is written whole, never interleaved with another.
    static void write(const String& entry);
};

template <class... Arguments>
void systemLog(std::string_view format, const Arguments&... arguments) {
    SystemLog::write(stringWithFormat(format, arguments...));
}

// Collects every entry written while it lives (from any thread) instead of printing it.
// Captures nest: the innermost one receives the entries.
class SystemLogCapture {
  public:
    SystemLogCapture();
    ~SystemLogCapture();
    SystemLogCapture(const SystemLogCapture&) = delete;
    SystemLogCapture& operator=(const SystemLogCapture&) = delete;

    // The message texts, UTF-8, in the order they were written.
    std::vector<std::string> entries() const;
    void clear();

  private:
    friend class SystemLog;
    void append(std::string entry);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_entries;
    SystemLogCapture* m_previous = nullptr;
};

}  // namespace ov
