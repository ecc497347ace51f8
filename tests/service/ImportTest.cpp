#include "SampleProducts.h"
#include "StorageContract.h"
#include "TempDir.h"

#include "service/CatalogueFile.h"
#include "service/ManifestImporter.h"
#include "service/SqliteStorage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using namespace service;
namespace fs = std::filesystem;

// The shared winget-pkgs sample beside the repository, or an empty path.
fs::path ManifestSample() {
    const char* shared = std::getenv("PELMIRA_SHARED_DATA");
    fs::path p = shared ? fs::path(shared) / "winget-manifests" / "manifests" : fs::path();
    return !p.empty() && fs::is_directory(p) ? p : fs::path();
}

const TProduct* FindProduct(const std::vector<TProduct>& products, const std::string& id) {
    for (const auto& p : products)
        if (p.PackageId == id) return &p;
    return nullptr;
}

TEST(ManifestImport, TheSampleTreeGivesItsPackagesFieldByField) {
    fs::path root = ManifestSample();
    if (root.empty()) GTEST_SKIP() << "no ../shared/data/winget-manifests beside the repository";
    std::vector<std::string> log;
    TManifestImporter importer([&](const std::string& line) { log.push_back(line); });
    importer.ImportTree(root);
    EXPECT_EQ(importer.Stats().Folders, 150);
    EXPECT_EQ(importer.Stats().Manifests, 448);
    EXPECT_EQ(importer.Stats().Skipped, 0);
    EXPECT_TRUE(log.empty());
    auto products = importer.Products();
    ASSERT_EQ(products.size(), 150u);
    std::size_t withEntries = 0;
    for (const auto& p : products) withEntries += p.DisplayNames.empty() ? 0 : 1;
    EXPECT_EQ(withEntries, 43u);  // packages whose uninstall entries give a DisplayName

    const TProduct* winscp = FindProduct(products, "WinSCP.WinSCP");
    ASSERT_NE(winscp, nullptr);
    EXPECT_EQ(winscp->Name, "WinSCP");
    EXPECT_EQ(winscp->Publisher, "Martin Prikryl");
    EXPECT_EQ(winscp->Version, "6.5.7");
    EXPECT_EQ(winscp->DisplayNames, std::vector<std::string>{"WinSCP 6.5.6"});
    EXPECT_TRUE(winscp->DisplayVersions.empty());
    EXPECT_EQ(winscp->DownloadPage, "https://winscp.net/");

    const TProduct* parsec = FindProduct(products, "Parsec.Parsec");
    ASSERT_NE(parsec, nullptr);
    EXPECT_EQ(parsec->DisplayNames, (std::vector<std::string>{"Parsec Virtual USB Adapter Driver", "Parsec"}));
    EXPECT_EQ(parsec->DisplayVersions, (std::vector<std::string>{"0.3.10.0", "150-101b"}));

    const TProduct* mullvad = FindProduct(products, "MullvadVPN.MullvadVPN");
    ASSERT_NE(mullvad, nullptr);
    EXPECT_EQ(mullvad->DisplayNames, std::vector<std::string>{"Mullvad VPN 2026.40"});
    EXPECT_EQ(mullvad->Version, "2026.4");

    const TProduct* battle = FindProduct(products, "Blizzard.BattleNet");  // a singleton manifest
    ASSERT_NE(battle, nullptr);
    EXPECT_EQ(battle->Name, "Battle.Net");
    EXPECT_EQ(battle->Publisher, "Blizzard Entertainment");
    EXPECT_EQ(battle->Version, "1.22.0.12040");
    EXPECT_EQ(battle->DownloadPage.rfind("http://dist.blizzard.com/", 0), 0u);
}

TEST(ManifestImport, TheShippedSampleCatalogueIsTheImportOfTheSampleTree) {
    fs::path root = ManifestSample();
    if (root.empty()) GTEST_SKIP() << "no ../shared/data/winget-manifests beside the repository";
    TManifestImporter importer;
    importer.ImportTree(root);
    std::ostringstream fresh;
    WriteCatalogueFile(fresh, importer.Products());
    std::ifstream shipped(PELMIRA_SAMPLE_CATALOGUE, std::ios::binary);
    std::stringstream text;
    text << shipped.rdbuf();
    EXPECT_EQ(fresh.str(), text.str()) << "regenerate service/data/sample-catalogue.tsv with pelmira-service export";
    EXPECT_EQ(fresh.str(), std::string(SampleCatalogueText()));
}

TEST(ManifestImport, BrokenManifestsAreSkippedWithALineAndTheNewestVersionWins) {
    testing_support::TempDir dir;
    auto write = [&](const std::string& relative, const std::string& text) {
        fs::path p = dir.FsPath() / relative;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    };
    auto locale = [](const std::string& version, const std::string& name) {
        return "PackageIdentifier: Foo.Bar\r\nPackageVersion: " + version +
               "\r\nPackageLocale: en-US\r\nPackageName: " + name +
               "\r\nPublisher: Foo\r\nManifestType: defaultLocale\r\nManifestVersion: 1.6.0\r\n";
    };
    write("f/Foo/Bar/1.10/Foo.Bar.locale.en-US.yaml", locale("1.10", "Bar new"));
    write("f/Foo/Bar/1.9/Foo.Bar.locale.en-US.yaml", locale("1.9", "Bar old"));
    write("f/Foo/Bar/1.9/Foo.Bar.installer.yaml", "PackageIdentifier: Foo.Bar\nInstallers: [unclosed\n");
    write("f/Foo/Baz/1.0/Foo.Baz.installer.yaml",
          "PackageIdentifier: Foo.Baz\nPackageVersion: 1.0\nManifestType: installer\n");  // no locale
    write("f/Foo/Qux/2.0/Foo.Qux.yaml", "- just\n- a list\n");
    std::vector<std::string> log;
    TManifestImporter importer([&](const std::string& line) { log.push_back(line); });
    importer.ImportTree(dir.FsPath());
    EXPECT_EQ(importer.Stats().Manifests, 5);
    EXPECT_EQ(importer.Stats().Skipped, 3);
    ASSERT_EQ(log.size(), 3u);
    for (const auto& line : log) EXPECT_EQ(line.rfind("skipped ", 0), 0u) << line;
    auto products = importer.Products();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(products[0].Version, "1.10");  // 1.10 is above 1.9
    EXPECT_EQ(products[0].Name, "Bar new");
}

TEST(CatalogueFile, RoundTripsEveryFieldThroughTheFileAndTheDatabase) {
    TProduct odd{"X.Y", "Tab\there", "Back\\slash", {"One", "Two\r"}, "1.0", {"1.0.0.5"}, "http://a/", "", "Note\n"};
    std::ostringstream out;
    WriteCatalogueFile(out, {odd});
    std::istringstream in(out.str());
    auto back = ReadCatalogueFile(in);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Name, odd.Name);
    EXPECT_EQ(back[0].Publisher, odd.Publisher);
    EXPECT_EQ(back[0].DisplayNames, odd.DisplayNames);
    EXPECT_EQ(back[0].Note, odd.Note);

    TSqliteStorage storage(":memory:");
    storage.PutProducts(servicetest::SampleProducts());
    storage.PutProducts(servicetest::SampleProducts());  // replaces, does not add
    auto stored = storage.LoadProducts();
    EXPECT_EQ(stored.size(), 150u);
    std::ostringstream again;
    WriteCatalogueFile(again, stored);
    EXPECT_EQ(again.str(), std::string(SampleCatalogueText()));

    std::istringstream bad("# pelmira-service catalogue 1\nwrong header\n");
    EXPECT_THROW(ReadCatalogueFile(bad), ECatalogueFile);
}

TEST(SqliteStorage, KeepsTheStorageContractAcrossTwoConnectionsToOneFile) {
    testing_support::TempDir dir;
    TSqliteStorage first(dir.Join("shared.sqlite")), second(dir.Join("shared.sqlite"));
    servicetest::CheckStorageContract(first, second);
    EXPECT_THROW(TSqliteStorage(dir.Join("no/such/folder/x.sqlite")), EServiceStorage);
}

}  // namespace
