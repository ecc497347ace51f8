#pragma once

#include "service/ServiceStorage.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

struct pg_conn;

namespace service {

// The storage in a PostgreSQL database, shared by every service instance that
// opens the same database: the catalogue, the reports and the query counters
// live in its tables, and counters are added to atomically in the database, so
// a limit counts the queries of all instances. Tables are created on first open.
// A small pool of connections serves several threads at once.
class TPostgresStorage : public TServiceStorage {
public:
    // Connections kept open when the caller does not say.
    static constexpr int kDefaultConnections = 8;

    // Connects to the database named by conninfo (a "postgresql://" URI or
    // "key=value" words, as libpq takes them) with connections connections and
    // creates the tables when missing; throws EServiceStorage.
    explicit TPostgresStorage(const std::string& conninfo, int connections = kDefaultConnections);
    ~TPostgresStorage() override;
    TPostgresStorage(const TPostgresStorage&) = delete;
    TPostgresStorage& operator=(const TPostgresStorage&) = delete;

    void PutProducts(const std::vector<TProduct>& products) override;
    std::vector<TProduct> LoadProducts() override;
    std::int64_t ProductCount() override;
    bool AddReport(const TVersionReport& report) override;
    std::int64_t ReportCount() override;
    std::vector<TReportedVersion> ReportedVersions(const std::string& title) override;
    std::int64_t AddQueries(const std::string& key, std::int64_t window, std::int64_t count) override;
    void DropQueryCounters(std::int64_t window) override;

    // Removes every table of the service (for tests that need an empty database).
    void DropTables();

private:
    class TLease;
    friend class TLease;

    // Takes a free connection, waiting for one; reconnects one that broke.
    pg_conn* Acquire();
    void Release(pg_conn* connection);

    std::string m_conninfo;
    std::mutex m_lock;
    std::condition_variable m_freed;
    std::vector<pg_conn*> m_all;
    std::vector<pg_conn*> m_free;
};

}  // namespace service
