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

void SBJsonBase::addErrorWithCode(long long code, const String& description) {
    // Made once: a failure deep in a document adds an error for every open container.
    static const String kDomain(SBJSONErrorDomain);
    static const String kDescriptionKey(NSLocalizedDescriptionKey);
    static const String kUnderlyingKey(NSUnderlyingErrorKey);
    Dictionary userInfo;
    userInfo.setObject(description, kDescriptionKey);
    if (m_errorTrace && !m_errorTrace->empty()) {
        userInfo.setObject(m_errorTrace->back(), kUnderlyingKey);
    }
    announce(ErrorTraceChange::WillChange);
    if (!m_errorTrace) m_errorTrace.emplace();
    m_errorTrace->emplace_back(kDomain, code, std::move(userInfo));
    announce(ErrorTraceChange::DidChange);
}

void SBJsonBase::clearErrorTrace() {
    setErrorTrace(std::nullopt);
}

void SBJsonBase::setErrorTrace(std::optional<ErrorTrace> trace) {
    announce(ErrorTraceChange::WillChange);
    m_errorTrace = std::move(trace);
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
