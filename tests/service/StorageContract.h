#pragma once

// What every storage back end must do, as one check that each back end's test calls on a
// fresh, empty storage (and, for counters, a second connection to the same storage).
#include "service/ServiceStorage.h"

#include <gtest/gtest.h>

namespace servicetest {

inline service::TProduct ContractProduct(const std::string& id, const std::string& version) {
    return {id,           "Name " + id, "Pub", {"Name " + id + " (x64)", "Alias"}, version, {version + ".5"},
            "https://d/", "https://p/", "note"};
}

// Catalogue, reports and query counters on an empty storage; other (may be the same object)
// is a second connection to it.
inline void CheckStorageContract(service::TServiceStorage& storage, service::TServiceStorage& other) {
    using namespace service;
    EXPECT_EQ(storage.ProductCount(), 0);
    storage.PutProducts({ContractProduct("B.b", "1.0"), ContractProduct("A.a", "2.0")});
    storage.PutProducts({ContractProduct("B.b", "1.1")});  // replaces by PackageId
    auto products = other.LoadProducts();
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(products[0].PackageId, "A.a");  // ordered by PackageId
    EXPECT_EQ(products[1].Version, "1.1");
    EXPECT_EQ(products[1].DisplayNames, (std::vector<std::string>{"Name B.b (x64)", "Alias"}));
    EXPECT_EQ(products[1].DisplayVersions, std::vector<std::string>{"1.1.5"});
    EXPECT_EQ(products[1].Note, "note");
    EXPECT_EQ(storage.ProductCount(), 2);

    EXPECT_TRUE(storage.AddReport({"T\xC3\xA9", "2.0", "", "10.0.0.1", 100}));
    EXPECT_FALSE(storage.AddReport({"T\xC3\xA9", "2.0", "", "10.0.0.1", 200}));  // the same report again
    EXPECT_TRUE(storage.AddReport({"T\xC3\xA9", "2.0", "1.0", "10.0.0.1", 300}));
    EXPECT_TRUE(other.AddReport({"T\xC3\xA9", "2.0", "", "10.0.0.2", 400}));
    EXPECT_TRUE(other.AddReport({"T\xC3\xA9", "3.0", "", "10.0.0.2", 500}));
    EXPECT_EQ(storage.ReportCount(), 4);
    auto versions = storage.ReportedVersions("T\xC3\xA9");
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(versions[0].Version, "2.0");
    EXPECT_EQ(versions[0].Clients, 2);  // distinct clients, not reports
    EXPECT_EQ(versions[1].Clients, 1);
    EXPECT_TRUE(storage.ReportedVersions("t\xC3\xA9").empty());  // titles match exactly

    EXPECT_EQ(storage.AddQueries("q:a", 7, 5), 5);
    EXPECT_EQ(other.AddQueries("q:a", 7, 3), 8);  // both connections add to one counter
    EXPECT_EQ(storage.AddQueries("q:a", 8, 0), 0);
    EXPECT_EQ(storage.AddQueries("q:b", 7, 1), 1);
    storage.DropQueryCounters(8);
    EXPECT_EQ(other.AddQueries("q:a", 7, 1), 1);  // the window was forgotten
    EXPECT_EQ(other.AddQueries("q:a", 8, 2), 2);
}

}  // namespace servicetest
