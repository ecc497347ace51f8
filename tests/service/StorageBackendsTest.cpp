// The storage contract, run against every back end: an SQLite file and, when
// PELMIRA_TEST_POSTGRES names a database (scripts/test starts a server for it),
// PostgreSQL. Two storage objects opened on one location stand for two service
// instances sharing one database.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "StorageContract.h"
#include "TempDir.h"
#include "service/StorageFactory.h"
#ifdef PELMIRA_SERVICE_POSTGRES
#include "service/PostgresStorage.h"
#endif

namespace {

using service::TProduct;
using service::TReportedVersion;
using service::TServiceStorage;
using service::TVersionReport;

const char* PostgresLocation() {
    const char* uri = std::getenv("PELMIRA_TEST_POSTGRES");
    return uri != nullptr && *uri != '\0' ? uri : nullptr;
}

class StorageBackends : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "sqlite") {
            m_location = m_dir.Join("service.db");
            return;
        }
        const char* uri = PostgresLocation();
        if (uri == nullptr) GTEST_SKIP() << "PELMIRA_TEST_POSTGRES is not set";
#ifdef PELMIRA_SERVICE_POSTGRES
        m_location = uri;
        service::TPostgresStorage(m_location, 1).DropTables();
#else
        GTEST_SKIP() << "built without the PostgreSQL back end";
#endif
    }

    std::unique_ptr<TServiceStorage> Open() { return service::OpenServiceStorage(m_location); }

    testing_support::TempDir m_dir;
    std::string m_location;
};

TProduct Product(std::string id, std::string version) {
    TProduct p;
    p.PackageId = std::move(id);
    p.Name = "Name of " + p.PackageId;
    p.Publisher = "Publisher";
    p.DisplayNames = {p.PackageId, p.PackageId + " (x64)"};
    p.Version = std::move(version);
    p.DownloadPage = "https://example.org/" + p.PackageId;
    return p;
}

TEST_P(StorageBackends, MeetsTheStorageContractThroughTwoConnections) {
    auto storage = Open();
    auto other = Open();
    servicetest::CheckStorageContract(*storage, *other);
}

TEST_P(StorageBackends, ProductsAreReplacedByIdAndComeBackInByteOrderWithTheirLists) {
    auto storage = Open();
    TProduct accented = Product("b.Caf\xc3\xa9", "1.0");
    accented.DisplayVersions = {"1.0.0.1", "1.0"};
    accented.Note = "caf\xc3\xa9 \xe6\xbc\xa2";
    storage->PutProducts({Product("a.Lower", "1.0"), Product("Z.Upper", "2.0"), accented});
    storage->PutProducts({Product("a.Lower", "1.1")});
    EXPECT_EQ(storage->ProductCount(), 3);

    const std::vector<TProduct> all = storage->LoadProducts();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].PackageId, "Z.Upper");  // "Z" sorts before "a" byte by byte
    EXPECT_EQ(all[1].PackageId, "a.Lower");
    EXPECT_EQ(all[1].Version, "1.1");
    EXPECT_EQ(all[2].DisplayNames, (std::vector<std::string>{"b.Caf\xc3\xa9", "b.Caf\xc3\xa9 (x64)"}));
    EXPECT_EQ(all[2].DisplayVersions, (std::vector<std::string>{"1.0.0.1", "1.0"}));
    EXPECT_EQ(all[2].Note, accented.Note);
    EXPECT_TRUE(all[0].DisplayVersions.empty());
}

TEST_P(StorageBackends, ReportsCountDistinctClientsPerVersionAndRefuseRepeats) {
    auto storage = Open();
    struct Case {
        const char* client;
        const char* version;
        const char* old;
        bool stored;
    } cases[] = {
        {"10.0.0.1", "2.0", "", true},    {"10.0.0.1", "2.0", "", false},  // the same report again
        {"10.0.0.1", "2.0", "1.0", true}, {"10.0.0.2", "2.0", "", true},
        {"10.0.0.3", "1.9", "", true},    {"10.0.0.4", "10.0", "", true},
    };
    for (const Case& c : cases) {
        TVersionReport report{"Foo Editor", c.version, c.old, c.client, 1700000000};
        EXPECT_EQ(storage->AddReport(report), c.stored) << c.client << " " << c.version << " " << c.old;
    }
    storage->AddReport({"Other", "9", "", "10.0.0.9", 1700000000});
    EXPECT_EQ(storage->ReportCount(), 6);
    const std::vector<TReportedVersion> versions = storage->ReportedVersions("Foo Editor");
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_EQ(versions[0].Version, "2.0");
    EXPECT_EQ(versions[0].Clients, 2);
    EXPECT_EQ(versions[1].Version, "1.9");  // one client each: by version text, byte order
    EXPECT_EQ(versions[2].Version, "10.0");
    EXPECT_TRUE(storage->ReportedVersions("foo editor").empty());
}

TEST_P(StorageBackends, CountersAddUpPerKeyAndWindowAndOldWindowsAreDropped) {
    auto storage = Open();
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 100, 1), 1);
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 100, 5), 6);
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 100, 0), 6);
    EXPECT_EQ(storage->AddQueries("10.0.0.2", 100, 1), 1);
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 101, 1), 1);
    storage->DropQueryCounters(101);
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 100, 0), 0);
    EXPECT_EQ(storage->AddQueries("10.0.0.1", 101, 0), 1);
}

// Two instances on one database: what one stores the other reads, and
// counters added concurrently through both add up exactly.
TEST_P(StorageBackends, TwoInstancesShareReportsAndCountersUnderConcurrentUse) {
    auto first = Open();
    auto second = Open();
    EXPECT_TRUE(first->AddReport({"Shared", "3.1", "", "192.0.2.7", 1700000000}));
    EXPECT_FALSE(second->AddReport({"Shared", "3.1", "", "192.0.2.7", 1700000001}));
    ASSERT_EQ(second->ReportedVersions("Shared").size(), 1u);
    second->PutProducts({Product("Shared.Product", "3.1")});
    EXPECT_EQ(first->ProductCount(), 1);

    constexpr int kThreads = 4;
    constexpr int kAdds = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        TServiceStorage& storage = t % 2 == 0 ? *first : *second;
        threads.emplace_back([&storage] {
            for (int i = 0; i < kAdds; ++i) storage.AddQueries("198.51.100.1", 7, 1);
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(first->AddQueries("198.51.100.1", 7, 0), kThreads * kAdds);
}

INSTANTIATE_TEST_SUITE_P(Backends, StorageBackends, testing::Values("sqlite", "postgres"),
                         [](const testing::TestParamInfo<std::string>& param) { return param.param; });

TEST(PostgresStorage, UnreachableServerIsAStorageError) {
#ifdef PELMIRA_SERVICE_POSTGRES
    try {
        service::OpenServiceStorage("postgresql://127.0.0.1:1/pelmira?connect_timeout=2");
        FAIL() << "no error";
    } catch (const service::EServiceStorage& e) {
        EXPECT_EQ(std::string(e.what()).rfind("cannot connect to PostgreSQL: ", 0), 0u) << e.what();
    }
#else
    EXPECT_THROW(service::OpenServiceStorage("postgresql://127.0.0.1:1/pelmira"), service::EServiceStorage);
#endif
}

}  // namespace
