#include "orvane/json/SBJsonBase.h"

#include <algorithm>

#include "orvane/platform/values/Format.h"

namespace ov {

struct SBJsonBase::Observers {
    struct Entry {
        ErrorTraceObserver observer;
        bool active = true;
    };
    std::vector<std::shared_ptr<Entry>> entries;
};

SBJsonBase::SBJsonBase() : m_observers(std::make_shared<Observers>()) {}

SBJsonBase::~SBJsonBase() = default;

namespace {

// Made once: a failure deep in a document adds an error for every open container.
const String& domain() {
    static const String kDomain(SBJSONErrorDomain);
    return kDomain;
}

const String& underlyingKey() {
    static const String kUnderlyingKey(NSUnderlyingErrorKey);
    return kUnderlyingKey;
}

Error chainedError(long long code, const String& description, const Error* underlying) {
    static const String kDescriptionKey(NSLocalizedDescriptionKey);
    Dictionary userInfo;
    userInfo.setObject(description, kDescriptionKey);
    if (underlying) userInfo.setObject(*underlying, underlyingKey());
    return Error(domain(), code, std::move(userInfo));
}

Error relinked(const Error& error, const Error& underlying) {
    Dictionary userInfo = error.userInfo();
    userInfo.setObject(underlying, underlyingKey());
    return Error(error.domain(), error.code(), std::move(userInfo));
}

}  // namespace

void SBJsonBase::addErrorWithCode(long long code, const String& description) {
    announce(ErrorTraceChange::WillChange);
    if (!m_errorTrace) m_errorTrace.emplace();
    const Error* last = m_errorTrace->empty() ? nullptr : &m_errorTrace->back();
    m_errorTrace->push_back(chainedError(code, description, last));
    if (m_errorTrace->size() > kMaxTraceLength) leaveOutMiddle();
    announce(ErrorTraceChange::DidChange);
}

// Keeps the innermost errors and the latest kKeptOutermostErrors, with one error between them
// counting the rest. Done once the latest have doubled, so each addition costs little.
void SBJsonBase::leaveOutMiddle() {
    ErrorTrace& trace = *m_errorTrace;
    const size_t latest = trace.size() - kKeptOutermostErrors;
    const size_t gap = kKeptInnermostErrors;
    m_leftOut += latest - (m_leftOut > 0 ? gap + 1 : gap);
    const String count =
        stringWithFormat("(%llu errors left out)", static_cast<unsigned long long>(m_leftOut));
    trace[gap] = chainedError(0, count, &trace[gap - 1]);
    // Each kept error moves down, below its old place, so it is read before being overwritten.
    for (size_t i = 0; i < kKeptOutermostErrors; ++i)
        trace[gap + 1 + i] = relinked(trace[latest + i], trace[gap + i]);
    trace.erase(trace.begin() + static_cast<std::ptrdiff_t>(gap + 1 + kKeptOutermostErrors),
                trace.end());
}

void SBJsonBase::clearErrorTrace() {
    setErrorTrace(std::nullopt);
}

void SBJsonBase::setErrorTrace(std::optional<ErrorTrace> trace) {
    announce(ErrorTraceChange::WillChange);
    m_errorTrace = std::move(trace);
    m_leftOut = 0;
    announce(ErrorTraceChange::DidChange);
}

Subscription SBJsonBase::observeErrorTrace(ErrorTraceObserver observer) {
    auto entry = std::make_shared<Observers::Entry>(Observers::Entry{std::move(observer)});
    m_observers->entries.push_back(entry);
    std::weak_ptr<Observers> weakObservers = m_observers;
    return Subscription([weakObservers, entry] {
        entry->active = false;
        if (auto observers = weakObservers.lock()) std::erase(observers->entries, entry);
    });
}

void SBJsonBase::announce(ErrorTraceChange change) const {
    if (m_observers->entries.empty()) return;
    // A snapshot, so observers can subscribe and unsubscribe while being told.
    const auto snapshot = m_observers->entries;
    for (const auto& entry : snapshot) {
        if (entry->active) entry->observer(*this, change);
    }
}

String describeErrorTrace(const std::optional<ErrorTrace>& trace) {
    if (!trace) return "(null)";
    std::u16string text = u"(";
    for (size_t i = 0; i < trace->size(); ++i) {
        const Error& error = (*trace)[i];
        text += i == 0 ? u"\n    " : u",\n    ";
        text += stringWithFormat("Error Domain=%@ Code=%lld \"%@\"", error.domain(), error.code(),
                                 error.localizedDescription())
                    .utf16();
    }
    text += u"\n)";
    return String(std::move(text));
}

}  // namespace ov
