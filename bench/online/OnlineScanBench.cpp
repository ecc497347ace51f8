// An online scan of 200 titles as the user starts it: the menu command
// "Scan Versions Online" on the main window (headless backend, the program's
// anti-freeze), the question answered Yes, every title queried at a scripted
// service on loopback (reached as the proxy), up to the recount. Prints the
// milliseconds from the command to the recount, the TCP connections the service
// accepted, and the ratio to the floor: 200 bare GETs of the same replies on
// one kept-alive connection.
#include "FakeVersionService.h"
#include "TempDir.h"

#include "app/MainForm.h"
#include "net/NetAntiFreeze.h"
#include "net/NetHTTP.h"
#include "online/VersionService.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/MemoryRegistry.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessWindowSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kTitles = 200;
constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Reply(const std::string& title) {
    return "[VerCorvanthelis]<a href=\"http://example.invalid/" + title +
           "\">2.0</a>\r\n[VerPublisher]<font color=\"#ff3300\">2.1</font>\r\n[VerAll]2.1";
}

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct ScanFigures {
    double ms;
    int connections;
    std::size_t queries;
    std::size_t reports;
    std::string counts;
};

// One scan of kTitles records through a fresh window.
ScanFigures ScanOnce(const std::string& privacy) {
    onlinetest::FakeVersionService service([](const std::string& target) {
        if (onlinetest::TargetPath(target) != "/ver/get.php") return onlinetest::FakeReply{200, "ok", 0};
        return onlinetest::FakeReply{200, Reply(onlinetest::QueryValue(target, "title")), 0};
    });
    testing_support::TempDir dir;
    std::string records;
    for (int i = 0; i < kTitles; ++i) {
        records += "<Software><Title>Program " + std::to_string(i) + "</Title><Company>Co</Company><VersionLocal>1." +
                   std::to_string(i) + "</VersionLocal></Software>";
    }
    WriteFile(dir.Join("vers.xml"),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>" + records + "</Root>\r\n");
    WriteFile(dir.Join("settings.xml"),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root><Settings><allowsuploadingversions>" +
                  privacy + "</allowsuploadingversions><host>127.0.0.1</host><port>" + std::to_string(service.Port()) +
                  "</port></Settings></Root>\r\n");

    ui::headless::THeadlessWindowSystem system;
    ui::TApplication app(system);
    app.SetTitle("Pelmira");
    net::TNetAntiFreeze antiFreeze(app);
    auto& form = app.CreateForm<app::TMainForm>(dir.Path() + platform::PathSeparator(),
                                                [] { return std::make_unique<platform::MemoryRegistry>(); });
    form.Show();
    ui::TMenuItem* item = form.Menu().Find(u"Scan Versions Online");
    if (item == nullptr) {
        std::fprintf(stderr, "no menu item\n");
        std::exit(1);
    }
    system.QueueAnswer(ui::TModalResult::mrYes);
    const auto start = Clock::now();
    form.MenuCommand(item->Id());
    const auto end = Clock::now();
    ScanFigures f{Ms(end - start), service.Connections(), service.Targets("/ver/get.php").size(),
                  service.Targets("/ver/put.php").size(), platform::Utf16ToAnsi(form.InfoPanel5.Text())};
    form.Close();
    return f;
}

// kTitles bare version queries on one client, the floor of any scan.
double BareQueries() {
    onlinetest::FakeVersionService service([](const std::string& target) {
        return onlinetest::FakeReply{200, Reply(onlinetest::QueryValue(target, "title")), 0};
    });
    net::TNetHTTP client;
    client.ProxyParams.SetProxyServer("127.0.0.1");
    client.ProxyParams.SetProxyPort(service.Port());
    const auto start = Clock::now();
    for (int i = 0; i < kTitles; ++i) {
        if (online::QueryVersions(client, "Program " + std::to_string(i), "1.0").empty()) std::exit(1);
    }
    return Ms(Clock::now() - start);
}

}  // namespace

int main() {
    for (const char* privacy : {"no", "yes"}) {
        std::vector<double> ms;
        ScanFigures last{};
        for (int run = 0; run < kRuns; ++run) {
            last = ScanOnce(privacy);
            ms.push_back(last.ms);
        }
        std::vector<double> floor;
        for (int run = 0; run < kRuns; ++run) floor.push_back(BareQueries());
        const double median = Median(ms);
        const double floorMedian = Median(floor);
        std::printf(
            "online scan, %d titles, privacy \"%s\": %.1f ms median of %d (menu command to recount), "
            "%d TCP connection(s), %zu queries, %zu reports; 200 bare queries: %.1f ms; ratio %.2f\n",
            kTitles, privacy, median, kRuns, last.connections, last.queries, last.reports, floorMedian,
            median / floorMedian);
        std::printf("  info panel: %s\n", last.counts.c_str());
    }
    return 0;
}
