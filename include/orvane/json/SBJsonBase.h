#pragma once
// What the JSON parser, writer and facade share: the error trace of the latest operation and
// the nesting limit.
//
// The trace lists the errors of one failed call, oldest (most specific) first. Each error's
// user information holds its message under NSLocalizedDescriptionKey and the error that was
// last before it under NSUnderlyingErrorKey, so the last error carries the whole chain.
//
//   ov::SBJsonParser parser;
//   if (parser.objectWithString(ov::String("[x]")).isAbsent()) {
//       for (const ov::Error& error : *parser.errorTrace())
//           std::printf("%lld %s\n", error.code(), error.localizedDescription().toUtf8().c_str());
//   }
//
// Instances are single-threaded: one call at a time.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/values/Error.h"

namespace ov {

inline constexpr const char* SBJSONErrorDomain = "org.orvane.JSON.ErrorDomain";

using ErrorTrace = std::vector<Error>;

class SBJsonBase {
  public:
    // Observers hear about each change to the trace twice: just before and just after.
    enum class ErrorTraceChange { WillChange, DidChange };
    using ErrorTraceObserver = std::function<void(const SBJsonBase&, ErrorTraceChange)>;

    static constexpr uint64_t kDefaultMaxDepth = 512;
    // A failure deep in a document without a nesting limit would add an error for every open
    // container. Past kMaxTraceLength errors the trace keeps the innermost and the latest ones
    // around a single error that says how many were left out ("(N errors left out)", code 0),
    // so its last error still chains through all that is kept.
    static constexpr size_t kKeptInnermostErrors = 256;
    static constexpr size_t kKeptOutermostErrors = 256;
    static constexpr size_t kMaxTraceLength = kKeptInnermostErrors + 1 + 2 * kKeptOutermostErrors;

    SBJsonBase();
    virtual ~SBJsonBase();
    SBJsonBase(const SBJsonBase&) = delete;
    SBJsonBase& operator=(const SBJsonBase&) = delete;

    void addErrorWithCode(long long code, const String& description);
    // Afterwards the trace is absent (not empty).
    void clearErrorTrace();
    const std::optional<ErrorTrace>& errorTrace() const { return m_errorTrace; }

    // Containers open in the call in progress (or open when the last call failed).
    uint64_t depth() const { return m_depth; }
    // 0 means no limit.
    virtual uint64_t maxDepth() const { return m_maxDepth; }
    virtual void setMaxDepth(uint64_t maxDepth) { m_maxDepth = maxDepth; }

    // Observers may subscribe or unsubscribe from inside a notification.
    Subscription observeErrorTrace(ErrorTraceObserver observer);

  protected:
    // For the facade, which keeps a copy of an inner object's trace.
    void setErrorTrace(std::optional<ErrorTrace> trace);

    uint64_t m_depth = 0;

  private:
    struct Observers;
    void announce(ErrorTraceChange change) const;
    void leaveOutMiddle();

    std::optional<ErrorTrace> m_errorTrace;
    uint64_t m_leftOut = 0;  // errors left out of the trace's middle
    uint64_t m_maxDepth = kDefaultMaxDepth;
    std::shared_ptr<Observers> m_observers;
};

// One error a line, oldest first, without the underlying chain (which would repeat every
// earlier error); "(null)" for an absent trace. The convenience operations log this.
String describeErrorTrace(const std::optional<ErrorTrace>& trace);

}  // namespace ov
