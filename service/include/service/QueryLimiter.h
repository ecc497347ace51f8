#pragma once

#include "service/ServiceStorage.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace service {

// Counts queries per key (a client address) in fixed windows of windowSeconds (clock hours
// by default) and says whether a key is over its limit. The counters live in the storage,
// so instances sharing it share them; to spare the storage, each instance adds its own
// queries in batches of up to kBatch or once a second, and decides on its last shared total
// plus its own pending queries. Instances therefore see each other's queries with that lag.
class TQueryLimiter {
public:
    // Queries an instance may hold back before it adds them to the shared counter.
    static constexpr std::int64_t kBatch = 32;
    // Keys an instance keeps counters for; past it the held-back queries are forgotten
    // (at most kBatch per key), so a flood of addresses cannot exhaust memory.
    static constexpr std::size_t kMaxKeys = 200'000;

    // limit: queries allowed per key and window; 0 turns counting off.
    TQueryLimiter(TServiceStorage& storage, std::int64_t limit, std::int64_t windowSeconds = 3600);

    // Counts one query of key at now (seconds); true while the key's count is within the
    // limit. Throws EServiceStorage.
    bool Admit(const std::string& key, std::int64_t now);

private:
    struct TCounter {
        std::int64_t Shared = 0;   // the storage's total at the last flush
        std::int64_t Pending = 0;  // this instance's queries not yet added
        std::int64_t LastFlush = -1;
    };

    TServiceStorage& m_storage;
    std::int64_t m_limit;
    std::int64_t m_windowSeconds;
    std::mutex m_lock;
    std::int64_t m_window = -1;
    std::unordered_map<std::string, TCounter> m_counters;
};

}  // namespace service
