#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace service {

// A configuration or command-line error; the message names the file, line or option.
class EServiceSettings : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Everything the service can be told. The configuration file holds "key = value" lines
// ("#" starts a comment line); the keys are the ones LoadSettingsFile lists.
struct TServiceSettings {
    std::string ListenHost = "127.0.0.1";
    int ListenPort = 8080;
    std::string Database = "pelmira-service.sqlite";  // SQLite file (or a back end's URI)
    int Threads = 64;                                 // worker threads, one per open connection
    std::int64_t RateLimit = 400;                     // version queries per client address and clock hour; 0: no limit
    std::int64_t ReportThreshold = 3;                 // distinct clients before a reported version is shown
    bool Maintenance = false;                         // answer every version query with MaintenanceNotice
    std::string MaintenanceNotice;                    // UTF-8; empty: the built-in text
    std::string RateLimitNotice;                      // UTF-8; empty: the built-in text
};

// Splits "ADDR:PORT" (or "[v6addr]:PORT") into host and port; throws EServiceSettings.
void ParseListenAddress(std::string_view text, std::string& host, int& port);

// Reads the configuration file at path into settings (keys not in the file keep their
// values). Keys: listen, db, threads, rate_limit, report_threshold, maintenance (on/off),
// maintenance_notice, rate_limit_notice. Throws EServiceSettings for an unreadable file,
// an unknown key or a bad value.
void LoadSettingsFile(const std::string& path, TServiceSettings& settings);

}  // namespace service
