// pelmira-service: the reference version service. Serves in the foreground, or imports a
// manifest tree or catalogue file, or exports the catalogue; see Usage below.

#include "service/CatalogueFile.h"
#include "service/HttpFrontEnd.h"
#include "service/ManifestImporter.h"
#include "service/SampleCatalogue.h"
#include "service/ServiceSettings.h"
#include "service/StorageFactory.h"
#include "service/VersionService.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

constexpr const char* kUsage = R"(Usage:
  pelmira-service [--listen ADDR:PORT] [--config FILE] [--db FILE]
      Serve the version service in the foreground until SIGINT or SIGTERM.
  pelmira-service import PATH [--db FILE] [--config FILE]
      Import a winget-pkgs manifest tree (a folder) or a catalogue file (a .tsv
      written by export) into the database; newest version per package.
  pelmira-service export [--db FILE] [--config FILE]
      Write the database's catalogue to standard output as a catalogue file.
  pelmira-service --help
      Show this text.

Requests served:
  GET /ver/get.php?title=T&ver=V          the versions known for title T
  GET /ver/put.php?type=&title=&ver=&verold=&vcode=   a version report
  GET /, /programs/pelmira.html, /feedback.php        home, help, feedback

Defaults: listen 127.0.0.1:8080, database pelmira-service.sqlite in the current
folder. A database without products is filled with the built-in sample
catalogue (150 widely used packages) when the service starts.

Configuration file (--config FILE): one "key = value" per line, "#" starts a
comment; the command line wins over the file.
  listen = 127.0.0.1:8080     address and port to serve on (0.0.0.0 for all)
  db = pelmira-service.sqlite SQLite database file
  threads = 64                worker threads (one per open connection)
  rate_limit = 400            version queries per client address and clock
                              hour before the "[Notice:]" reply; reports have
                              the same limit (429); 0 turns the limit off
  report_threshold = 3        distinct client addresses that must report a
                              version of an unknown title before it is shown
  maintenance = off           on: answer every query with a notice
  maintenance_notice = TEXT   the notice text in maintenance (UTF-8)
  rate_limit_notice = TEXT    the notice text over the rate limit (UTF-8)

The report check code's base is built in (PELMIRA_VCODE_BASE = )" PELMIRA_VCODE_STRING R"().
)";

std::atomic<bool> g_stopRequested{false};

extern "C" void OnStopSignal(int) { g_stopRequested = true; }

void ImportSample(service::TServiceStorage& storage) {
    std::istringstream in{std::string(service::SampleCatalogueText())};
    auto products = service::ReadCatalogueFile(in);
    storage.PutProducts(products);
    std::fprintf(stderr, "pelmira-service: new database filled with the sample catalogue (%zu products)\n",
                 products.size());
}

int Serve(service::TServiceSettings settings) {
    auto storage = service::OpenServiceStorage(settings.Database);
    if (storage->ProductCount() == 0) ImportSample(*storage);
    service::TVersionService versionService(*storage, settings);
    service::THttpFrontEnd frontEnd(versionService, settings.Threads);
    int port = frontEnd.Bind(settings.ListenHost, settings.ListenPort);
    // Handlers first: whoever reads the line below may stop the service at once.
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    std::fprintf(stderr, "pelmira-service: serving %zu products on %s:%d (database %s)\n",
                 versionService.ProductCount(), settings.ListenHost.c_str(), port, settings.Database.c_str());
    // A signal handler may only set a flag; this thread turns the flag into a stop.
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!g_stopRequested && !done) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        frontEnd.Stop();
    });
    bool ok = frontEnd.Run();
    done = true;
    watcher.join();
    std::fprintf(stderr, "pelmira-service: stopped\n");
    return ok || g_stopRequested ? 0 : 1;
}

int Import(const std::string& path, const service::TServiceSettings& settings) {
    auto start = std::chrono::steady_clock::now();
    std::vector<service::TProduct> products;
    if (std::filesystem::is_directory(path)) {
        service::TManifestImporter importer(
            [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        importer.ImportTree(path);
        products = importer.Products();
        const auto& s = importer.Stats();
        std::fprintf(stderr, "read %lld folders, %lld manifests, skipped %lld\n", static_cast<long long>(s.Folders),
                     static_cast<long long>(s.Manifests), static_cast<long long>(s.Skipped));
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw service::ECatalogueFile("cannot read " + path);
        products = service::ReadCatalogueFile(in);
    }
    auto storage = service::OpenServiceStorage(settings.Database);
    storage->PutProducts(products);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "imported %zu packages into %s in %.2f s\n", products.size(), settings.Database.c_str(),
                 seconds);
    return 0;
}

int Export(const service::TServiceSettings& settings) {
    auto storage = service::OpenServiceStorage(settings.Database);
    service::WriteCatalogueFile(std::cout, storage->LoadProducts());
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        std::string command, path, listen, config, db;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= args.size()) throw service::EServiceSettings(a + " needs a value");
                return args[++i];
            };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (a == "--listen") {
                listen = value();
            } else if (a == "--config") {
                config = value();
            } else if (a == "--db") {
                db = value();
            } else if (command.empty() && (a == "import" || a == "export")) {
                command = a;
            } else if (command == "import" && path.empty() && a.rfind("--", 0) != 0) {
                path = a;
            } else {
                throw service::EServiceSettings("unknown argument '" + a + "' (see --help)");
            }
        }
        service::TServiceSettings settings;
        if (!config.empty()) service::LoadSettingsFile(config, settings);
        if (!listen.empty()) service::ParseListenAddress(listen, settings.ListenHost, settings.ListenPort);
        if (!db.empty()) settings.Database = db;
        if (command == "import") {
            if (path.empty()) throw service::EServiceSettings("import needs a folder or catalogue file (see --help)");
            return Import(path, settings);
        }
        if (command == "export") return Export(settings);
        if (!listen.empty() || !config.empty() || command.empty()) return Serve(settings);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pelmira-service: %s\n", e.what());
        return 2;
    }
}
