#pragma once

#include "service/ServiceStorage.h"

#include <memory>
#include <mutex>
#include <string>

struct sqlite3;

namespace service {

// The storage in one SQLite file (or ":memory:"), created with its tables on first open.
// One connection, serialised by a mutex; the file runs in WAL mode so that several
// instances can share it.
class TSqliteStorage : public TServiceStorage {
public:
    // Opens or creates the database at path; throws EServiceStorage.
    explicit TSqliteStorage(const std::string& path);
    ~TSqliteStorage() override;
    TSqliteStorage(const TSqliteStorage&) = delete;
    TSqliteStorage& operator=(const TSqliteStorage&) = delete;

    void PutProducts(const std::vector<TProduct>& products) override;
    std::vector<TProduct> LoadProducts() override;
    std::int64_t ProductCount() override;
    bool AddReport(const TVersionReport& report) override;
    std::int64_t ReportCount() override;
    std::vector<TReportedVersion> ReportedVersions(const std::string& title) override;
    std::int64_t AddQueries(const std::string& key, std::int64_t window, std::int64_t count) override;
    void DropQueryCounters(std::int64_t window) override;

private:
    // Runs sql (no parameters, no rows); throws EServiceStorage with what.
    void Exec(const char* sql, const char* what);

    std::mutex m_lock;
    sqlite3* m_db = nullptr;
};

}  // namespace service
