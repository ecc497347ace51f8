// The online scan as the real main window runs it on the headless backend:
// menu commands, the question box, the grid, the info panel, the lights, and
// the user's stop, close and local scan while a request waits, against the
// scripted version service reached through the proxy setting.
#include "FakeVersionService.h"
#include "app/MainFormFixture.h"

#include "net/NetAntiFreeze.h"
#include "online/OnlineMessages.h"
#include "ui/Color.h"

#include <functional>
#include <string>

namespace app::test {
namespace {

using onlinetest::FakeReply;
using onlinetest::FakeVersionService;

// The window's message turns while the HTTP client waits, as the program's
// anti-freeze gives them, followed by what the user does at that moment.
class UserDuringWaits : public platform::IMessageProcessor {
public:
    explicit UserDuringWaits(ui::TApplication& app) : m_app(app) {}
    void ProcessMessages() override {
        m_app.ProcessMessages();
        if (action) action();
    }
    bool HandleMessage() override {
        const bool handled = m_app.HandleMessage();
        if (action) action();
        return handled;
    }
    std::function<void()> action;

private:
    ui::TApplication& m_app;
};

// Three sections for a title; odd-length titles get a newer version in the all-sources value.
std::string VersionsOf(const std::string& title) {
    const std::string all = title.size() % 2 == 1 ? "<font color=\"#ff3300\">9.0</font>" : "1.0";
    return "[VerCorvanthelis]C " + title + "\r\n[VerPublisher]P " + title + "\r\n[VerAll]" + all;
}

class MainFormOnlineScan : public MainFormFixture {
protected:
    MainFormOnlineScan()
        : service([this](const std::string& target) {
              const std::string title = onlinetest::QueryValue(target, "title");
              if (onlinetest::TargetPath(target) != "/ver/get.php") return FakeReply{200, "ok", 0};
              return FakeReply{200, VersionsOf(title), title == holdTitle ? 5000 : 0};
          }),
          turns(app),
          antiFreeze(turns) {}

    // settings.xml with the privacy choice and the service as the proxy.
    void WriteSettings(const std::string& privacy) {
        WriteFile(SettingsPath(),
                  "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root><Settings>"
                  "<allowsuploadingversions>" +
                      privacy +
                      "</allowsuploadingversions><authentication></authentication>"
                      "<host>127.0.0.1</host><password></password><port>" +
                      std::to_string(service.Port()) +
                      "</port><userid></userid><version>svSocks5</version></Settings></Root>\r\n");
    }
    // Chooses the native menu's item with this caption.
    bool Choose(std::u16string_view caption) {
        ui::TMenuItem* item = Form().Menu().Find(caption);
        return item != nullptr && Form().MenuCommand(item->Id());
    }
    std::u16string Cell(int column, int row) { return Form().ReportGrid1.Cell(column, row).AsString(); }
    bool Idle() {
        TMainForm& f = Form();
        return f.LinkLabel2.Visible() && f.ScanVersion1.Visible() && !f.LinkLabel3.Visible() &&
               !f.StopScan1.Visible() && !f.Timer2.Enabled() && f.c1.Hint() == u"Not connected" &&
               f.c2.Pen().color == ui::Rgb(128, 128, 128);
    }

    std::string holdTitle;
    FakeVersionService service;
    UserDuringWaits turns;
    net::TNetAntiFreeze antiFreeze;
};

TEST_F(MainFormOnlineScan, ScanFromTheMenuFillsTheTableCountsReportsAndIsSavedAtClose) {
    WriteCatalogue(Record("Alpha") + Record("Beta 2") + Record("Gamma"));
    WriteSettings("yes");
    TMainForm& form = Form();
    system.QueueAnswer(ui::TModalResult::mrYes);
    ASSERT_TRUE(Choose(u"Scan Versions Online"));

    ASSERT_EQ(system.MessageBoxes().size(), 1u);
    EXPECT_EQ(system.MessageBoxes()[0].text, online::messages::kScanQuestion);
    EXPECT_EQ(Cell(6, 0), u"C Alpha");
    EXPECT_EQ(Cell(7, 1), u"P Beta 2");
    EXPECT_EQ(Cell(8, 2), u"<font color=\"#ff3300\">9.0</font>");
    EXPECT_EQ(form.InfoPanel5.Text(), u"3 software programs installed. 2 new software versions found.");
    EXPECT_EQ(service.Targets("/ver/get.php").size(), 3u);
    // Each record's local version 1.0 is new to the service: three reports.
    EXPECT_EQ(service.Targets("/ver/put.php").size(), 3u);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(form.CatalogueChanged());

    form.Close();
    const std::string saved = ReadFile(VersPath());
    EXPECT_NE(saved.find("<VersionPublisher>P Gamma</VersionPublisher>"), std::string::npos);
    EXPECT_NE(saved.find("<VersionOld>1.0</VersionOld>"), std::string::npos);
}

// A scan of five records whose third request waits; act runs once while it waits.
class MainFormScanWaiting : public MainFormOnlineScan {
protected:
    void ScanWhileThirdWaits(const std::function<void()>& act) {
        WriteCatalogue(Record("T0") + Record("T1") + Record("T2") + Record("T3") + Record("T4"));
        WriteSettings("no");
        holdTitle = "T2";
        Form();
        bool acted = false;
        turns.action = [&] {
            if (acted || service.Holding() == 0) return;
            acted = true;
            act();
        };
        system.QueueAnswer(ui::TModalResult::mrYes);
        ASSERT_TRUE(Choose(u"Scan Versions Online"));
        turns.action = nullptr;
        EXPECT_TRUE(acted);
        // The waiting request was aborted, not answered after its 5 seconds.
        EXPECT_TRUE(service.WaitAbandoned(1));
        EXPECT_EQ(service.Targets("/ver/get.php").size(), 3u);
    }
};

TEST_F(MainFormScanWaiting, StopAbortsTheRequestRecountsAndTheLightsRanMeanwhile) {
    ScanWhileThirdWaits([this] {
        system.FireTimer(Form().Timer2);
        EXPECT_EQ(Form().c1.Hint(), u"Scanning");
        EXPECT_EQ(Form().c1.Pen().width, 2);
        EXPECT_EQ(Form().InfoPanel5.Text(), u"Checking 3 of 5: T2");
        // Screen readers read the progress from the panel's window text.
        EXPECT_NE(Form().InfoPanel5.WindowText().find(u"Checking 3 of 5: T2"), std::u16string::npos);
        ASSERT_TRUE(Choose(u"Stop Scan"));
    });
    TMainForm& form = Form();
    EXPECT_EQ(Cell(6, 1), u"C T1");
    EXPECT_EQ(Cell(6, 2), u"");
    EXPECT_EQ(form.InfoPanel5.Text(), u"5 software programs installed. 0 new software versions found.");
    EXPECT_TRUE(Idle());
}

TEST_F(MainFormScanWaiting, ClosingEndsTheScanBeforeTheCatalogueIsSaved) {
    ScanWhileThirdWaits([this] { Form().Close(); });
    const std::string saved = ReadFile(VersPath());
    EXPECT_NE(saved.find("<VersionCorvanthelis>C T1</VersionCorvanthelis>"), std::string::npos);
    EXPECT_EQ(saved.find("C T2"), std::string::npos);
    EXPECT_TRUE(Form().IsClosed());
}

TEST_F(MainFormScanWaiting, ALocalScanIsRefusedWhileTheOnlineScanRuns) {
    ScanWhileThirdWaits([this] {
        ASSERT_TRUE(Choose(u"Scan Local Software"));
        ASSERT_TRUE(Choose(u"Stop Scan"));
    });
    EXPECT_EQ(registriesMade, 0);
    const auto texts = Messages();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], online::messages::kLocalScanRefused);
    EXPECT_TRUE(Idle());
}

}  // namespace
}  // namespace app::test
