// pelmira-scan: runs the local software scan and writes vers.xml beside this
// executable, carrying the online values over from the vers.xml found there.
//
//   Windows:  pelmira-scan               (the machine's registry)
//   Linux:    pelmira-scan EXPORT.reg    (a regedit export of HKEY_LOCAL_MACHINE)
//
// On failure the error's message goes to stderr and the exit code is 1.
#include "inventory/LocalScan.h"
#include "inventory/SoftwareCatalogue.h"

#include "platform/MemoryRegistry.h"
#include "platform/Registry.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

namespace {

#ifdef _WIN32
constexpr int kArgumentCount = 1;
constexpr const char* kUsage = "usage: pelmira-scan\n";
#else
constexpr int kArgumentCount = 2;
constexpr const char* kUsage = "usage: pelmira-scan EXPORT.reg\n";
#endif

int Run(int argc, char** argv) {
    if (argc != kArgumentCount) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    std::unique_ptr<platform::Registry> registry;
    if (argc == 2) {
        registry = platform::MemoryRegistry::FromExportFile(argv[1]);
    } else {
        registry = platform::OpenMachineRegistry();
    }
    inventory::TSoftwareCatalogue catalogue(inventory::TSoftwareCatalogue::DefaultPath());
    catalogue.CreateCatalogue();
    catalogue.LoadCatalogue();
    const int records = inventory::ScanLocalSoftware(*registry, catalogue.Document(), catalogue.Path());
    std::printf("%d records written to %s\n", records, catalogue.Path().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
