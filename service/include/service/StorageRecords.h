#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace service {

// One product of the catalogue of known software. Text is UTF-8.
struct TProduct {
    std::string PackageId;                     // unique key, e.g. "WinSCP.WinSCP"
    std::string Name;                          // product name as published
    std::string Publisher;                     // publisher as uninstall entries show it
    std::vector<std::string> DisplayNames;     // names uninstall entries show (DisplayName and aliases)
    std::string Version;                       // newest package version
    std::vector<std::string> DisplayVersions;  // versions uninstall entries show for Version
    std::string DownloadPage;                  // where to get Version
    std::string PublisherPage;                 // the publisher's web page
    std::string Note;                          // short free text about the product
};

// One accepted version report of a client. Text is UTF-8.
struct TVersionReport {
    std::string Title;
    std::string Version;
    std::string OldVersion;     // empty on a first report
    std::string ClientAddress;  // the peer's IP address as text
    std::int64_t Time = 0;      // seconds since 1970-01-01 UTC
};

// A version users reported for a title, with the number of distinct clients that reported it.
struct TReportedVersion {
    std::string Version;
    std::int64_t Clients = 0;
};

}  // namespace service
