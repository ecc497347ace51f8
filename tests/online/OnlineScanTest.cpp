// The online scan over a recording host, against the scripted version service
// on loopback (reached as the clients' proxy).
#include "FakeVersionService.h"
#include "TempDir.h"

#include "inventory/CatalogueFields.h"
#include "net/NetAntiFreeze.h"
#include "online/OnlineMessages.h"
#include "online/OnlineScan.h"
#include "online/VersionService.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace inventory;
using onlinetest::FakeReply;
using onlinetest::FakeVersionService;
namespace msg = online::messages;

const std::string kCountsText = "0 software programs installed. 0 new software versions found.";
const ui::TColor kGrey = ui::Rgb(128, 128, 128);
const ui::TColor kOrange = ui::Rgb(251, 140, 60);

// The main window as the scan sees it, recording every call.
class FakeHost : public online::IOnlineScanHost {
public:
    explicit FakeHost(const std::string& folder) : catalogue(folder + "/vers.xml") { catalogue.CreateCatalogue(); }

    TSoftwareCatalogue& Catalogue() override { return Note(catalogue); }
    void SetGridCell(int column, int row, const std::string& text) override {
        Note();
        if (failOnRow == row) throw std::runtime_error("grid failure");
        cells[{column, row}] = text;
    }
    std::string InfoText() override { return Note(info); }
    void SetInfoText(const std::string& text) override {
        Note();
        info = text;
        infoHistory.push_back(text);
    }
    void ShowResultsPage() override {
        Note();
        ++pageSwitches;
    }
    void SetScanCommandsVisible(bool visible) override { Note(scanVisible) = visible; }
    void SetStopCommandsVisible(bool visible) override { Note(stopVisible) = visible; }
    bool TimerEnabled(online::TScanTimer timer) override { return Note(timers[static_cast<int>(timer)]); }
    void SetTimerEnabled(online::TScanTimer timer, bool enabled) override {
        Note(timers[static_cast<int>(timer)]) = enabled;
    }
    void SetLightOutline(int light, ui::TColor colour, int width) override {
        Note();
        outline[light] = colour;
        outlineWidth[light] = width;
    }
    void SetLightHint(int light, const std::string& hint) override { Note(hints[light]) = hint; }
    void ShowMessage(const std::string& text) override { Note(messages).push_back(text); }
    bool Confirm(const std::string& text) override {
        Note(questions).push_back(text);
        return answer;
    }
    void UpdateCounts() override {
        Note();
        ++recounts;
        info = "recounted";
    }
    net::TNetHTTP& NetHTTP1() override { return Note(http1); }
    net::TNetHTTP& NetHTTP2() override { return Note(http2); }
    std::string PrivacySetting() override { return Note(privacy); }

    // Points both clients at service through the proxy setting.
    void UseService(const FakeVersionService& service) {
        for (net::TNetHTTP* c : {&http1, &http2}) {
            online::PrepareVersionClient(*c);
            c->ProxyParams.SetProxyServer("127.0.0.1");
            c->ProxyParams.SetProxyPort(service.Port());
        }
    }
    // Adds n records "Title <i>" at local version "1.<i>", with old version old.
    void AddRecords(int n, const std::string& old = "") {
        for (int i = 0; i < n; ++i) {
            xml::TXmlNode* r = catalogue.Document()->RootElement()->AddChild(kRecordName);
            r->WriteText(kFieldTitle, "Title " + std::to_string(i), "");
            r->WriteText(kFieldVersionLocal, "1." + std::to_string(i), "");
            r->WriteText(kFieldVersionOld, old, "");
        }
    }
    std::string Cell(int column, int row) { return cells[{column, row}]; }
    std::size_t CellCount(int column, int row) const { return cells.count({column, row}); }
    bool Idle() const {
        return scanVisible && !stopVisible && !timers[1] && hints[0] == msg::kLightIdleHint &&
               hints[2] == msg::kLightIdleHint && outline[0] == kGrey && outline[1] == kGrey && outlineWidth[1] == 1;
    }

    TSoftwareCatalogue catalogue;
    std::map<std::pair<int, int>, std::string> cells;
    std::string info = kCountsText;
    std::vector<std::string> infoHistory, messages, questions;
    bool scanVisible = true, stopVisible = false, answer = true;
    bool timers[2] = {false, false};
    ui::TColor outline[3] = {0, 0, 0};
    int outlineWidth[3] = {0, 0, 0};
    std::string hints[3];
    int pageSwitches = 0, recounts = 0, failOnRow = -1;
    // Calls made while closed is set: must stay 0.
    bool closed = false;
    int callsAfterClose = 0;
    net::TNetHTTP http1, http2;
    std::string privacy = "yes";

private:
    void Note() {
        if (closed) ++callsAfterClose;
    }
    template <class T>
    T& Note(T& value) {
        Note();
        return value;
    }
};

// Turns of the anti-freeze: runs a handler while a request waits, as the window would.
class TurnProcessor : public platform::IMessageProcessor {
public:
    void ProcessMessages() override {
        if (onTurn) onTurn();
    }
    bool HandleMessage() override {
        if (onTurn) onTurn();
        return false;
    }
    std::function<void()> onTurn;
};

// The service's answer for a title: three sections naming it.
std::string VersionsOf(const std::string& title) {
    return "[VerCorvanthelis]C " + title + "[VerPublisher]P " + title + "[VerAll]A " + title;
}

// A service answering every query with VersionsOf and every report with 200,
// except what special says for a decoded title.
FakeVersionService MakeService(std::map<std::string, FakeReply> special = {}) {
    return FakeVersionService([special](const std::string& target) {
        const std::string title = onlinetest::QueryValue(target, "title");
        const bool query = onlinetest::TargetPath(target) == "/ver/get.php";
        if (query) {
            const auto it = special.find(title);
            if (it != special.end()) return it->second;
        }
        return FakeReply{200, query ? VersionsOf(title) : "ok", 0};
    });
}

struct ScanFixture : ::testing::Test {
    testing_support::TempDir dir;
    FakeHost host{dir.Path()};
    online::TOnlineScan scan{host};
};

using OnlineScan = ScanFixture;

TEST_F(OnlineScan, CoversTheFirst200RecordsAndAsksWithASecondLineAbove200) {
    for (const int n : {200, 201}) {
        SCOPED_TRACE(n);
        testing_support::TempDir folder;
        FakeHost h(folder.Path());
        online::TOnlineScan s(h);
        FakeVersionService service = MakeService();
        h.UseService(service);
        h.privacy = "";
        h.AddRecords(n);
        s.LinkLabel2Click();

        std::string question(msg::kScanQuestion);
        if (n == 201) question += "\r(The first 200 software titles of your 201 software programs will be scanned.)";
        EXPECT_EQ(h.questions, std::vector<std::string>{question});
        EXPECT_EQ(service.Targets("/ver/get.php").size(), 200u);
        EXPECT_EQ(h.catalogue.ReadField(199, kFieldVersionAll), "A Title 199");
        EXPECT_EQ(h.Cell(6, 199), "C Title 199");
        EXPECT_EQ(h.Cell(8, 199), "A Title 199");
        EXPECT_EQ(h.catalogue.ReadField(200, kFieldVersionCorvanthelis), "");
        EXPECT_EQ(h.CellCount(6, 200), 0u);
        // The queries share one kept-alive connection; no report was allowed.
        EXPECT_EQ(service.Connections(), 1);
        EXPECT_EQ(h.recounts, 1);
        EXPECT_EQ(h.infoHistory.front(), "Checking 1 of 200: Title 0");
        EXPECT_EQ(h.infoHistory[199], "Checking 200 of 200: Title 199");
        EXPECT_EQ(h.info, "recounted");
        EXPECT_TRUE(s.CatalogueChanged());
        EXPECT_TRUE(h.timers[0]);
        EXPECT_TRUE(h.Idle());
        EXPECT_FALSE(s.Running());
    }
}

TEST_F(OnlineScan, PrivacyDecidesOnReportsAndTheAllSourcesValue) {
    struct Case {
        const char* privacy;
        bool reports;
        bool allKept;
    };
    for (const Case& c :
         {Case{"yes", true, true}, Case{"no", false, false}, Case{"", false, true}, Case{"Yes", false, true}}) {
        SCOPED_TRACE(c.privacy);
        testing_support::TempDir folder;
        FakeHost h(folder.Path());
        online::TOnlineScan s(h);
        // Title 3 gets no usable reply; its report still goes out.
        FakeVersionService service = MakeService({{"Title 3", FakeReply{200, "too short", 0}}});
        h.UseService(service);
        h.privacy = c.privacy;
        h.AddRecords(4);
        h.catalogue.WriteField(1, kFieldVersionOld, "1.1");  // already reported
        h.catalogue.WriteField(2, kFieldVersionLocal, "");   // nothing to report
        h.catalogue.WriteField(3, kFieldVersionAll, "kept");
        s.LinkLabel2Click();

        EXPECT_EQ(h.catalogue.ReadField(0, kFieldVersionPublisher), "P Title 0");
        EXPECT_EQ(h.catalogue.ReadField(0, kFieldVersionAll), c.allKept ? "A Title 0" : "");
        EXPECT_EQ(h.Cell(8, 0), c.allKept ? "A Title 0" : "");
        EXPECT_EQ(h.catalogue.ReadField(3, kFieldVersionAll), "kept");
        EXPECT_EQ(h.CellCount(6, 3), 0u);
        const auto reports = service.Targets("/ver/put.php");
        if (c.reports) {
            ASSERT_EQ(reports.size(), 2u);
            EXPECT_EQ(onlinetest::QueryValue(reports[0], "title"), "Title 0");
            EXPECT_EQ(onlinetest::QueryValue(reports[1], "title"), "Title 3");
            EXPECT_EQ(h.catalogue.ReadField(0, kFieldVersionOld), "1.0");
            EXPECT_EQ(h.catalogue.ReadField(3, kFieldVersionOld), "1.3");
        } else {
            EXPECT_TRUE(reports.empty());
            EXPECT_EQ(h.catalogue.ReadField(0, kFieldVersionOld), "");
        }
    }
}

TEST_F(OnlineScan, AFailedReportLeavesTheOldVersionForTheNextScan) {
    FakeVersionService service([](const std::string& target) {
        const bool query = onlinetest::TargetPath(target) == "/ver/get.php";
        return query ? FakeReply{200, VersionsOf("x"), 0} : FakeReply{500, "", 0};
    });
    host.UseService(service);
    host.AddRecords(2, "0.9");
    scan.LinkLabel2Click();
    EXPECT_EQ(service.Targets("/ver/put.php").size(), 2u);
    EXPECT_EQ(host.catalogue.ReadField(0, kFieldVersionOld), "0.9");
    EXPECT_EQ(host.catalogue.ReadField(1, kFieldVersionOld), "0.9");
}

TEST_F(OnlineScan, ANoticeEndsTheScanWithoutTheRecount) {
    FakeVersionService service = MakeService(
        {{"Title 0",
          FakeReply{200, "\r\n[VerCorvanthelis][Notice:] Closed for maintenance.[VerPublisher][VerAll]", 0}}});
    host.UseService(service);
    host.AddRecords(3);
    scan.LinkLabel2Click();
    EXPECT_EQ(host.messages, std::vector<std::string>{"[Notice:] Closed for maintenance."});
    EXPECT_EQ(service.Targets().size(), 1u);
    EXPECT_EQ(host.recounts, 0);
    EXPECT_EQ(host.info, kCountsText);
    EXPECT_TRUE(host.cells.empty());
    EXPECT_TRUE(scan.CatalogueChanged());
    EXPECT_TRUE(host.Idle());
}

TEST_F(OnlineScan, StopWhileTheThirdRequestWaitsAbortsItAndRecounts) {
    // Title 2 would be answered after 5 s; an abort that did not work would store it.
    FakeVersionService service = MakeService({{"Title 2", FakeReply{200, VersionsOf("late"), 5000}}});
    host.UseService(service);
    host.AddRecords(5, "0.1");
    TurnProcessor turns;
    net::TNetAntiFreeze antiFreeze(turns);
    bool refusedLocal = false;
    turns.onTurn = [&] {
        if (service.Holding() > 0 && !scan.StopRequested()) {
            refusedLocal = scan.RefuseLocalScan();
            scan.LinkLabel3Click();
            EXPECT_TRUE(host.scanVisible);
            EXPECT_FALSE(host.stopVisible);
        }
    };
    scan.LinkLabel2Click();
    EXPECT_TRUE(refusedLocal);
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(msg::kLocalScanRefused)});
    EXPECT_EQ(host.catalogue.ReadField(1, kFieldVersionCorvanthelis), "C Title 1");
    EXPECT_EQ(host.catalogue.ReadField(2, kFieldVersionCorvanthelis), "");
    EXPECT_EQ(host.catalogue.ReadField(2, kFieldVersionOld), "0.1");
    EXPECT_EQ(service.Targets("/ver/get.php").size(), 3u);
    EXPECT_EQ(service.Targets("/ver/put.php").size(), 2u);
    EXPECT_EQ(host.recounts, 1);
    EXPECT_TRUE(service.WaitAbandoned(1));
    EXPECT_TRUE(host.Idle());
    EXPECT_FALSE(scan.RefuseLocalScan());
    // The next scan's clients work again.
    host.timers[0] = false;
    host.http1.Disconnect();
    EXPECT_EQ(online::QueryVersions(host.http1, "Title 4", "1"), VersionsOf("Title 4"));
}

TEST_F(OnlineScan, ClosingWhileARequestWaitsEndsTheLoopBeforeTheCatalogueIsReleased) {
    FakeVersionService service = MakeService({{"Title 1", FakeReply{200, VersionsOf("late"), 5000}}});
    host.UseService(service);
    host.AddRecords(3);
    TurnProcessor turns;
    net::TNetAntiFreeze antiFreeze(turns);
    turns.onTurn = [&] {
        if (service.Holding() > 0 && !host.closed) {
            // What the window's close does: end the scan, then save and release the catalogue.
            scan.WindowClosing();
            EXPECT_TRUE(host.Idle());
            host.catalogue.SaveCatalogue();
            host.closed = true;
        }
    };
    scan.LinkLabel2Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(host.callsAfterClose, 0);
    EXPECT_EQ(host.catalogue.Document(), nullptr);
    EXPECT_EQ(host.recounts, 0);
    EXPECT_EQ(service.Targets("/ver/get.php").size(), 2u);
    EXPECT_TRUE(service.WaitAbandoned(1));
    EXPECT_FALSE(scan.Running());
}

TEST_F(OnlineScan, HourLockRefusesASecondScanUntilItsTimerFires) {
    FakeVersionService service = MakeService();
    host.UseService(service);
    // Nothing at all for an empty catalogue.
    scan.LinkLabel2Click();
    EXPECT_EQ(host.pageSwitches, 0);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_FALSE(host.timers[0]);

    host.AddRecords(1);
    host.answer = false;
    scan.LinkLabel2Click();
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_FALSE(host.timers[0]);
    EXPECT_FALSE(scan.CatalogueChanged());
    EXPECT_TRUE(service.Targets().empty());

    host.answer = true;
    scan.LinkLabel2Click();
    EXPECT_TRUE(host.timers[0]);
    scan.LinkLabel2Click();
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(msg::kHourLock)});
    EXPECT_EQ(host.pageSwitches, 3);
    EXPECT_EQ(host.questions.size(), 2u);
    scan.Timer1Timer();
    EXPECT_FALSE(host.timers[0]);
    scan.LinkLabel2Click();
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(service.Targets("/ver/get.php").size(), 2u);
}

TEST_F(OnlineScan, LightsRunLeftToRightOncePerTick) {
    const int expectedActive[] = {0, 1, 2, 0};
    for (int tick = 1; tick <= 4; ++tick) {
        SCOPED_TRACE(tick);
        scan.Timer2Timer();
        EXPECT_EQ(scan.LightTick(), tick);
        for (int light = 0; light < 3; ++light) {
            const bool active = light == expectedActive[tick - 1];
            EXPECT_EQ(host.hints[light], msg::kLightScanningHint);
            EXPECT_EQ(host.outline[light], active ? kOrange : kGrey);
            EXPECT_EQ(host.outlineWidth[light], active ? 2 : 1);
        }
    }
}

TEST_F(OnlineScan, AFailureInTheLoopRestoresIdleAndTheCountsAndGoesOn) {
    FakeVersionService service = MakeService();
    host.UseService(service);
    host.privacy = "";
    host.AddRecords(3);
    host.failOnRow = 1;
    EXPECT_THROW(scan.LinkLabel2Click(), std::runtime_error);
    EXPECT_EQ(host.info, kCountsText);
    EXPECT_EQ(host.recounts, 0);
    EXPECT_TRUE(host.Idle());
    EXPECT_FALSE(scan.Running());
    EXPECT_EQ(service.Targets().size(), 2u);
}

}  // namespace
