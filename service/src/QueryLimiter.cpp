#include "service/QueryLimiter.h"

namespace service {

TQueryLimiter::TQueryLimiter(TServiceStorage& storage, std::int64_t limit, std::int64_t windowSeconds)
    : m_storage(storage), m_limit(limit), m_windowSeconds(windowSeconds > 0 ? windowSeconds : 3600) {}

bool TQueryLimiter::Admit(const std::string& key, std::int64_t now) {
    if (m_limit <= 0) return true;
    std::int64_t window = now / m_windowSeconds;
    std::lock_guard guard(m_lock);
    if (window != m_window) {
        // A new window: the old counters are of no use any more, here or in the storage.
        m_counters.clear();
        m_window = window;
        m_storage.DropQueryCounters(window);
    }
    if (m_counters.size() >= kMaxKeys && m_counters.find(key) == m_counters.end()) m_counters.clear();
    TCounter& c = m_counters[key];
    ++c.Pending;
    // Flush on the first query of a key, on a full batch, after a second, and whenever the
    // local view first says over: the shared total decides then (once over, a key stays over).
    if (c.LastFlush < 0 || c.Pending >= kBatch || now - c.LastFlush >= 1 ||
        (c.Shared <= m_limit && c.Shared + c.Pending > m_limit)) {
        c.Shared = m_storage.AddQueries(key, window, c.Pending);
        c.Pending = 0;
        c.LastFlush = now;
    }
    return c.Shared + c.Pending <= m_limit;
}

}  // namespace service
