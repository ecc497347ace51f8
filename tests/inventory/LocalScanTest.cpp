#include "inventory/LocalScan.h"
#include "inventory/ScanError.h"
#include "inventory/SoftwareCatalogue.h"

#include "platform/FileSystem.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegistryError.h"

#include "ScanFixture.h"
#include "TempDir.h"
#include "platform/FixtureExe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>

namespace {

using namespace testing_support;
using inventory::ScanLocalSoftware;
using platform::MemoryRegistry;
using Strings = std::vector<std::pair<std::string, std::string>>;

// Runs a scan of the export into a fresh vers.xml and returns its records.
class LocalScanTest : public ::testing::Test {
protected:
    std::vector<Record> Scan(const std::vector<RegEntry>& entries, const xml::TXmlDocument* previous = nullptr) {
        const auto registry = MemoryRegistry::FromExportText(ExportText(entries));
        const int count = ScanLocalSoftware(*registry, previous, versPath);
        std::vector<Record> records = ReadRecords(versPath);
        EXPECT_EQ(count, static_cast<int>(records.size()));
        return records;
    }

    // A folder under the test's folder holding copies of fixture executables.
    std::string InstallDir(const std::string& name, const std::vector<std::pair<std::string, std::string>>& exes) {
        const std::filesystem::path dir = tmp.FsPath() / name;
        std::filesystem::create_directories(dir);
        for (const auto& [fileName, fixture] : exes) std::filesystem::copy_file(FixtureExe(fixture), dir / fileName);
        return dir.string();
    }

    TempDir tmp;
    std::string versPath = tmp.Join("vers.xml");
};

TEST_F(LocalScanTest, TitleAndVersionRules) {
    struct Case {
        std::optional<std::string> displayName, publisher, displayVersion;
        std::optional<Record> expected;  // nullopt: the entry is dropped
    };
    const std::string ms = "Microsoft Corporation";
    const auto rec = [](std::string title, std::string company, std::string version) {
        return std::optional<Record>(Record{std::move(title), std::move(company), std::move(version), "", "", "", ""});
    };
    const Case cases[] = {
        // parenthesis clean-up
        {"Foo (x64) Bar", "Acme", {}, rec("Foo Bar", "Acme", "")},
        {"Foo Tools (remove only)", {}, {}, rec("Foo Tools", "", "")},
        {"A (x) B (y) C", {}, {}, rec("A C", "", "")},
        {"Foo (X64) Bar (x64)", {}, {}, rec("Foo", "", "")},    // from the first "(" to the last ")"
        {" Foo ) bar ( ", {}, {}, rec("Foo ) bar (", "", "")},  // ")" before "(": only trimmed
        {" Foo ", {}, {}, rec(" Foo ", "", "")},                // no parentheses: nothing trimmed
        // the Microsoft filter, case-sensitive
        {"Windows Live Mail", ms, {}, {}},
        {"Security Hotfix for Office", ms, {}, {}},
        {"Windows Live Mail", "Microsoft Corporation ", {}, rec("Windows Live Mail", "Microsoft Corporation ", "")},
        {"Windows Live Mail", "Example Soft", {}, rec("Windows Live Mail", "Example Soft", "")},
        {"windows update tool", ms, {}, rec("windows update tool", ms, "")},
        {"Foo (Windows) 2.0", ms, {}, rec("Foo", ms, "2.0")},  // the filter sees the cleaned title
        // version from the entry, then from the title's last word
        {"Example Editor 5.4 (x86)", "Example Soft", {}, rec("Example Editor", "Example Soft", "5.4")},
        {"Foo 2010", {}, {}, rec("Foo", "", "2010")},
        {"Foo Beta", {}, {}, rec("Foo Beta", "", "")},
        {"Foo 2.1b", {}, {}, rec("Foo", "", "2.1b")},
        {"Tool v2", {}, {}, rec("Tool", "", "v2")},
        {"Foo x64", {}, {}, rec("Foo x64", "", "")},
        {"Foo Pro", {}, {}, rec("Foo Pro", "", "")},
        {"Foo 1.2.3.4", {}, {}, rec("Foo", "", "1.2.3.4")},
        {"Foo Build", {}, {}, rec("Foo Build", "", "")},
        {"Foo 3.0", {}, "3.0", rec("Foo", "", "3.0")},
        {"OpenOffice 4.1.11", "Apache", "4.111.9808", rec("OpenOffice 4.1.11", "Apache", "4.111.9808")},
        {"3.0", {}, "3.0", rec("", "", "3.0")},  // a title equal to its version becomes empty
        {"Foo 1.2 (beta)", {}, "1.2", rec("Foo", "", "1.2")},
        {"foo 1.0", {}, "1.0 ", rec("foo 1.0", "", "1.0 ")},  // the cut compares byte for byte
        // display names
        {"", "Acme", {}, rec("", "Acme", "")},
        {{}, "Acme", "1.0", {}},
    };
    for (const Case& c : cases) {
        Strings values;
        if (c.displayName) values.emplace_back("DisplayName", *c.displayName);
        if (c.publisher) values.emplace_back("Publisher", *c.publisher);
        if (c.displayVersion) values.emplace_back("DisplayVersion", *c.displayVersion);
        const std::vector<Record> records = Scan({Entry("{Entry}", values)});
        const std::string label = c.displayName.value_or("<no display name>");
        if (!c.expected) {
            EXPECT_TRUE(records.empty()) << label;
        } else {
            ASSERT_EQ(records.size(), 1u) << label;
            EXPECT_EQ(records[0], *c.expected) << label;
        }
    }
}

TEST_F(LocalScanTest, VersionFromTheInstallFolder) {
    if (FixtureExeDir().empty()) GTEST_SKIP() << "no mingw-w64 fixtures";
    const char sep = platform::PathSeparator();
    const std::string app = InstallDir("App", {{"app.exe", "v5_4_1_0"}});
    const std::string one = InstallDir("One", {{"one.exe", "v1_0_0_0"}});
    const std::string skipping = InstallDir("Skipping", {{"unins000.exe", "v2_0_0_10"},
                                                         {"Launcher.exe", "v3_1_0_0"},
                                                         {"RUNNER.EXE", "v1_0_0_0"},
                                                         {"tool.exe", "noversion"},
                                                         {"main.exe", "v10_0_0_0"}});
    const std::string onlyUninstallers = InstallDir("Only", {{"uninst.exe", "v1_2_3_4"}});
    std::vector<std::pair<std::string, std::string>> nine, ten;
    for (int i = 0; i < 10; ++i) (i < 9 ? nine : ten).emplace_back("p" + std::to_string(i) + ".exe", "v1_2_3_4");
    ten.insert(ten.end(), nine.begin(), nine.end());
    const std::string nineDir = InstallDir("Nine", nine);
    const std::string tenDir = InstallDir("Ten", ten);
    const std::string shield = InstallDir("InstallShield", {{"app.exe", "v5_4_1_0"}});

    struct Case {
        Strings values;
        const char* title;
        const char* version;
    };
    const Case cases[] = {
        {{{"DisplayName", "Example App"}, {"InstallLocation", "\"" + app + "\\\""}}, "Example App", "5.4.1"},
        {{{"DisplayName", "Foo"}, {"InstallLocation", one}}, "Foo", "1.0"},
        {{{"DisplayName", "Bar (x64)"}, {"DisplayVersion", ""}, {"InstallLocation", one}}, "Bar", "1.0"},
        // uninstallers and any name containing "un" are skipped, as are files without a version
        {{{"DisplayName", "Skip"}, {"InstallLocation", skipping}}, "Skip", "10.0"},
        {{{"DisplayName", "Only"}, {"InstallLocation", onlyUninstallers}}, "Only", ""},
        {{{"DisplayName", "Nine"}, {"InstallLocation", nineDir}}, "Nine", "1.2.3.4"},
        {{{"DisplayName", "Ten"}, {"InstallLocation", tenDir}}, "Ten", ""},
        {{{"DisplayName", "Shield"}, {"InstallLocation", shield}}, "Shield", ""},
        // the first non-empty candidate counts, even when it is no folder
        {{{"DisplayName", "Inno"}, {"InstallLocation", ""}, {"Inno Setup: App Path", app}}, "Inno", "5.4.1"},
        {{{"DisplayName", "Path"}, {"InstallPath", one}, {"Readme", app}}, "Path", "1.0"},
        {{{"DisplayName", "Readme"}, {"Readme", app + sep + "readme.txt"}, {"DisplayIcon", app}}, "Readme", ""},
        {{{"DisplayName", "Icon"}, {"DisplayIcon", app + sep + "app.exe,0"}}, "Icon", ""},
        {{{"DisplayName", "Exe"}, {"InstallLocation", app + sep + "app.exe"}}, "Exe", ""},
        {{{"DisplayName", "Cmd"}, {"UninstallString", "\"" + app + sep + "app.exe\" /x"}}, "Cmd", ""},
        {{{"DisplayName", "Last"}, {"UninstallString", app}}, "Last", "5.4.1"},
        {{{"DisplayName", "Gone"}, {"InstallLocation", tmp.Join("Missing")}}, "Gone", ""},
        // a version from the entry or the title means no folder is searched
        {{{"DisplayName", "Given"}, {"DisplayVersion", "7"}, {"InstallLocation", app}}, "Given", "7"},
        {{{"DisplayName", "Word 8"}, {"InstallLocation", app}}, "Word", "8"},
    };
    for (const Case& c : cases) {
        const std::vector<Record> records = Scan({Entry("E", c.values)});
        ASSERT_EQ(records.size(), 1u) << c.title;
        EXPECT_EQ(records[0].title, c.title);
        EXPECT_EQ(records[0].versionLocal, c.version) << c.title;
    }
}

// The previous catalogue as the main window holds it: loaded from vers.xml.
std::unique_ptr<inventory::TSoftwareCatalogue> Previous(const std::string& path, const std::vector<Record>& records) {
    xml::TXmlDocument doc(inventory::kRootName);
    for (const Record& r : records) {
        xml::TXmlNode* n = doc.RootElement()->AddChild(inventory::kRecordName);
        n->WriteText(inventory::kFieldTitle, r.title, "");
        n->WriteText(inventory::kFieldVersionCorvanthelis, r.corvanthelis, "");
        n->WriteText(inventory::kFieldVersionPublisher, r.publisher, "");
        n->WriteText(inventory::kFieldVersionAll, r.all, "");
        n->WriteText(inventory::kFieldVersionOld, r.old, "");
    }
    doc.SaveFile(path);
    auto catalogue = std::make_unique<inventory::TSoftwareCatalogue>(path);
    catalogue->CreateCatalogue();
    catalogue->LoadCatalogue();
    return catalogue;
}

TEST_F(LocalScanTest, CarryOverTakesTheFirstRecordWithTheSameTitle) {
    const auto previous = Previous(versPath, {
                                                 {"Foo", "", "", "c1", "p1", "a1", "o1"},
                                                 {"foo", "", "", "c2", "p2", "a2", "o2"},
                                                 {"Foo", "", "", "c3", "p3", "a3", "o3"},
                                                 {"", "", "", "c4", "p4", "a4", "o4"},
                                                 {"Bar &amp; <Co>", "", "", "c5", "", "", ""},
                                             });
    const std::vector<Record> records = Scan(
        {
            Entry("1", {{"DisplayName", "Foo 2010"}}),
            Entry("2", {{"DisplayName", "Foo (x64)"}, {"Publisher", "Acme"}}),
            Entry("3", {{"DisplayName", "FOO"}}),
            Entry("4", {{"DisplayName", ""}}),
            Entry("5", {{"DisplayName", "Foo "}}),
            Entry("6", {{"DisplayName", "Bar &amp; <Co>"}}),
        },
        previous->Document());
    const std::vector<Record> expected = {
        {"Foo", "", "2010", "c1", "p1", "a1", "o1"},  // duplicates both carry the first record's values
        {"Foo", "Acme", "", "c1", "p1", "a1", "o1"},  {"FOO", "", "", "", "", "", ""},   // letter case matters
        {"", "", "", "c4", "p4", "a4", "o4"},         {"Foo ", "", "", "", "", "", ""},  // so does a blank
        {"Bar &amp; <Co>", "", "", "c5", "", "", ""},
    };
    EXPECT_EQ(records, expected);
}

TEST_F(LocalScanTest, NoPreviousCatalogueOrNoRootCarriesNothing) {
    xml::TXmlDocument rootless;
    rootless.Nodes()->DeleteChildren();
    ASSERT_EQ(rootless.RootElement(), nullptr);
    const xml::TXmlDocument* const previousDocs[] = {nullptr, &rootless};
    for (const xml::TXmlDocument* previous : previousDocs) {
        const std::vector<Record> records = Scan({Entry("1", {{"DisplayName", "Foo"}})}, previous);
        EXPECT_EQ(records, (std::vector<Record>{{"Foo", "", "", "", "", "", ""}}));
    }
}

// The index gives exactly what a pass over the records from index 0 gives.
TEST_F(LocalScanTest, CarryOverEqualsTheLinearSearch) {
    std::mt19937 rng(7);
    const char* words[] = {"Foo", "foo", "Bar", "Baz", "", "Foo ", "Qux"};
    std::vector<Record> old;
    for (int i = 0; i < 60; ++i)
        old.push_back({words[rng() % 7], "", "", "c" + std::to_string(i), "p" + std::to_string(i), "", ""});
    const auto previous = Previous(versPath, old);
    std::vector<RegEntry> entries;
    for (int i = 0; i < 40; ++i) entries.push_back(Entry("E" + std::to_string(i), {{"DisplayName", words[rng() % 7]}}));
    const std::vector<Record> records = Scan(entries, previous->Document());
    ASSERT_EQ(records.size(), entries.size());
    for (const Record& r : records) {
        const int match = previous->FindTitle(r.title);
        EXPECT_EQ(r.corvanthelis, match < 0 ? "" : previous->ReadField(match, inventory::kFieldVersionCorvanthelis));
        EXPECT_EQ(r.publisher, match < 0 ? "" : previous->ReadField(match, inventory::kFieldVersionPublisher));
    }
}

TEST_F(LocalScanTest, WritesTheCatalogueByteForByte) {
    const auto previous = Previous(versPath, {{"Sample Player", "", "", "2.1", "2.1", "2.2", "2.0"}});
    Scan(
        {
            Entry("{A}", {{"DisplayName", "Example Editor 5.4.1"}, {"Publisher", "Example Soft & Co."}}),
            Entry("{B}", {{"DisplayName", "Sample Player"}, {"DisplayVersion", "2.0"}}),
        },
        previous->Document());
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
        "<Root>\r\n"
        "  <Software>\r\n"
        "    <Title>Example Editor</Title>\r\n"
        "    <Company>Example Soft &amp; Co.</Company>\r\n"
        "    <VersionLocal>5.4.1</VersionLocal>\r\n"
        "    <VersionCorvanthelis/>\r\n"
        "    <VersionPublisher/>\r\n"
        "    <VersionAll/>\r\n"
        "    <VersionOld/>\r\n"
        "    <Status>1</Status>\r\n"
        "  </Software>\r\n"
        "  <Software>\r\n"
        "    <Title>Sample Player</Title>\r\n"
        "    <Company/>\r\n"
        "    <VersionLocal>2.0</VersionLocal>\r\n"
        "    <VersionCorvanthelis>2.1</VersionCorvanthelis>\r\n"
        "    <VersionPublisher>2.1</VersionPublisher>\r\n"
        "    <VersionAll>2.2</VersionAll>\r\n"
        "    <VersionOld>2.0</VersionOld>\r\n"
        "    <Status>1</Status>\r\n"
        "  </Software>\r\n"
        "</Root>\r\n";
    EXPECT_EQ(ReadBytes(versPath), expected);

    Scan({});
    EXPECT_EQ(ReadBytes(versPath), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root></Root>\r\n");
}

TEST_F(LocalScanTest, BothRegistryViewsAreScanned64BitFirst) {
    const std::vector<Record> records = Scan({
        Entry("W1", {{"DisplayName", "Thirty-Two 1.0"}}, true),
        Entry("N1", {{"DisplayName", "Sixty-Four 2.0"}}),
        Entry("W2", {{"DisplayName", "Also 32"}}, true),
        Entry("N2", {{"DisplayName", "Also 64"}}),
    });
    std::vector<std::string> titles;
    for (const Record& r : records) titles.push_back(r.title + "/" + r.versionLocal);
    EXPECT_EQ(titles, (std::vector<std::string>{"Sixty-Four/2.0", "Also/64", "Thirty-Two/1.0", "Also/32"}));
}

class CountingObserver : public inventory::IScanObserver {
public:
    void ScanStarting() override { ++starts; }
    int starts = 0;
};

// A value of the wrong type ends the scan before anything is saved.
TEST_F(LocalScanTest, WrongTypeAbortsAndLeavesTheCatalogueFile) {
    const std::string original = "<?xml version=\"1.0\"?>\r\n<Root><Software><Title>Kept</Title></Software></Root>\r\n";
    struct Case {
        std::vector<std::pair<std::string, std::string>> values;  // raw export data
        const char* message;
    };
    const Case cases[] = {
        {{{"DisplayName", "dword:00000001"}}, "Invalid data type for 'DisplayName'"},
        {{{"displayNAME", "hex:41,00"}}, "Invalid data type for 'displayNAME'"},
        {{{"DisplayName", "\"Foo\""}, {"Publisher", "hex(7):41,00,00,00,00,00"}}, "Invalid data type for 'Publisher'"},
        {{{"DisplayName", "\"Foo\""}, {"DisplayVersion", "dword:00000002"}}, "Invalid data type for 'DisplayVersion'"},
        {{{"DisplayName", "\"Foo\""}, {"InstallLocation", "\"\""}, {"InstallPath", "dword:00000003"}},
         "Invalid data type for 'InstallPath'"},
    };
    for (const Case& c : cases) {
        WriteBytes(versPath, original);
        RegEntry bad{"Bad", c.values};
        const auto registry = MemoryRegistry::FromExportText(
            ExportText({Entry("Good", {{"DisplayName", "Good 1.0"}}), bad, Entry("Later", {{"DisplayName", "L"}})}));
        CountingObserver observer;
        try {
            ScanLocalSoftware(*registry, nullptr, versPath, &observer);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const platform::RegistryError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(observer.starts, 1);
        EXPECT_EQ(ReadBytes(versPath), original) << c.message;
        EXPECT_TRUE(registry->GetValueNames().empty()) << "the key stays open";
    }
}

// Values of other types are no error when the scan does not read them.
TEST_F(LocalScanTest, UnreadValuesMayHaveAnyType) {
    RegEntry entry = Entry("E", {{"DisplayName", "Foo"}, {"InstallLocation", tmp.Join("nowhere")}});
    entry.values.emplace_back("DisplayIcon", "dword:00000001");
    entry.values.emplace_back("EstimatedSize", "dword:00001000");
    RegEntry versioned = Entry("V", {{"DisplayName", "Bar"}, {"DisplayVersion", "1.0"}});
    versioned.values.emplace_back("InstallLocation", "dword:00000001");
    const std::vector<Record> records = Scan({entry, versioned});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].versionLocal, "1.0");
}

// Without the uninstall key nothing is saved: an existing vers.xml stays and
// none is created.
TEST_F(LocalScanTest, MissingUninstallKeyStopsWithoutSaving) {
    const auto registry = MemoryRegistry::FromExportText(
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n\"A\"=\"b\"\r\n");
    const auto expectRefused = [&] {
        try {
            ScanLocalSoftware(*registry, nullptr, versPath);
            ADD_FAILURE() << "scan without uninstall key succeeded";
        } catch (const inventory::EScanError& e) {
            EXPECT_STREQ(e.what(),
                         "Cannot open registry key \"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\"");
        }
    };
    expectRefused();
    EXPECT_FALSE(platform::FileExists(versPath));
    WriteBytes(versPath, "previous");
    expectRefused();
    EXPECT_EQ(ReadBytes(versPath), "previous");

    // The machine registry of the portable build is empty: the same refusal.
    const auto machine = platform::OpenMachineRegistry();
    machine->SetView(machine->Views().front());
    if (!machine->OpenKey(inventory::kUninstallKey)) {
        EXPECT_THROW(ScanLocalSoftware(*machine, nullptr, versPath), inventory::EScanError);
        EXPECT_EQ(ReadBytes(versPath), "previous");
    }
}

TEST_F(LocalScanTest, TellsTheObserverOnceAndFailsToSaveIntoAMissingFolder) {
    const auto registry = MemoryRegistry::FromExportText(ExportText({Entry("1", {{"DisplayName", "Foo"}})}));
    CountingObserver observer;
    const std::string badPath = tmp.Join("no-such-folder") + platform::PathSeparator() + "vers.xml";
    EXPECT_ANY_THROW(ScanLocalSoftware(*registry, nullptr, badPath, &observer));
    EXPECT_EQ(observer.starts, 1);
    EXPECT_EQ(ScanLocalSoftware(*registry, nullptr, versPath, &observer), 1);
    EXPECT_EQ(observer.starts, 2);
}

}  // namespace
