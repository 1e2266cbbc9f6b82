#include "orvane/platform/network/URLSession.h"

#include "platform/network/CancellableLoad.h"
#include "platform/network/LoadError.h"
#include "platform/threads/ThreadPool.h"

namespace ov {
namespace {

constexpr size_t kSharedSessionConnections = 6;

}  // namespace

URLSessionDataTask::URLSessionDataTask(URLSession& session, URLRequest request,
                                       Completion completion)
    : m_session(session), m_request(std::move(request)), m_completion(std::move(completion)) {}

void URLSessionDataTask::resume() {
    if (m_resumed.exchange(true)) return;
    m_session.m_pool->post([task = shared_from_this()] { task->run(); });
}

void URLSessionDataTask::run() {
    URLLoadResult result =
        m_cancelled.load()
            ? URLLoadResult{{}, {}, loadError(NSURLErrorCancelled, "cancelled", m_request.url())}
            : loadCancellableRequest(m_request, &m_cancelled);
    if (m_completion) m_completion(result);
}

URLSession::URLSession(size_t maximumConnections)
    : m_pool(std::make_unique<ThreadPool>(maximumConnections)) {}

URLSession::~URLSession() = default;

URLSession& URLSession::sharedSession() {
    // Never destroyed: completions may still be running while the process exits.
    static URLSession* const session = new URLSession(kSharedSessionConnections);
    return *session;
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTaskWithRequest(
    URLRequest request, URLSessionDataTask::Completion completion) {
    return std::make_shared<URLSessionDataTask>(*this, std::move(request), std::move(completion));
}

}  // namespace ov
