#pragma once
// The developer log: one coloured line per call on standard output, made of an optional local
// time stamp, a location tag (file, function, line) and a level tag, then the message.
//
//   HKLOG(2, "loaded %d items from %@", count, path);
//   HKLOG_METHOD(5, "Loader", "fetch:", "failed: %@", error);
//   // 2016-05-01 10:00:00.123 Loader.fetch:42 ESC[fg255,0,0;ERRORESC[;: failed: ...
//
//   ov::HKLog::showDate(false);   // the shared logger's switches
//   ov::HKLog::fullColor(true);
//
// Levels: 1 VERBOSE, 2 DEBUG, 3 INFO, 4 WARNING, 5 ERROR, 6 ALTERNATIVE, 7 OPTIONAL; 0 and any
// other value print no level name. Colours are inline escapes "ESC[fgR,G,B;" ... "ESC[;".
//
// Any thread may log and flip switches; each line is written whole with one write, so lines
// from different threads never mix.

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <utility>

#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/String.h"

namespace ov {

class HKLog {
  public:
    // Switch defaults: fullColor off; showDate, showFile, showFunction, showLine on.
    HKLog();
    HKLog(const HKLog&) = delete;
    HKLog& operator=(const HKLog&) = delete;

    // The process-wide logger, created on first use.
    static HKLog& sharedInstance();

    // The shared logger's switches.
    static void fullColor(bool on) { sharedInstance().fullColorOfInstance(on); }
    static void showDate(bool on) { sharedInstance().showDateOfInstance(on); }
    static void showFile(bool on) { sharedInstance().showFileOfInstance(on); }
    static void showFunction(bool on) { sharedInstance().showFunctionOfInstance(on); }
    static void showLine(bool on) { sharedInstance().showLineOfInstance(on); }

    // This logger's switches.
    void fullColorOfInstance(bool on) { m_fullColor.store(on, std::memory_order_relaxed); }
    void showDateOfInstance(bool on) { m_showDate.store(on, std::memory_order_relaxed); }
    void showFileOfInstance(bool on) { m_showFile.store(on, std::memory_order_relaxed); }
    void showFunctionOfInstance(bool on) { m_showFunction.store(on, std::memory_order_relaxed); }
    void showLineOfInstance(bool on) { m_showLine.store(on, std::memory_order_relaxed); }

    // Logs through the shared logger. `file` is normally __FILE__ and `function` the caller's
    // name, "-[Class selector]" or __PRETTY_FUNCTION__; null texts count as empty. A null
    // format prints nothing at all. The format is stringWithFormat's (with %@).
    template <class... Arguments>
    static void log(int32_t level, const char* file, const char* function, ssize_t line,
                    const char* format, const Arguments&... arguments) {
        sharedInstance().logOfInstance(level, file, function, line, format, arguments...);
    }

    // The same through this logger.
    template <class... Arguments>
    void logOfInstance(int32_t level, const char* file, const char* function, ssize_t line,
                       const char* format, const Arguments&... arguments) {
        if (!format) return;
        messageLog(level, String(file), String(function), line,
                   stringWithFormat(format, arguments...));
    }

    // Builds the line from the switches and writes it.
    void messageLog(int32_t level, const String& file, const String& function, ssize_t line,
                    const String& message);

    // The level's (colour code, level name), e.g. ("fg0,0,255;", "DEBUG") for 2.
    std::pair<String, String> strTypeDebug(int32_t level) const;

    // Where this logger writes; standard output unless a test points it elsewhere.
    void setOutputDescriptor(int descriptor) {
        m_outputDescriptor.store(descriptor, std::memory_order_relaxed);
    }

  private:
    std::atomic<bool> m_fullColor{false};
    std::atomic<bool> m_showDate{true};
    std::atomic<bool> m_showFile{true};
    std::atomic<bool> m_showFunction{true};
    std::atomic<bool> m_showLine{true};
    std::atomic<int> m_outputDescriptor;
};

}  // namespace ov

// Call-site macros: they pass the caller's file, function and line.
#define HKLOG(level, format, ...)                                      \
    ::ov::HKLog::log((level), __FILE__, __PRETTY_FUNCTION__, __LINE__, \
                     (format)__VA_OPT__(, ) __VA_ARGS__)

// For code that names itself the platform's way: the function reads "-[Class selector]".
#define HKLOG_METHOD(level, className, selector, format, ...)                      \
    ::ov::HKLog::log((level), __FILE__, "-[" className " " selector "]", __LINE__, \
                     (format)__VA_OPT__(, ) __VA_ARGS__)
