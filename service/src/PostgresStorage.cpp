#include "service/PostgresStorage.h"
#include "service/LineList.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <utility>

namespace service {

namespace {

std::string ErrorOf(PGconn* connection) {
    std::string message = PQerrorMessage(connection);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    return message;
}

// A query result that is cleared on every path.
class TResult {
public:
    TResult(PGconn* connection, PGresult* result, const char* what) : m_result(result) {
        const ExecStatusType status = result != nullptr ? PQresultStatus(result) : PGRES_FATAL_ERROR;
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            std::string message = std::string("PostgreSQL ") + what + " failed: " + ErrorOf(connection);
            PQclear(result);
            m_result = nullptr;
            throw EServiceStorage(message);
        }
    }
    ~TResult() { PQclear(m_result); }
    TResult(const TResult&) = delete;
    TResult& operator=(const TResult&) = delete;

    int Rows() const { return PQntuples(m_result); }
    std::string Text(int row, int column) const {
        return std::string(PQgetvalue(m_result, row, column),
                           static_cast<std::size_t>(PQgetlength(m_result, row, column)));
    }
    std::int64_t Int(int row, int column) const { return std::strtoll(PQgetvalue(m_result, row, column), nullptr, 10); }
    std::int64_t Affected() const { return std::strtoll(PQcmdTuples(m_result), nullptr, 10); }

private:
    PGresult* m_result;
};

// Runs sql with text parameters; throws EServiceStorage naming what. Without
// parameters sql may hold several statements.
TResult Run(PGconn* connection, const char* sql, const std::vector<std::string>& params, const char* what) {
    if (params.empty()) return TResult(connection, PQexec(connection, sql), what);
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (const auto& p : params) {
        values.push_back(p.c_str());
        lengths.push_back(static_cast<int>(p.size()));
    }
    return TResult(connection,
                   PQexecParams(connection, sql, static_cast<int>(params.size()), nullptr, values.data(),
                                lengths.data(), nullptr, 0),
                   what);
}

// A fixed number for the advisory lock that serialises creating the tables,
// which two instances starting at once would otherwise race on.
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(7354201)";

constexpr const char* kCreateTables =
    "CREATE TABLE IF NOT EXISTS products ("
    " package_id TEXT PRIMARY KEY, name TEXT NOT NULL, publisher TEXT NOT NULL,"
    " display_names TEXT NOT NULL, version TEXT NOT NULL, display_versions TEXT NOT NULL,"
    " download_page TEXT NOT NULL, publisher_page TEXT NOT NULL, note TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS reports ("
    " id BIGSERIAL PRIMARY KEY, title TEXT NOT NULL, version TEXT NOT NULL,"
    " old_version TEXT NOT NULL, client TEXT NOT NULL, time BIGINT NOT NULL,"
    " UNIQUE (client, title, version, old_version));"
    "CREATE INDEX IF NOT EXISTS reports_title ON reports (title);"
    "CREATE TABLE IF NOT EXISTS query_counters ("
    " key TEXT NOT NULL, time_window BIGINT NOT NULL, count BIGINT NOT NULL,"
    " PRIMARY KEY (key, time_window));";

PGconn* Connect(const std::string& conninfo) {
    PGconn* connection = PQconnectdb(conninfo.c_str());
    if (connection == nullptr) throw EServiceStorage("cannot connect to PostgreSQL: out of memory");
    if (PQstatus(connection) != CONNECTION_OK) {
        std::string message = "cannot connect to PostgreSQL: " + ErrorOf(connection);
        PQfinish(connection);
        throw EServiceStorage(message);
    }
    // Text goes in and out as UTF-8 whatever the server's default is.
    if (PQsetClientEncoding(connection, "UTF8") != 0) {
        std::string message = "PostgreSQL client encoding failed: " + ErrorOf(connection);
        PQfinish(connection);
        throw EServiceStorage(message);
    }
    return connection;
}

}  // namespace

// A connection borrowed from the pool for one operation.
class TPostgresStorage::TLease {
public:
    explicit TLease(TPostgresStorage& storage) : m_storage(storage), m_connection(storage.Acquire()) {}
    ~TLease() { m_storage.Release(m_connection); }
    TLease(const TLease&) = delete;
    TLease& operator=(const TLease&) = delete;
    PGconn* operator*() const { return m_connection; }

private:
    TPostgresStorage& m_storage;
    PGconn* m_connection;
};

TPostgresStorage::TPostgresStorage(const std::string& conninfo, int connections) : m_conninfo(conninfo) {
    if (connections < 1) connections = 1;
    try {
        for (int i = 0; i < connections; ++i) m_all.push_back(Connect(conninfo));
        PGconn* first = m_all.front();
        Run(first, "BEGIN", {}, "begin");
        try {
            Run(first, kSchemaLock, {}, "schema lock");
            // Notices about tables that exist already are of no interest.
            Run(first, "SET LOCAL client_min_messages = warning", {}, "quiet schema");
            Run(first, kCreateTables, {}, "creating the tables");
            Run(first, "COMMIT", {}, "commit");
        } catch (...) {
            PQclear(PQexec(first, "ROLLBACK"));
            throw;
        }
    } catch (...) {
        for (PGconn* c : m_all) PQfinish(c);
        throw;
    }
    m_free = m_all;
}

TPostgresStorage::~TPostgresStorage() {
    for (PGconn* c : m_all) PQfinish(c);
}

PGconn* TPostgresStorage::Acquire() {
    std::unique_lock guard(m_lock);
    m_freed.wait(guard, [this] { return !m_free.empty(); });
    PGconn* connection = m_free.back();
    m_free.pop_back();
    guard.unlock();
    // A connection the server dropped (restart, idle timeout) is made again once.
    if (PQstatus(connection) != CONNECTION_OK) PQreset(connection);
    return connection;
}

void TPostgresStorage::Release(PGconn* connection) {
    {
        std::lock_guard guard(m_lock);
        m_free.push_back(connection);
    }
    m_freed.notify_one();
}

void TPostgresStorage::PutProducts(const std::vector<TProduct>& products) {
    TLease lease(*this);
    Run(*lease, "BEGIN", {}, "begin");
    try {
        for (const auto& p : products) {
            Run(*lease,
                "INSERT INTO products (package_id, name, publisher, display_names, version, display_versions,"
                " download_page, publisher_page, note) VALUES ($1,$2,$3,$4,$5,$6,$7,$8,$9)"
                " ON CONFLICT (package_id) DO UPDATE SET name = excluded.name, publisher = excluded.publisher,"
                " display_names = excluded.display_names, version = excluded.version,"
                " display_versions = excluded.display_versions, download_page = excluded.download_page,"
                " publisher_page = excluded.publisher_page, note = excluded.note",
                {p.PackageId, p.Name, p.Publisher, JoinLines(p.DisplayNames), p.Version, JoinLines(p.DisplayVersions),
                 p.DownloadPage, p.PublisherPage, p.Note},
                "storing a product");
        }
        Run(*lease, "COMMIT", {}, "commit");
    } catch (...) {
        PQclear(PQexec(*lease, "ROLLBACK"));
        throw;
    }
}

std::vector<TProduct> TPostgresStorage::LoadProducts() {
    TLease lease(*this);
    // Byte order, as the SQLite file sorts, whatever the database's collation.
    const TResult all = Run(*lease,
                            "SELECT package_id, name, publisher, display_names, version, display_versions,"
                            " download_page, publisher_page, note FROM products ORDER BY package_id COLLATE \"C\"",
                            {}, "reading the products");
    std::vector<TProduct> out;
    for (int r = 0; r < all.Rows(); ++r) {
        TProduct p;
        p.PackageId = all.Text(r, 0);
        p.Name = all.Text(r, 1);
        p.Publisher = all.Text(r, 2);
        p.DisplayNames = SplitLines(all.Text(r, 3));
        p.Version = all.Text(r, 4);
        p.DisplayVersions = SplitLines(all.Text(r, 5));
        p.DownloadPage = all.Text(r, 6);
        p.PublisherPage = all.Text(r, 7);
        p.Note = all.Text(r, 8);
        out.push_back(std::move(p));
    }
    return out;
}

std::int64_t TPostgresStorage::ProductCount() {
    TLease lease(*this);
    return Run(*lease, "SELECT COUNT(*) FROM products", {}, "counting the products").Int(0, 0);
}

bool TPostgresStorage::AddReport(const TVersionReport& report) {
    TLease lease(*this);
    const TResult added =
        Run(*lease,
            "INSERT INTO reports (title, version, old_version, client, time)"
            " VALUES ($1,$2,$3,$4,$5) ON CONFLICT DO NOTHING",
            {report.Title, report.Version, report.OldVersion, report.ClientAddress, std::to_string(report.Time)},
            "storing a report");
    return added.Affected() > 0;
}

std::int64_t TPostgresStorage::ReportCount() {
    TLease lease(*this);
    return Run(*lease, "SELECT COUNT(*) FROM reports", {}, "counting the reports").Int(0, 0);
}

std::vector<TReportedVersion> TPostgresStorage::ReportedVersions(const std::string& title) {
    TLease lease(*this);
    const TResult versions = Run(*lease,
                                 "SELECT version, COUNT(DISTINCT client) AS clients FROM reports WHERE title = $1"
                                 " GROUP BY version ORDER BY clients DESC, version COLLATE \"C\"",
                                 {title}, "reading the reported versions");
    std::vector<TReportedVersion> out;
    for (int r = 0; r < versions.Rows(); ++r) out.push_back({versions.Text(r, 0), versions.Int(r, 1)});
    return out;
}

std::int64_t TPostgresStorage::AddQueries(const std::string& key, std::int64_t window, std::int64_t count) {
    TLease lease(*this);
    // One statement: the row lock of the upsert makes concurrent additions of
    // all instances add up.
    const TResult total = Run(*lease,
                              "INSERT INTO query_counters (key, time_window, count) VALUES ($1,$2,$3)"
                              " ON CONFLICT (key, time_window) DO UPDATE"
                              " SET count = query_counters.count + excluded.count RETURNING count",
                              {key, std::to_string(window), std::to_string(count)}, "counting queries");
    if (total.Rows() != 1) throw EServiceStorage("PostgreSQL counter update returned no row");
    return total.Int(0, 0);
}

void TPostgresStorage::DropQueryCounters(std::int64_t window) {
    TLease lease(*this);
    Run(*lease, "DELETE FROM query_counters WHERE time_window < $1", {std::to_string(window)}, "dropping old counters");
}

void TPostgresStorage::DropTables() {
    TLease lease(*this);
    Run(*lease, "DROP TABLE IF EXISTS products, reports, query_counters", {}, "dropping the tables");
}

}  // namespace service
