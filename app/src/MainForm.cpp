#include "app/MainForm.h"

#include "app/AppTexts.h"
#include "app/ConnectionSettings.h"
#include "app/LinkTargets.h"
#include "app/ServiceAddresses.h"
#include "app/SettingsKeys.h"
#include "inventory/CatalogueFields.h"
#include "inventory/LocalScan.h"
#include "inventory/TextRules.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

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
      InfoPanel5(softwareVersionTab.Add<ui::TInfoPanel>()),
      ReportArea(softwareVersionTab.Add<ui::TPanel>()),
      AboutPanel(AboutTab.Add<ui::TPanel>()),
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
      InfoPanel7(SettingsTab.Add<ui::TInfoPanel>()),
      InspectorArea(SettingsTab.Add<ui::TPanel>()),
      PrivacyNote(SettingsTab.Add<ui::TLabel>()),
      ConnectionNote(SettingsTab.Add<ui::TLabel>()),
      Button2(SettingsTab.Add<ui::TButton>()),
      Button3(SettingsTab.Add<ui::TButton>()),
      Timer1(*this),
      Timer2(*this),
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
      m_catalogue(m_dataFolder + std::string(inventory::kCatalogueFileName)) {
    LayOut();

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
    Timer2.SetInterval(kLightTickMs);

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
    ReportArea.SetBounds(0, kInfoPanelHeight, kClientWidth, pageHeight - kInfoPanelHeight);
    ReportArea.SetColor(ui::clWindow);

    // About page: an inner white page.
    AboutPanel.SetBounds(8, 8, kClientWidth - 16, pageHeight - 16);
    AboutPanel.SetColor(ui::clWhite);
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
    InspectorArea.SetBounds(8, kInfoPanelHeight + 8, 420, 170);
    InspectorArea.SetColor(ui::clWindow);
    const ui::TTextFlags noteFlags = ui::tfWordWrap | ui::tfNoPrefix;
    PrivacyNote.SetText(std::u16string(kPrivacyExplanation));
    PrivacyNote.SetTextFlags(noteFlags);
    PrivacyNote.SetBounds(440, kInfoPanelHeight + 12, 390, 44);
    ConnectionNote.SetText(std::u16string(kConnectionExplanation));
    ConnectionNote.SetTextFlags(noteFlags);
    ConnectionNote.SetBounds(440, kInfoPanelHeight + 60, 390, 44);
    Button2.SetText(std::u16string(kOk));
    Button2.SetBounds(kClientWidth - 2 * kButtonWidth - 16, pageHeight - kButtonHeight - 12, kButtonWidth,
                      kButtonHeight);
    Button2.OnClick = [this](ui::TControl&) { Button2Click(); };
    Button3.SetText(std::u16string(kCancel));
    Button3.SetBounds(kClientWidth - kButtonWidth - 8, pageHeight - kButtonHeight - 12, kButtonWidth, kButtonHeight);
    Button3.OnClick = [this](ui::TControl&) { Button3Click(); };

    CenterOnScreen();
}

// --- window events

void TMainForm::FormCreate() {
    Application().InstallSystemHandCursor();
    CatalogueChanged = false;
    pagPages.ShowPage(softwareVersionTab);
    m_catalogue.CreateCatalogue();
    FillGrid();
    UpdateCounts();
    LoadSettings();
}

void TMainForm::FormShow() { pagPages.SetColor(kPageColour); }

void TMainForm::FormClose() {
    if (CatalogueChanged && m_catalogue.Document() != nullptr) m_catalogue.SaveCatalogue();
}

// --- commands

void TMainForm::LinkLabel1Click() {
    auto registry = m_registryFactory();
    inventory::ScanLocalSoftware(*registry, m_catalogue.Document(), m_catalogue.Path(), this);
    FillGrid();
    UpdateCounts();
}

void TMainForm::ScanStarting() { pagPages.ShowPage(softwareVersionTab); }

void TMainForm::LinkLabel2Click() {}

void TMainForm::LinkLabel3Click() {}

void TMainForm::Settings1Click() { pagPages.ShowPage(SettingsTab); }

void TMainForm::Exit1Click() { Close(); }

void TMainForm::HomePage1Click() { OpenTarget(HomePageUrl()); }

void TMainForm::HelpManul1Click() { OpenTarget(HelpPageUrl()); }

void TMainForm::Donate1Click() { OpenTarget(DonationPageUrl()); }

void TMainForm::LinkView23Click() { OpenTarget(FeedbackPageUrl()); }

void TMainForm::LinkView21Click() { OpenTarget(SupportMailLink()); }

void TMainForm::About1Click() { pagPages.ShowPage(AboutTab); }

void TMainForm::Button1Click() { pagPages.ShowPage(softwareVersionTab); }

void TMainForm::Button2Click() { pagPages.ShowPage(softwareVersionTab); }

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

void TMainForm::LoadSettings() {}

void TMainForm::SaveSettings() {
    m_settings->SetOutputStyle(xml::osReadable);
    m_settings->SaveFile(SettingsPath());
}

void TMainForm::ApplyConnectionSettings() {
    if (m_settings != nullptr) app::ApplyConnectionSettings(*m_settings, NetHTTP1, NetHTTP2);
}

}  // namespace app
