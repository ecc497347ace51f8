#pragma once

#include "service/StorageRecords.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace service {

// A storage failure (open, schema, statement); the message says what failed.
class EServiceStorage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Everything the version service keeps: the catalogue, the accepted reports and
// the per-client query counters. Every instance of the service that shares one
// storage shares all three. Implementations are safe to call from several
// threads at once; every operation throws EServiceStorage on failure.
class TServiceStorage {
public:
    virtual ~TServiceStorage() = default;

    // Inserts products in one transaction, replacing any stored product with the same PackageId.
    virtual void PutProducts(const std::vector<TProduct>& products) = 0;
    // Every stored product, ordered by PackageId.
    virtual std::vector<TProduct> LoadProducts() = 0;
    // Number of stored products.
    virtual std::int64_t ProductCount() = 0;

    // Stores an accepted report; returns false (and stores nothing) when the same client
    // already reported the same title, version and old version.
    virtual bool AddReport(const TVersionReport& report) = 0;
    // Number of stored reports.
    virtual std::int64_t ReportCount() = 0;
    // The versions reported for exactly this title, each with its number of distinct
    // client addresses; most clients first, then by version text.
    virtual std::vector<TReportedVersion> ReportedVersions(const std::string& title) = 0;

    // Adds count (0 or more) to the counter of key in the time window window and returns
    // the counter's new value, which counts the additions of every instance.
    virtual std::int64_t AddQueries(const std::string& key, std::int64_t window, std::int64_t count) = 0;
    // Forgets the counters of every window before window.
    virtual void DropQueryCounters(std::int64_t window) = 0;
};

}  // namespace service
