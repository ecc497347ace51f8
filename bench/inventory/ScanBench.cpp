// Times ScanLocalSoftware on N uninstall entries held in a MemoryRegistry,
// with an N-record previous catalogue (half of the titles match), from the
// first registry read to the saved vers.xml. Beside it, the same N title
// lookups done the linear way (a pass from record 0 for every entry), which
// is what the carry-over would cost without its index.
#include "inventory/CatalogueFields.h"
#include "inventory/LocalScan.h"
#include "inventory/SoftwareCatalogue.h"

#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string Title(int i) { return "Product " + std::to_string(i) + " Suite"; }

std::unique_ptr<platform::MemoryRegistry> MakeRegistry(int n) {
    auto reg = std::make_unique<platform::MemoryRegistry>();
    reg->AddKey(kUninstall);
    for (int i = 0; i < n; ++i) {
        const std::string key = std::string(kUninstall) + "\\{" + std::to_string(100000 + i) + "-ABCD}";
        // Odd entries carry titles the previous catalogue knows.
        const std::string name = (i % 2 == 1 ? Title(i) : "New Tool " + std::to_string(i)) +
                                 (i % 3 == 0 ? " 2." + std::to_string(i % 10) : "") + (i % 5 == 0 ? " (x64)" : "");
        reg->SetValue(key, "DisplayName", platform::rtString, name);
        reg->SetValue(key, "Publisher", platform::rtString, "Vendor " + std::to_string(i % 97) + " & Co.");
        if (i % 4 == 0) reg->SetValue(key, "DisplayVersion", platform::rtString, "1." + std::to_string(i));
        reg->SetValue(key, "InstallLocation", platform::rtString, "C:\\Program Files\\Product " + std::to_string(i));
        reg->SetValue(key, "UninstallString", platform::rtString, "\"C:\\Program Files\\P\\unins000.exe\"");
        reg->SetValue(key, "EstimatedSize", platform::rtDword, std::string(4, '\x01'));
    }
    return reg;
}

void MakePrevious(const std::string& path, int n) {
    xml::TXmlDocument doc(inventory::kRootName);
    for (int i = 0; i < n; ++i) {
        xml::TXmlNode* r = doc.RootElement()->AddChild(inventory::kRecordName);
        r->WriteText(inventory::kFieldTitle, Title(n - 1 - i), "");
        r->WriteText(inventory::kFieldCompany, "Vendor", "");
        r->WriteText(inventory::kFieldVersionLocal, "1.0", "");
        r->WriteText(inventory::kFieldVersionCorvanthelis, "<font color=\"ff3300\">2.0</font>", "");
        r->WriteText(inventory::kFieldVersionPublisher, "2.0", "");
        r->WriteText(inventory::kFieldVersionAll, "2.1", "");
        r->WriteText(inventory::kFieldVersionOld, "1.0", "");
        r->WriteInt(inventory::kFieldStatus, 1, 0);
    }
    doc.SetOutputStyle(xml::osReadable);
    doc.SaveFile(path);
}

double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    // "scan" as argument leaves the linear lookups out (for profiling the scan).
    const bool scanOnly = argc > 1 && std::string(argv[1]) == "scan";
    const auto dir = std::filesystem::temp_directory_path() / "pelmira-inventory-bench";
    std::filesystem::create_directories(dir);
    const std::string prevPath = (dir / "previous.xml").string();
    const std::string outPath = (dir / "vers.xml").string();
    std::printf("%8s %14s %12s %14s %16s %12s\n", "entries", "scan ms (med)", "scan (min)", "cpu ms (med)",
                "linear lookups", "linear/scan");
    double scan1000 = 0, scan5000 = 0;
    for (const int n : {1000, 2000, 5000}) {
        const auto registry = MakeRegistry(n);
        MakePrevious(prevPath, n);
        inventory::TSoftwareCatalogue previous(prevPath);
        previous.CreateCatalogue();
        previous.LoadCatalogue();

        std::vector<double> scans, cpu, linear;
        int records = 0;
        for (int round = 0; round < 11; ++round) {
            // Wall time, and the process's processor time, which a busy machine
            // does not inflate.
            const std::clock_t c0 = std::clock();
            const auto t0 = Clock::now();
            records = inventory::ScanLocalSoftware(*registry, previous.Document(), outPath);
            const auto t1 = Clock::now();
            const std::clock_t c1 = std::clock();
            scans.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            cpu.push_back(1000.0 * static_cast<double>(c1 - c0) / CLOCKS_PER_SEC);

            // The lookups alone, done as a pass from record 0 per entry.
            const auto t2 = Clock::now();
            long found = scanOnly ? n / 2 : 0;
            for (int i = 0; i < n && !scanOnly; ++i)
                found += previous.FindTitle(i % 2 == 1 ? Title(i) : "New Tool") >= 0;
            const auto t3 = Clock::now();
            linear.push_back(std::chrono::duration<double, std::milli>(t3 - t2).count());
            if (found != n / 2) std::fprintf(stderr, "unexpected match count %ld\n", found);
        }
        if (records != n) std::fprintf(stderr, "unexpected record count %d\n", records);
        const double s = MedianMs(scans), l = MedianMs(linear);
        std::printf("%8d %14.2f %12.2f %14.2f %16.2f %12.1f\n", n, s, *std::min_element(scans.begin(), scans.end()),
                    MedianMs(cpu), l, l / s);
        if (n == 1000) scan1000 = MedianMs(cpu);
        if (n == 5000) scan5000 = MedianMs(cpu);
    }
    std::printf("growth 1000 -> 5000 entries (cpu): x%.2f (linear cost would be x5.0)\n", scan5000 / scan1000);
    std::filesystem::remove_all(dir);
    return 0;
}
