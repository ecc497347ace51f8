#include "service/SqliteStorage.h"
#include "service/LineList.h"

#include <sqlite3.h>

#include <utility>

namespace service {

namespace {

// A prepared statement that is finalised on every path.
class TStatement {
public:
    TStatement(sqlite3* db, const char* sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) Fail("prepare");
    }
    ~TStatement() { sqlite3_finalize(m_stmt); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    void Bind(int index, const std::string& text) {
        if (sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
            Fail("bind");
    }
    void Bind(int index, std::int64_t value) {
        if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK) Fail("bind");
    }
    // Steps once; true when a row is available.
    bool Step() {
        int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        Fail("step");
    }
    void Reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    std::string Text(int column) const {
        const auto* p = sqlite3_column_text(m_stmt, column);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
                 : std::string();
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }

private:
    [[noreturn]] void Fail(const char* what) {
        throw EServiceStorage(std::string("SQLite ") + what + " failed: " + sqlite3_errmsg(m_db));
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace

TSqliteStorage::TSqliteStorage(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        std::string message =
            "cannot open the database " + path + ": " + (m_db ? sqlite3_errmsg(m_db) : "out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EServiceStorage(message);
    }
    try {
        // Other instances may hold the write lock for a moment; wait for it instead of failing.
        sqlite3_busy_timeout(m_db, 5000);
        if (path != ":memory:") Exec("PRAGMA journal_mode=WAL", "WAL mode");
        Exec("PRAGMA synchronous=NORMAL", "synchronous mode");
        Exec(
            "CREATE TABLE IF NOT EXISTS products ("
            " package_id TEXT PRIMARY KEY, name TEXT NOT NULL, publisher TEXT NOT NULL,"
            " display_names TEXT NOT NULL, version TEXT NOT NULL, display_versions TEXT NOT NULL,"
            " download_page TEXT NOT NULL, publisher_page TEXT NOT NULL, note TEXT NOT NULL);"
            "CREATE TABLE IF NOT EXISTS reports ("
            " id INTEGER PRIMARY KEY, title TEXT NOT NULL, version TEXT NOT NULL,"
            " old_version TEXT NOT NULL, client TEXT NOT NULL, time INTEGER NOT NULL,"
            " UNIQUE (client, title, version, old_version));"
            "CREATE INDEX IF NOT EXISTS reports_title ON reports (title);"
            "CREATE TABLE IF NOT EXISTS query_counters ("
            " key TEXT NOT NULL, time_window INTEGER NOT NULL, count INTEGER NOT NULL,"
            " PRIMARY KEY (key, time_window));",
            "creating the tables");
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

TSqliteStorage::~TSqliteStorage() { sqlite3_close(m_db); }

void TSqliteStorage::Exec(const char* sql, const char* what) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = std::string("SQLite ") + what + " failed: " + (error ? error : "unknown error");
        sqlite3_free(error);
        throw EServiceStorage(message);
    }
}

void TSqliteStorage::PutProducts(const std::vector<TProduct>& products) {
    std::lock_guard guard(m_lock);
    Exec("BEGIN IMMEDIATE", "begin");
    try {
        TStatement put(m_db,
                       "INSERT OR REPLACE INTO products (package_id, name, publisher, display_names, version,"
                       " display_versions, download_page, publisher_page, note) VALUES (?,?,?,?,?,?,?,?,?)");
        for (const auto& p : products) {
            put.Bind(1, p.PackageId);
            put.Bind(2, p.Name);
            put.Bind(3, p.Publisher);
            put.Bind(4, JoinLines(p.DisplayNames));
            put.Bind(5, p.Version);
            put.Bind(6, JoinLines(p.DisplayVersions));
            put.Bind(7, p.DownloadPage);
            put.Bind(8, p.PublisherPage);
            put.Bind(9, p.Note);
            put.Step();
            put.Reset();
        }
        Exec("COMMIT", "commit");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::vector<TProduct> TSqliteStorage::LoadProducts() {
    std::lock_guard guard(m_lock);
    TStatement all(m_db,
                   "SELECT package_id, name, publisher, display_names, version, display_versions,"
                   " download_page, publisher_page, note FROM products ORDER BY package_id");
    std::vector<TProduct> out;
    while (all.Step()) {
        TProduct p;
        p.PackageId = all.Text(0);
        p.Name = all.Text(1);
        p.Publisher = all.Text(2);
        p.DisplayNames = SplitLines(all.Text(3));
        p.Version = all.Text(4);
        p.DisplayVersions = SplitLines(all.Text(5));
        p.DownloadPage = all.Text(6);
        p.PublisherPage = all.Text(7);
        p.Note = all.Text(8);
        out.push_back(std::move(p));
    }
    return out;
}

std::int64_t TSqliteStorage::ProductCount() {
    std::lock_guard guard(m_lock);
    TStatement count(m_db, "SELECT COUNT(*) FROM products");
    count.Step();
    return count.Int(0);
}

bool TSqliteStorage::AddReport(const TVersionReport& report) {
    std::lock_guard guard(m_lock);
    TStatement add(m_db,
                   "INSERT OR IGNORE INTO reports (title, version, old_version, client, time) VALUES (?,?,?,?,?)");
    add.Bind(1, report.Title);
    add.Bind(2, report.Version);
    add.Bind(3, report.OldVersion);
    add.Bind(4, report.ClientAddress);
    add.Bind(5, report.Time);
    add.Step();
    return sqlite3_changes(m_db) > 0;
}

std::int64_t TSqliteStorage::ReportCount() {
    std::lock_guard guard(m_lock);
    TStatement count(m_db, "SELECT COUNT(*) FROM reports");
    count.Step();
    return count.Int(0);
}

std::vector<TReportedVersion> TSqliteStorage::ReportedVersions(const std::string& title) {
    std::lock_guard guard(m_lock);
    TStatement versions(m_db,
                        "SELECT version, COUNT(DISTINCT client) AS clients FROM reports WHERE title = ?"
                        " GROUP BY version ORDER BY clients DESC, version");
    versions.Bind(1, title);
    std::vector<TReportedVersion> out;
    while (versions.Step()) out.push_back({versions.Text(0), versions.Int(1)});
    return out;
}

std::int64_t TSqliteStorage::AddQueries(const std::string& key, std::int64_t window, std::int64_t count) {
    std::lock_guard guard(m_lock);
    TStatement add(m_db,
                   "INSERT INTO query_counters (key, time_window, count) VALUES (?,?,?)"
                   " ON CONFLICT (key, time_window) DO UPDATE SET count = count + excluded.count RETURNING count");
    add.Bind(1, key);
    add.Bind(2, window);
    add.Bind(3, count);
    if (!add.Step()) throw EServiceStorage("SQLite counter update returned no row");
    std::int64_t total = add.Int(0);
    while (add.Step()) {
    }
    return total;
}

void TSqliteStorage::DropQueryCounters(std::int64_t window) {
    std::lock_guard guard(m_lock);
    TStatement drop(m_db, "DELETE FROM query_counters WHERE time_window < ?");
    drop.Bind(1, window);
    drop.Step();
}

}  // namespace service
