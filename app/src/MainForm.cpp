#include "app/MainForm.h"

#include "app/AppTexts.h"
#include "app/Artwork.h"
#include "app/ConnectionSettings.h"
#include "app/LinkTargets.h"
#include "app/ServiceAddresses.h"
#include "app/SettingsKeys.h"
#include "inventory/CatalogueFields.h"
#include "inventory/LocalScan.h"
#include "inventory/TextRules.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "widgets/CheckBoxColumn.h"
#include "widgets/HtmlColumn.h"
#include "widgets/ImageColumn.h"
#include "widgets/IncrementColumn.h"
#include "widgets/TextColumn.h"

#include <string>

namespace app {

namespace {

// Layout of the window, in logical pixels.
constexpr int kClientWidth = 846;
constexpr int kClientHeight = 528;
constexpr int kTopBarHeight = 25;
constexpr int kInfoPanelHeight = 42;
constexpr int kLightSize = 14;
constexpr int kLightTop = 6;
constexpr int kLightLefts[3] = {774, 794, 814};
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// The inspector shows its eight visible rows without empty space below them.
constexpr int kInspectorHeight = 8 * 16;
// The first grid column filled from a record (Title); 0 to 2 are the row number and two hidden columns.
constexpr int kFirstFilledColumn = 3;

// Fill colours of the three status lights.
constexpr ui::TColor kLight1Colour = ui::Rgb(155, 159, 166);
constexpr ui::TColor kLight2Colour = ui::Rgb(102, 146, 206);
constexpr ui::TColor kLightOutline = ui::Rgb(128, 128, 128);
// The page colour of the notebook, from the widgets' blue colour scheme.
constexpr ui::TColor kPageColour = ui::Rgb(227, 239, 255);
// Grey texts of the about page.
constexpr ui::TColor kAboutGrey = ui::Rgb(110, 110, 110);

// The timers' intervals: the hour lock and the status lights.
constexpr unsigned kHourLockMs = 3600000;
constexpr unsigned kLightTickMs = 1000;

std::u16string Wide(std::string_view text) { return platform::AnsiToUtf16(text); }

}  // namespace

// What the online scan reaches of the window: its catalogue, grid cells, info
// panel, commands, timers, lights, message boxes, clients and privacy setting.
class TMainForm::TScanHost : public online::IOnlineScanHost {
public:
    explicit TScanHost(TMainForm& form) : m_form(form) {}

    inventory::TSoftwareCatalogue& Catalogue() override { return m_form.m_catalogue; }
    void SetGridCell(int column, int row, const std::string& text) override {
        m_form.ReportGrid1.Cell(column, row).SetAsString(Wide(text));
    }
    std::string InfoText() override { return platform::Utf16ToAnsi(m_form.InfoPanel5.Text()); }
    void SetInfoText(const std::string& text) override { m_form.InfoPanel5.SetText(Wide(text)); }
    void ShowResultsPage() override { m_form.pagPages.ShowPage(m_form.softwareVersionTab); }
    void SetScanCommandsVisible(bool visible) override {
        m_form.LinkLabel2.SetVisible(visible);
        m_form.ScanVersion1.SetVisible(visible);
    }
    void SetStopCommandsVisible(bool visible) override {
        m_form.LinkLabel3.SetVisible(visible);
        m_form.StopScan1.SetVisible(visible);
    }
    bool TimerEnabled(online::TScanTimer timer) override { return Timer(timer).Enabled(); }
    void SetTimerEnabled(online::TScanTimer timer, bool enabled) override { Timer(timer).SetEnabled(enabled); }
    void SetLightOutline(int light, ui::TColor colour, int width) override {
        if (ui::TShape* shape = Light(light)) shape->SetPen(ui::TPen{colour, width});
    }
    void SetLightHint(int light, const std::string& hint) override {
        if (ui::TShape* shape = Light(light)) shape->SetHint(Wide(hint));
    }
    void ShowMessage(const std::string& text) override { m_form.Application().ShowMessage(text); }
    bool Confirm(const std::string& text) override {
        return m_form.Application().Confirm(text) != ui::TModalResult::mrNo;
    }
    void UpdateCounts() override { m_form.UpdateCounts(); }
    net::TNetHTTP& NetHTTP1() override { return m_form.NetHTTP1; }
    net::TNetHTTP& NetHTTP2() override { return m_form.NetHTTP2; }
    std::string PrivacySetting() override {
        if (m_form.m_settings == nullptr) return {};
        try {
            return ReadSetting(*m_form.m_settings, kKeyAllowUploads);
        } catch (const ESettingsError&) {
            return {};  // no settings element: neither "yes" nor "no"
        }
    }

private:
    ui::TTimer& Timer(online::TScanTimer timer) {
        return timer == online::TScanTimer::stHourLock ? m_form.Timer1 : m_form.Timer2;
    }
    ui::TShape* Light(int light) {
        switch (light) {
            case 0:
                return &m_form.c1;
            case 1:
                return &m_form.c2;
            case 2:
                return &m_form.c3;
            default:
                return nullptr;
        }
    }

    TMainForm& m_form;
};

TMainForm::TMainForm(ui::TApplication& app, std::string dataFolder, TRegistryFactory registryFactory)
    : ui::TForm(app, std::string(kMainClassName)),
      TopBar(Add<ui::TPanel>()),
      LinkLabel1(TopBar.Add<ui::TLinkLabel>()),
      LinkLabel2(TopBar.Add<ui::TLinkLabel>()),
      LinkLabel3(TopBar.Add<ui::TLinkLabel>()),
      c1(TopBar.Add<ui::TShape>()),
      c2(TopBar.Add<ui::TShape>()),
      c3(TopBar.Add<ui::TShape>()),
      pagPages(Add<ui::TNotebook>()),
      softwareVersionTab(pagPages.AddPage("softwareVersionTab")),
      AboutTab(pagPages.AddPage("AboutTab")),
      SettingsTab(pagPages.AddPage("SettingsTab")),
      InfoPanel5(softwareVersionTab.Add<TPictureInfoPanel>()),
      ReportGrid1(softwareVersionTab.Add<widgets::TReportGrid>()),
      AboutPanel(AboutTab.Add<ui::TPanel>()),
      AboutPicture(AboutPanel.Add<TPictureBox>()),
      AboutTitle(AboutPanel.Add<ui::TLabel>()),
      AboutSubtitle(AboutPanel.Add<ui::TLabel>()),
      ProgramLabel(AboutPanel.Add<ui::TLabel>()),
      TeamLabel(AboutPanel.Add<ui::TLabel>()),
      LinkView1(AboutPanel.Add<ui::TLinkLabel>()),
      LinkView2(AboutPanel.Add<ui::TLinkLabel>()),
      LinkView3(AboutPanel.Add<ui::TLinkLabel>()),
      LinkView23(AboutPanel.Add<ui::TLinkLabel>()),
      LinkView21(AboutPanel.Add<ui::TLinkLabel>()),
      DataFolderLabel(AboutPanel.Add<ui::TLabel>()),
      Button1(AboutPanel.Add<ui::TButton>()),
      InfoPanel7(SettingsTab.Add<TPictureInfoPanel>()),
      PropertiesView2(SettingsTab.Add<widgets::TPropertyInspector>()),
      PrivacyNote(SettingsTab.Add<ui::TLabel>()),
      ConnectionNote(SettingsTab.Add<ui::TLabel>()),
      Button2(SettingsTab.Add<ui::TButton>()),
      Button3(SettingsTab.Add<ui::TButton>()),
      Timer1(*this),
      Timer2(*this),
      Privacy(PropertiesView2.Items().Add<TCategoryItem>(-1)),
      CheckBoxItem1(PropertiesView2.Items().Add<widgets::TCheckBoxItem>(0)),
      ToolbarItem2(PropertiesView2.Items().Add<TCategoryItem>(-1)),
      ComboBoxItem1(PropertiesView2.Items().Add<widgets::TComboBoxItem>(2)),
      TextItem1(PropertiesView2.Items().Add<widgets::TTextItem>(2)),
      TextItem2(PropertiesView2.Items().Add<widgets::TTextItem>(2)),
      TextItem3(PropertiesView2.Items().Add<widgets::TTextItem>(2)),
      TextItem4(PropertiesView2.Items().Add<widgets::TTextItem>(2)),
      ComboBoxItem2(PropertiesView2.Items().Add<widgets::TComboBoxItem>(2)),
      Scan1(Menu().Add(std::u16string(kScanMenu))),
      ScanSoftware1(Scan1.Add(std::u16string(kScanLocalSoftware), [this](ui::TMenuItem&) { LinkLabel1Click(); })),
      ScanVersion1(Scan1.Add(std::u16string(kScanVersionsOnline), [this](ui::TMenuItem&) { LinkLabel2Click(); })),
      StopScan1(Scan1.Add(std::u16string(kStopScan), [this](ui::TMenuItem&) { LinkLabel3Click(); })),
      Settings1(Scan1.Add(std::u16string(kSettings), [this](ui::TMenuItem&) { Settings1Click(); })),
      Exit1((Scan1.AddSeparator(), Scan1.Add(std::u16string(kExit), [this](ui::TMenuItem&) { Exit1Click(); }))),
      Help1(Menu().Add(std::u16string(kHelpMenu))),
      HomePage1(Help1.Add(std::u16string(kHomePage), [this](ui::TMenuItem&) { HomePage1Click(); })),
      HelpManul1(Help1.Add(std::u16string(kOnlineHelp), [this](ui::TMenuItem&) { HelpManul1Click(); })),
      Donate1(Help1.Add(std::u16string(kDonate), [this](ui::TMenuItem&) { Donate1Click(); })),
      About1(
          (Help1.AddSeparator(), Help1.Add(std::u16string(kAboutPelmira), [this](ui::TMenuItem&) { About1Click(); }))),
      m_dataFolder(std::move(dataFolder)),
      m_registryFactory(std::move(registryFactory)),
      m_catalogue(m_dataFolder + std::string(inventory::kCatalogueFileName)),
      m_host(std::make_unique<TScanHost>(*this)),
      m_scan(*m_host) {
    LayOut();
    SetUpGrid();
    SetUpInspector();

    // The HTTP clients' layout values: cookies on, the Accept line, no basic
    // authentication towards the server, parameters encoded, no proxy.
    for (net::TNetHTTP* http : {&NetHTTP1, &NetHTTP2}) {
        http->AllowCookies = true;
        http->Request().Accept = "text/html, */*";
        http->Request().BasicAuthentication = false;
        http->HTTPOptions = net::hoForceEncodeParams;
        http->ProxyParams.BasicAuthentication = false;
    }

    Timer1.SetInterval(kHourLockMs);
    Timer1.OnTimer = [this](ui::TTimer&) { m_scan.Timer1Timer(); };
    Timer2.SetInterval(kLightTickMs);
    Timer2.OnTimer = [this](ui::TTimer&) { m_scan.Timer2Timer(); };

    OnCreate = [this](ui::TForm&) { FormCreate(); };
    OnShow = [this](ui::TForm&) { FormShow(); };
    OnClose = [this](ui::TForm&) { FormClose(); };
}

TMainForm::~TMainForm() = default;

void TMainForm::LayOut() {
    SetCaption(std::u16string(kMainCaption));
    SetFont(ui::TFont{u"MS Sans Serif", 8, ui::fsNone, ui::clWindowText});
    SetClientSize(kClientWidth, kClientHeight);

    // The top bar: links on the left, status lights on the right.
    TopBar.SetBounds(0, 0, kClientWidth, kTopBarHeight);
    TopBar.SetColor(ui::clWindow);
    const auto placeLink = [](ui::TLinkLabel& link, std::u16string_view caption, int left, int top, int width,
                              std::function<void()> handler) {
        link.SetText(std::u16string(caption));
        link.SetBounds(left, top, width, 16);
        link.OnClick = [handler = std::move(handler)](ui::TControl&) { handler(); };
    };
    placeLink(LinkLabel1, kScanLocalSoftware, 8, 5, 124, [this] { LinkLabel1Click(); });
    placeLink(LinkLabel2, kScanVersionsOnline, 136, 5, 130, [this] { LinkLabel2Click(); });
    placeLink(LinkLabel3, kStopScan, 136, 5, 130, [this] { LinkLabel3Click(); });
    LinkLabel1.SetName("LinkLabel1");
    LinkLabel2.SetName("LinkLabel2");
    LinkLabel3.SetName("LinkLabel3");
    LinkLabel3.SetVisible(false);
    StopScan1.SetVisible(false);

    ui::TShape* lights[3] = {&c1, &c2, &c3};
    const ui::TColor fills[3] = {kLight1Colour, kLight2Colour, ui::clDesktop};
    for (int i = 0; i < 3; ++i) {
        lights[i]->SetName("c" + std::to_string(i + 1));
        lights[i]->SetBounds(kLightLefts[i], kLightTop, kLightSize, kLightSize);
        lights[i]->SetBrush(ui::TBrush{fills[i]});
        lights[i]->SetPen(ui::TPen{kLightOutline, 1});
        lights[i]->SetHint(std::u16string(kNotConnected));
        lights[i]->SetShowHint(true);
    }

    pagPages.SetName("pagPages");
    pagPages.SetBounds(0, kTopBarHeight, kClientWidth, kClientHeight - kTopBarHeight);
    const int pageHeight = kClientHeight - kTopBarHeight;

    // Results page: the counts panel over the table.
    InfoPanel5.SetName("InfoPanel5");
    InfoPanel5.SetBounds(0, 0, kClientWidth, kInfoPanelHeight);
    InfoPanel5.SetTitle(std::u16string(kResultsTitle));
    InfoPanel5.SetText(std::u16string(kInitialCounts));
    InfoPanel5.OnClick = [this](ui::TControl&) { InfoPanel5Click(); };
    InfoPanel5.Picture = DrawAppTile;
    ReportGrid1.SetName("ReportGrid1");
    ReportGrid1.SetBounds(0, kInfoPanelHeight, kClientWidth, pageHeight - kInfoPanelHeight);

    // About page: an inner white page.
    AboutPanel.SetBounds(8, 8, kClientWidth - 16, pageHeight - 16);
    AboutPanel.SetColor(ui::clWhite);
    AboutPicture.SetBounds(AboutPanel.Bounds().Width() - 168, 36, 112, 112);
    AboutPicture.Picture = DrawAppTile;
    AboutTitle.SetText(std::u16string(kAboutTitle));
    AboutTitle.SetFont(ui::TFont{u"Trebuchet MS", 0, ui::fsNone, ui::Rgb(0, 51, 153), 43});
    AboutTitle.SetBounds(40, 28, 500, 54);
    AboutSubtitle.SetText(std::u16string(kAboutSubtitle));
    AboutSubtitle.SetFont(ui::TFont{u"Trebuchet MS", 0, ui::fsNone, kAboutGrey, 16});
    AboutSubtitle.SetBounds(44, 84, 500, 22);
    const ui::TFont grey{u"Tahoma", 8, ui::fsNone, kAboutGrey};
    ProgramLabel.SetText(std::u16string(kAboutProgramLabel));
    ProgramLabel.SetFont(grey);
    ProgramLabel.SetBounds(44, 128, 70, 16);
    TeamLabel.SetText(std::u16string(kAboutTeam));
    TeamLabel.SetFont(grey);
    TeamLabel.SetBounds(118, 128, 300, 16);
    const std::u16string mailCaption = std::u16string(kEmailUs) + u" (" + Wide(SupportAddress()) + u")";
    placeLink(LinkView1, kHomePage, 44, 164, 220, [this] { HomePage1Click(); });
    placeLink(LinkView2, kOnlineHelp, 44, 188, 220, [this] { HelpManul1Click(); });
    placeLink(LinkView3, kDonate, 44, 212, 220, [this] { Donate1Click(); });
    placeLink(LinkView23, kSubmitFeedback, 44, 236, 220, [this] { LinkView23Click(); });
    placeLink(LinkView21, mailCaption, 44, 260, 260, [this] { LinkView21Click(); });
    DataFolderLabel.SetText(std::u16string(kAboutDataFolder) + Wide(m_dataFolder));
    DataFolderLabel.SetFont(grey);
    DataFolderLabel.SetTextFlags(ui::tfSingleLine | ui::tfNoPrefix | ui::tfPathEllipsis);
    DataFolderLabel.SetBounds(44, 300, AboutPanel.Bounds().Width() - 88, 16);
    Button1.SetText(std::u16string(kOk));
    Button1.SetBounds(AboutPanel.Bounds().Width() - kButtonWidth - 16,
                      AboutPanel.Bounds().Height() - kButtonHeight - 16, kButtonWidth, kButtonHeight);
    Button1.OnClick = [this](ui::TControl&) { Button1Click(); };

    // Settings page: the inspector with its two explanations, OK and Cancel.
    InfoPanel7.SetName("InfoPanel7");
    InfoPanel7.SetBounds(0, 0, kClientWidth, kInfoPanelHeight);
    InfoPanel7.SetTitle(std::u16string(kSettingsTitle));
    InfoPanel7.SetText(std::u16string(kSettingsInfo));
    InfoPanel7.Picture = DrawSettingsTile;
    PropertiesView2.SetName("PropertiesView2");
    PropertiesView2.SetBounds(8, kInfoPanelHeight + 8, 420, kInspectorHeight);
    const ui::TTextFlags noteFlags = ui::tfWordWrap | ui::tfNoPrefix;
    PrivacyNote.SetText(std::u16string(kPrivacyExplanation));
    PrivacyNote.SetTextFlags(noteFlags);
    PrivacyNote.SetBounds(440, kInfoPanelHeight + 10, 390, 30);
    ConnectionNote.SetText(std::u16string(kConnectionExplanation));
    ConnectionNote.SetTextFlags(noteFlags);
    ConnectionNote.SetBounds(440, kInfoPanelHeight + 44, 390, 44);
    Button2.SetText(std::u16string(kOk));
    Button2.SetBounds(kClientWidth - 2 * kButtonWidth - 16, pageHeight - kButtonHeight - 12, kButtonWidth,
                      kButtonHeight);
    Button2.OnClick = [this](ui::TControl&) { Button2Click(); };
    Button3.SetText(std::u16string(kCancel));
    Button3.SetBounds(kClientWidth - kButtonWidth - 8, pageHeight - kButtonHeight - 12, kButtonWidth, kButtonHeight);
    Button3.OnClick = [this](ui::TControl&) { Button3Click(); };

    CenterOnScreen();
}

void TMainForm::SetUpGrid() {
    using namespace widgets;
    ReportGrid1.SetOptions(goGrid | goHeader | goRowResizing | goSecondClickEdit);
    ReportGrid1.SetAppearanceOptions(aoHideSelection | aoHintMarks);
    ReportGrid1.SetHeaderSize(20);
    ReportGrid1.SetRowSize(16);
    ReportGrid1.SetColor(ui::clWindow);
    ReportGrid1.SetGridLinesColor(ui::clBtnFace);
    ReportGrid1.SetSelectionColor(ui::clHighlight);
    ReportGrid1.SetHighlightedTextColor(ui::clHighlightText);
    ReportGrid1.SetInactiveSelectionColor(ui::clBtnFace);
    ReportGrid1.SetTabStop(true);

    constexpr TColumnOptions kBase = coCanInput | coCanSort | coPublicUsing;
    const auto setUp = [](TCustomColumn& column, std::u16string_view caption, int width, TAlignment alignment,
                          TColumnOptions options, TSortType sortType, bool visible) {
        column.Header().SetCaption(std::u16string(caption));
        column.SetWidth(width);
        column.SetDefaultWidth(width);
        column.SetAlignment(alignment);
        column.SetVerticalAlignment(TVerticalAlignment::taVerticalCenter);
        column.SetWrapKind(TWrapKind::wkEllipsis);
        column.SetFont(ui::TFont{u"Tahoma", 8, ui::fsNone, ui::clWindowText});
        column.SetOptions(options);
        column.SetSortType(sortType);
        column.SetVisible(visible);
    };
    TColumns& columns = ReportGrid1.Columns();
    setUp(columns.Add<TIncrementColumn>(), u"No", 30, TAlignment::taRightJustify, kBase | coEditorAutoSelect,
          TSortType::stAlphabetic, true);
    auto& checks = columns.Add<TCheckBoxColumn>();
    setUp(checks, u"", 22, TAlignment::taCenter, kBase, TSortType::stBoolean, false);
    checks.Header().SetDisplayMode(TDisplayMode::dmImageOnly);
    checks.Header().SetAlignment(TAlignment::taCenter);
    auto& images = columns.Add<TImageColumn>();
    setUp(images, u"", 20, TAlignment::taLeftJustify, kBase, TSortType::stNumeric, false);
    images.Header().SetDisplayMode(TDisplayMode::dmImageOnly);
    setUp(columns.Add<TTextColumn>(), u"Title", 180, TAlignment::taLeftJustify, kBase | coShowTextFitHint,
          TSortType::stAlphabetic, true);
    setUp(columns.Add<TTextColumn>(), u"Company", 120, TAlignment::taLeftJustify, kBase, TSortType::stAlphabetic, true);
    setUp(columns.Add<TTextColumn>(), u"Version (Local)", 120, TAlignment::taLeftJustify, kBase,
          TSortType::stAlphabetic, true);
    const std::u16string_view htmlCaptions[] = {u"Version (Corvanthelis)", u"Version (Publisher)", u"Version (All)"};
    for (int i = 0; i < 3; ++i) {
        auto& html = columns.Add<THtmlColumn>();
        setUp(html, htmlCaptions[i], 120, TAlignment::taLeftJustify, kBase | coEditing, TSortType::stAlphabetic, true);
        html.OnClick = [this, i](TColumnPlay&, const std::u16string& href) {
            if (i == 0) HtmlColumn1Click(href);
            if (i == 1) HtmlColumn2Click(href);
            if (i == 2) HtmlColumn3Click(href);
        };
    }
}

void TMainForm::SetUpInspector() {
    using namespace widgets;
    PropertiesView2.SetOptions(poGrid | poEnterSelectNext | poUniformSelect);
    PropertiesView2.SetSplitterPosition(150);
    // The layout names the Whidbey style; FormCreate switches to Office 2007.
    PropertiesView2.SetStyle(TPropertiesStyle::psWhidbey);
    PropertiesView2.SetGridColor(ui::cl3DLight);
    PropertiesView2.SetMarginColor(ui::clGrayText);
    PropertiesView2.SetEnableVisualStyles(true);
    PropertiesView2.SetRowHeight(16);
    PropertiesView2.SetText(std::u16string(kSettingsTitle));
    PropertiesView2.SetTabStop(true);

    const auto category = [](TCategoryItem& item, const char* name, std::u16string_view caption) {
        item.SetName(name);
        item.SetCaption(std::u16string(caption));
        item.AddButton({u"", "GLYPH", false, true});
        item.SetButtonsAlign(TButtonsAlign::baRight);
        item.SetAllowAllUp(true);
        item.SetFont(ui::TFont{u"Tahoma", 8, ui::fsNone, ui::clBlack});
    };
    category(Privacy, "Privacy", u"Privacy Settings");
    Privacy.Glyph = DrawLockGlyph;
    CheckBoxItem1.SetName("CheckBoxItem1");
    CheckBoxItem1.SetCaption(u"Allows uploading versions");
    CheckBoxItem1.SetTextKind(TCheckBoxTextKind::tkYesNo);
    CheckBoxItem1.SetShowText(true);
    CheckBoxItem1.SetValue(u"yes");
    category(ToolbarItem2, "ToolbarItem2", u"HTTP Connection");
    ToolbarItem2.Glyph = DrawGlobeGlyph;
    ComboBoxItem1.SetName("ComboBoxItem1");
    ComboBoxItem1.SetCaption(u"BasicAuthentication");
    ComboBoxItem1.SetLines({u"True", u"False"});
    const std::pair<TTextItem*, std::u16string_view> texts[] = {{&TextItem1, u"ProxyServer"},
                                                                {&TextItem2, u"ProxyPassword"},
                                                                {&TextItem3, u"ProxyPort"},
                                                                {&TextItem4, u"ProxyUsername"}};
    int n = 1;
    for (const auto& [item, caption] : texts) {
        item->SetName("TextItem" + std::to_string(n++));
        item->SetCaption(std::u16string(caption));
    }
    ComboBoxItem2.SetName("ComboBoxItem2");
    ComboBoxItem2.SetCaption(u"Version");
    ComboBoxItem2.SetLines({u"svNoSocks", u"svSocks4", u"svSocks4A", u"svSocks5"});
    ComboBoxItem2.SetVisible(false);
}

// --- window events

void TMainForm::FormCreate() {
    Application().InstallSystemHandCursor();
    SetCatalogueChanged(false);
    pagPages.ShowPage(softwareVersionTab);
    PropertiesView2.SetStyle(widgets::TPropertiesStyle::psOffice2007);
    m_catalogue.CreateCatalogue();
    FillGrid();
    UpdateCounts();
    LoadSettings();
}

void TMainForm::FormShow() { pagPages.SetColor(kPageColour); }

void TMainForm::FormClose() {
    // A scan waiting on the network ends first, so it never touches the saved and released catalogue.
    m_scan.WindowClosing();
    if (CatalogueChanged() && m_catalogue.Document() != nullptr) m_catalogue.SaveCatalogue();
}

// --- commands

void TMainForm::LinkLabel1Click() {
    // The online scan addresses records and rows by position: no rebuild under it.
    if (m_scan.RefuseLocalScan()) return;
    auto registry = m_registryFactory();
    try {
        inventory::ScanLocalSoftware(*registry, m_catalogue.Document(), m_catalogue.Path(), this);
    } catch (...) {
        // The scan emptied the table when it began; a failed scan leaves vers.xml
        // and the catalogue as they were, so the table shows them again.
        FillRows();
        throw;
    }
    FillGrid();
    UpdateCounts();
}

void TMainForm::ScanStarting() {
    pagPages.ShowPage(softwareVersionTab);
    ReportGrid1.ClearRows();
}

void TMainForm::LinkLabel2Click() { m_scan.LinkLabel2Click(); }

void TMainForm::LinkLabel3Click() { m_scan.LinkLabel3Click(); }

void TMainForm::Settings1Click() { pagPages.ShowPage(SettingsTab); }

void TMainForm::Exit1Click() { Close(); }

void TMainForm::HomePage1Click() { OpenTarget(HomePageUrl()); }

void TMainForm::HelpManul1Click() { OpenTarget(HelpPageUrl()); }

void TMainForm::Donate1Click() { OpenTarget(DonationPageUrl()); }

void TMainForm::LinkView23Click() { OpenTarget(FeedbackPageUrl()); }

void TMainForm::LinkView21Click() { OpenTarget(SupportMailLink()); }

void TMainForm::About1Click() { pagPages.ShowPage(AboutTab); }

void TMainForm::Button1Click() { pagPages.ShowPage(softwareVersionTab); }

void TMainForm::Button2Click() {
    // A value still in its editor counts as typed.
    PropertiesView2.ApplyEdit();
    if (m_settings == nullptr) m_settings = std::make_unique<xml::TXmlDocument>(kSettingsRoot);
    if (xml::TXmlNode* root = m_settings->RootElement()) {
        // A root without children gets its settings element, so the user's values are kept.
        xml::TXmlNode* node = root->ChildCount() > 0 ? root->Child(0) : root->AddChild(kSettingsNode);
        StoreSettings(*node);
    }
    SaveSettings();
    ApplyConnectionSettings();
    pagPages.ShowPage(softwareVersionTab);
}

void TMainForm::Button3Click() { pagPages.ShowPage(softwareVersionTab); }

void TMainForm::OpenTarget(std::string_view target) {
    const std::string trimmed = inventory::TrimText(target);
    if (IsSafeShellTarget(trimmed))
        Application().ShellOpen(trimmed);
    else
        Application().ShowMessage(trimmed);
}

// --- results table

void TMainForm::FillGrid() {
    if (platform::FileExists(m_catalogue.Path())) m_catalogue.LoadCatalogue();
    FillRows();
}

void TMainForm::FillRows() {
    ReportGrid1.ClearRows();
    static constexpr std::string_view kColumnFields[] = {inventory::kFieldTitle,
                                                         inventory::kFieldCompany,
                                                         inventory::kFieldVersionLocal,
                                                         inventory::kFieldVersionCorvanthelis,
                                                         inventory::kFieldVersionPublisher,
                                                         inventory::kFieldVersionAll};
    const int records = m_catalogue.RecordCount();
    for (int i = 0; i < records; ++i) {
        ReportGrid1.AddRow(1);
        for (int c = 0; c < 6; ++c)
            ReportGrid1.Cell(kFirstFilledColumn + c, i).SetAsString(Wide(m_catalogue.ReadField(i, kColumnFields[c])));
    }
}

void TMainForm::UpdateCounts() {
    const int records = m_catalogue.RecordCount();
    if (records == 0) return;
    int newer = 0;
    for (int i = 0; i < records; ++i) {
        for (std::string_view field :
             {inventory::kFieldVersionCorvanthelis, inventory::kFieldVersionPublisher, inventory::kFieldVersionAll}) {
            if (inventory::ContainsText(m_catalogue.ReadField(i, field), kNewVersionColour)) {
                ++newer;
                break;
            }
        }
    }
    InfoPanel5.SetText(
        Wide(std::to_string(records) + std::string(kCountsMiddle) + std::to_string(newer) + std::string(kCountsEnd)));
}

void TMainForm::FollowServiceLink(std::u16string_view href) { OpenTarget(platform::Utf16ToAnsi(href)); }

void TMainForm::HtmlColumn1Click(std::u16string_view href) { FollowServiceLink(href); }

void TMainForm::HtmlColumn2Click(std::u16string_view href) { FollowServiceLink(href); }

void TMainForm::HtmlColumn3Click(std::u16string_view href) {
    const std::string target = platform::Utf16ToAnsi(href);
    if (inventory::ContainsText(target, "http://"))
        OpenTarget(target);
    else
        Application().ShowMessage(PipesToLines(target));
}

// --- settings

std::string TMainForm::SettingsPath() const { return m_dataFolder + std::string(kSettingsFileName); }

std::array<widgets::TPropertyItem*, 7> TMainForm::SettingItems() const {
    return {&CheckBoxItem1, &ComboBoxItem1, &TextItem1, &TextItem2, &TextItem3, &TextItem4, &ComboBoxItem2};
}

void TMainForm::StoreSettings(xml::TXmlNode& node) const {
    const auto items = SettingItems();
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i)
        node.WriteText(kSettingKeys[i], platform::Utf16ToAnsi(items[i]->Value()), "");
}

void TMainForm::ShowSettings(const xml::TXmlNode& node) {
    const auto items = SettingItems();
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) items[i]->SetValue(Wide(node.ReadText(kSettingKeys[i], "")));
}

void TMainForm::LoadSettings() {
    const std::string path = SettingsPath();
    if (!platform::FileExists(path)) {
        // First start: the layout's values, in memory only; the file waits for "OK"
        // and the clients keep their layout proxy values.
        m_settings = std::make_unique<xml::TXmlDocument>(kSettingsRoot);
        StoreSettings(*m_settings->RootElement()->AddChild(kSettingsNode));
        return;
    }
    m_settings = std::make_unique<xml::TXmlDocument>();
    m_settings->LoadFile(path);
    xml::TXmlNode* root = m_settings->RootElement();
    // A root without any child holds no settings: the layout's values stay, nothing is applied.
    if (root == nullptr || root->ChildCount() == 0) return;
    ShowSettings(*root->Child(0));
    ApplyConnectionSettings();
}

void TMainForm::SaveSettings() {
    if (m_settings == nullptr) return;
    m_settings->SetOutputStyle(xml::osReadable);
    m_settings->SaveFile(SettingsPath());
}

void TMainForm::ApplyConnectionSettings() {
    if (m_settings != nullptr) app::ApplyConnectionSettings(*m_settings, NetHTTP1, NetHTTP2);
}

}  // namespace app
