#include "MainFormFixture.h"

#include "app/ServiceAddresses.h"
#include "ui/Events.h"

#include <gmock/gmock.h>

namespace app::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::u16string Row(TMainForm& form, int row) { return form.ReportGrid1.RowText(row); }

// The native menu's command for the item with this caption.
bool ChooseMenu(TMainForm& form, std::u16string_view caption) {
    ui::TMenuItem* item = form.Menu().Find(caption);
    return item != nullptr && form.MenuCommand(item->Id());
}

TEST_F(MainFormFixture, CreationLeavesResultsPageFilledCountedAndSettingsLoaded) {
    WriteCatalogue(Record("Alpha", "<font color=\"#ff3300\">2.0</font>") + Record("Beta"));
    TMainForm& form = Form();

    EXPECT_EQ(form.ClassName(), "TMainForm");
    EXPECT_EQ(form.Caption(), u"Pelmira");
    EXPECT_EQ(form.Bounds().Width(), 846);
    EXPECT_EQ(form.Bounds().Height(), 528);
    EXPECT_TRUE(system.Centered(form));
    EXPECT_TRUE(system.HandCursorInstalled());
    EXPECT_FALSE(form.CatalogueChanged());
    EXPECT_EQ(form.pagPages.PageIndex(), 0);
    EXPECT_EQ(form.PropertiesView2.Style(), widgets::TPropertiesStyle::psOffice2007);
    EXPECT_EQ(form.pagPages.Color(), ui::Rgb(227, 239, 255));

    ASSERT_EQ(form.ReportGrid1.RowCount(), 2);
    EXPECT_EQ(Row(form, 0), u"1\tAlpha\tCo\t1.0\t2.0\t\t");
    EXPECT_EQ(form.InfoPanel5.Text(), u"2 software programs installed. 1 new software versions found.");
    EXPECT_EQ(form.InfoPanel5.WindowText(),
              u"Software Versions\r\n2 software programs installed. 1 new software versions found.");

    EXPECT_EQ(form.CheckBoxItem1.Value(), u"yes");
    for (auto* item : {&form.TextItem1, &form.TextItem2, &form.TextItem3, &form.TextItem4})
        EXPECT_EQ(item->Value(), u"");
    EXPECT_FALSE(platform::FileExists(SettingsPath())) << "settings.xml is written only by OK";
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(MainFormFixture, StartsWithoutCatalogueAndShowsTheInitialCounts) {
    TMainForm& form = Form();
    EXPECT_EQ(form.ReportGrid1.RowCount(), 0);
    EXPECT_EQ(form.InfoPanel5.Text(), u"0 software programs installed. 0 new software versions found.");
    EXPECT_FALSE(form.LinkLabel3.Visible());
    EXPECT_FALSE(form.StopScan1.Visible());
    EXPECT_TRUE(form.LinkLabel2.Visible());
    EXPECT_EQ(form.c1.Hint(), u"Not connected");
    EXPECT_EQ(form.Timer1.Interval(), 3600000u);
    EXPECT_FALSE(form.Timer1.Enabled());
    EXPECT_EQ(form.NetHTTP1.Request().Accept, "text/html, */*");
    EXPECT_EQ(form.NetHTTP2.ProxyParams.ProxyServer(), "");
}

TEST_F(MainFormFixture, MenuHasEveryItemInOrder) {
    TMainForm& form = Form();
    std::vector<std::u16string> captions;
    for (const auto& top : form.Menu().Items()) {
        captions.push_back(top->Caption());
        for (const auto& item : top->Items()) captions.push_back(u"  " + item->Caption());
    }
    EXPECT_THAT(captions, ElementsAre(u" Scan ", u"  Scan Local Software", u"  Scan Versions Online", u"  Stop Scan",
                                      u"  Settings", u"  -", u"  Exit", u" Help ", u"  Home Page", u"  Online Help",
                                      u"  Donate", u"  -", u"  About Pelmira"));
}

TEST_F(MainFormFixture, PagesSwitchByMenuLinksAndButtons) {
    TMainForm& form = Form();
    const struct {
        std::function<void()> action;
        int page;
    } steps[] = {
        {[&] { ChooseMenu(form, u"Settings"); }, 2},
        {[&] { system.Click(form.Button3); }, 0},
        {[&] { ChooseMenu(form, u"About Pelmira"); }, 1},
        {[&] { system.Click(form.Button1); }, 0},
        {[&] { form.Settings1Click(); }, 2},
        {[&] { system.Click(form.Button2); }, 0},
        {[&] { form.InfoPanel5Click(); }, 0},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].action();
        EXPECT_EQ(form.pagPages.PageIndex(), steps[i].page) << "step " << i;
    }
}

TEST_F(MainFormFixture, HelpCommandsOpenTheirAddresses) {
    TMainForm& form = Form();
    ASSERT_TRUE(ChooseMenu(form, u"Home Page"));
    ASSERT_TRUE(ChooseMenu(form, u"Online Help"));
    ASSERT_TRUE(ChooseMenu(form, u"Donate"));
    form.About1Click();
    system.Click(form.LinkView23);
    system.Click(form.LinkView21);
    const std::string host(ServiceHost());
    EXPECT_THAT(system.OpenedTargets(),
                ElementsAre("http://" + host + "/", "http://" + host + "/programs/pelmira.html", DonationPageUrl(),
                            "http://" + host + "/feedback.php", "mailto:" + std::string(SupportAddress())));
    EXPECT_EQ(form.LinkView21.Text(), u"Email Us (support@pelmira.net)");
}

TEST_F(MainFormFixture, KeyboardPressesTheFocusedLink) {
    TMainForm& form = Form();
    form.About1Click();
    form.LinkView1.SetFocus();
    ASSERT_TRUE(form.LinkView1.Focused());
    EXPECT_TRUE(system.Key(form, ui::TKey::kEnter));
    EXPECT_TRUE(system.Key(form, ui::TKey::kTab));
    EXPECT_TRUE(form.LinkView2.Focused());
    EXPECT_TRUE(system.Key(form, ui::TKey::kSpace));
    EXPECT_EQ(system.OpenedTargets().size(), 2u);
}

TEST_F(MainFormFixture, LocalScanFromTheMenuWritesTheCatalogueAndFillsTheTable) {
    AddProgram("a", "Alpha Editor", "Alpha Soft", "1.2");
    AddProgram("b", "Beta Tool", "Beta Inc", "3.0");
    AddProgram("c", "Gamma Viewer", "Gamma Ltd", "0.9");
    TMainForm& form = Form();
    form.About1Click();

    ASSERT_TRUE(ChooseMenu(form, u"Scan Local Software"));
    EXPECT_EQ(form.pagPages.PageIndex(), 0);
    EXPECT_NE(ReadFile(VersPath()).find("<Title>Beta Tool</Title>"), std::string::npos);
    ASSERT_EQ(form.ReportGrid1.RowCount(), 3);
    EXPECT_EQ(Row(form, 2), u"3\tGamma Viewer\tGamma Ltd\t0.9\t\t\t");
    EXPECT_EQ(form.InfoPanel5.Text(), u"3 software programs installed. 0 new software versions found.");

    // The link does the same; the rows are rebuilt, not appended.
    system.Click(form.LinkLabel1);
    EXPECT_EQ(form.ReportGrid1.RowCount(), 3);
    EXPECT_EQ(registriesMade, 2);
    EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(MainFormFixture, FailedLocalScanShowsItsMessageAndKeepsTheTable) {
    WriteCatalogue(Record("Kept"));
    TMainForm& form = Form();  // the registry has no uninstall key at all
    ASSERT_TRUE(ChooseMenu(form, u"Scan Local Software"));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Cannot open registry key \"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\"");
    EXPECT_EQ(system.MessageBoxes()[0].caption, "Pelmira");
    EXPECT_NE(ReadFile(VersPath()).find("Kept"), std::string::npos);
    ASSERT_EQ(form.ReportGrid1.RowCount(), 1) << "the rows the scan cleared come back";
    EXPECT_EQ(Row(form, 0).substr(0, 6), u"1\tKept");
    EXPECT_EQ(form.InfoPanel5.Text(), u"1 software programs installed. 0 new software versions found.");
}

TEST_F(MainFormFixture, FillGridTwiceGivesTheSameNumberedRows) {
    WriteCatalogue(Record("One") + Record("Two") + Record("Three"));
    TMainForm& form = Form();
    form.FillGrid();
    form.FillGrid();
    ASSERT_EQ(form.ReportGrid1.RowCount(), 3);
    EXPECT_EQ(Row(form, 0).substr(0, 5), u"1\tOne");
    EXPECT_EQ(Row(form, 2).substr(0, 7), u"3\tThree");
}

TEST_F(MainFormFixture, CountsEveryRecordOnceWhateverFieldCarriesTheColour) {
    const std::string red = "<font color=\"#ff3300\">9</font>";
    WriteCatalogue(Record("A", red, red, red) + Record("B", "", "", red) + Record("C", "", red) +
                   Record("D", "FF3300") + Record("E"));
    TMainForm& form = Form();
    EXPECT_EQ(form.InfoPanel5.Text(), u"5 software programs installed. 3 new software versions found.");
}

TEST_F(MainFormFixture, ClosingWritesTheCatalogueOnlyWhenMarkedChanged) {
    WriteCatalogue(Record("A"));
    const std::string before = ReadFile(VersPath());
    {
        TMainForm& form = Form();
        ASSERT_TRUE(ChooseMenu(form, u"Exit"));
        EXPECT_TRUE(form.IsClosed());
    }
    EXPECT_EQ(ReadFile(VersPath()), before) << "no online scan: nothing written";
}

TEST_F(MainFormFixture, ClosingAfterAnOnlineScanStartSavesTheCatalogue) {
    WriteCatalogue(Record("A"));
    TMainForm& form = Form();
    form.Catalogue().WriteField(0, "VersionAll", "changed in memory");
    form.SetCatalogueChanged(true);
    form.Close();
    EXPECT_NE(ReadFile(VersPath()).find("<VersionAll>changed in memory</VersionAll>"), std::string::npos);
}

TEST_F(MainFormFixture, ServiceLinksOpenOnlyWebAndMailTargets) {
    TMainForm& form = Form();
    form.HtmlColumn1Click(u"  http://example.com/get  ");
    form.HtmlColumn2Click(u"file:///C:/Windows/system32/calc.exe");
    form.HtmlColumn2Click(u"MAILTO:a@b.c");
    form.HtmlColumn3Click(u"   http://example.com/all");
    form.HtmlColumn3Click(u"https://example.com/secure");
    form.HtmlColumn3Click(u"Line one|Line two|Line three");
    form.HtmlColumn3Click(u"C:\\evil.exe http://example.com");
    EXPECT_THAT(system.OpenedTargets(),
                ElementsAre("http://example.com/get", "MAILTO:a@b.c", "http://example.com/all"));
    EXPECT_THAT(Messages(), ElementsAre("file:///C:/Windows/system32/calc.exe", "https://example.com/secure",
                                        "Line one\rLine two\rLine three", "C:\\evil.exe http://example.com"));
}

}  // namespace
}  // namespace app::test

namespace app::test {
namespace {

TEST_F(MainFormFixture, TabWalksTheSettingsPageAfterTheTopBar) {
    TMainForm& form = Form();
    form.Settings1Click();
    form.LinkLabel2.SetFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(system.Key(form, ui::TKey::kTab));
        ui::TControl* focused = form.FocusedControl();
        ASSERT_NE(focused, nullptr);
        order.push_back(focused == &form.Button2 ? "OK" : focused == &form.Button3 ? "Cancel" : focused->Name());
    }
    EXPECT_THAT(order, ElementsAre("PropertiesView2", "OK", "Cancel", "LinkLabel1"));
}

}  // namespace
}  // namespace app::test
