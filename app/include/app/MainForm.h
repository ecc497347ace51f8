#pragma once

#include "app/CategoryItem.h"
#include "app/PictureBox.h"
#include "app/PictureInfoPanel.h"
#include "inventory/ScanObserver.h"
#include "inventory/SoftwareCatalogue.h"
#include "net/NetHTTP.h"
#include "online/OnlineScan.h"
#include "online/OnlineScanHost.h"
#include "platform/Registry.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/InfoPanel.h"
#include "ui/Label.h"
#include "ui/LinkLabel.h"
#include "ui/Notebook.h"
#include "ui/Panel.h"
#include "ui/Shape.h"
#include "ui/Timer.h"
#include "widgets/CheckBoxItem.h"
#include "widgets/ComboBoxItem.h"
#include "widgets/PropertyInspector.h"
#include "widgets/ReportGrid.h"
#include "widgets/TextItem.h"
#include "widgets/ToolbarItem.h"
#include "xml/XmlDocument.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace app {

// Makes the registry accessor a local scan reads (the machine's own in the program).
using TRegistryFactory = std::function<std::unique_ptr<platform::Registry>()>;

// The program's one window: the top bar with the scan links and status lights,
// the notebook with the results, about and settings pages, the menu, the
// catalogue and settings documents and the two HTTP clients. Every command of
// the program is one of its handlers.
class TMainForm : public ui::TForm, private inventory::IScanObserver {
public:
    // The window on app, keeping vers.xml and settings.xml in dataFolder (ending
    // in the path separator) and scanning the registries that registryFactory makes.
    TMainForm(ui::TApplication& app, std::string dataFolder, TRegistryFactory registryFactory);
    ~TMainForm() override;

    // --- window events
    // Creation sequence: hand cursor, CatalogueChanged cleared, results page,
    // inspector style, catalogue document, table, counts, settings.
    void FormCreate();
    // Gives the notebook the pale blue page colour.
    void FormShow();
    // Saves the catalogue when CatalogueChanged is set.
    void FormClose();

    // --- commands (menu items and links)
    // Local scan, then FillGrid and UpdateCounts; a failing scan reaches the error report and neither runs.
    void LinkLabel1Click();
    // Starts an online scan.
    void LinkLabel2Click();
    // Asks a running online scan to stop.
    void LinkLabel3Click();
    // Shows the settings page.
    void Settings1Click();
    // Closes the window.
    void Exit1Click();
    // Opens the home, help, donation and feedback pages and the support mail link.
    void HomePage1Click();
    void HelpManul1Click();
    void Donate1Click();
    void LinkView23Click();
    void LinkView21Click();
    // Shows the about page.
    void About1Click();
    // About page OK: shows the results page.
    void Button1Click();
    // Settings page OK: stores, saves and applies the settings, then shows the results page.
    void Button2Click();
    // Settings page Cancel: shows the results page; the typed values stay in the inspector.
    void Button3Click();
    // A click on the results info panel: nothing.
    void InfoPanel5Click() {}

    // --- results table
    // Reloads the catalogue from vers.xml when it exists and rebuilds the table from it.
    void FillGrid();
    // Rebuilds the table's rows from the catalogue in memory (row i shows record i).
    void FillRows();
    // Writes the record count and the count of records with a newer version into
    // the info panel (kept as it is when the catalogue holds no records).
    void UpdateCounts();
    // Link clicks in the online version columns (target text as the cell reports it).
    void HtmlColumn1Click(std::u16string_view href);
    void HtmlColumn2Click(std::u16string_view href);
    void HtmlColumn3Click(std::u16string_view href);

    // --- settings
    // Loads settings.xml into the inspector and applies it, or builds the defaults.
    void LoadSettings();
    // Writes the settings document readable to settings.xml.
    void SaveSettings();
    // Copies the settings' proxy values into both HTTP clients (silent stop at the first failure).
    void ApplyConnectionSettings();

    // Opens target with the shell when it is a web or mail address (after
    // trimming); any other target is shown as text in a plain message box.
    void OpenTarget(std::string_view target);

    // --- state
    // Whether the catalogue must be saved when the window closes (set when an online scan starts).
    bool CatalogueChanged() const { return m_scan.CatalogueChanged(); }
    void SetCatalogueChanged(bool changed) { m_scan.SetCatalogueChanged(changed); }
    // The online scan behind "Scan Versions Online", "Stop Scan" and the two timers.
    online::TOnlineScan& OnlineScan() { return m_scan; }
    // The folder of vers.xml and settings.xml, and the two files.
    const std::string& DataFolder() const { return m_dataFolder; }
    std::string SettingsPath() const;
    inventory::TSoftwareCatalogue& Catalogue() { return m_catalogue; }
    // The settings document (null before LoadSettings).
    xml::TXmlDocument* SettingsDocument() const { return m_settings.get(); }

    // --- components, by their names
    ui::TPanel& TopBar;
    ui::TLinkLabel& LinkLabel1;
    ui::TLinkLabel& LinkLabel2;
    ui::TLinkLabel& LinkLabel3;
    ui::TShape& c1;
    ui::TShape& c2;
    ui::TShape& c3;
    ui::TNotebook& pagPages;
    ui::TNotebookPage& softwareVersionTab;
    ui::TNotebookPage& AboutTab;
    ui::TNotebookPage& SettingsTab;
    TPictureInfoPanel& InfoPanel5;
    widgets::TReportGrid& ReportGrid1;
    ui::TPanel& AboutPanel;
    TPictureBox& AboutPicture;
    ui::TLabel& AboutTitle;
    ui::TLabel& AboutSubtitle;
    ui::TLabel& ProgramLabel;
    ui::TLabel& TeamLabel;
    ui::TLinkLabel& LinkView1;
    ui::TLinkLabel& LinkView2;
    ui::TLinkLabel& LinkView3;
    ui::TLinkLabel& LinkView23;
    ui::TLinkLabel& LinkView21;
    ui::TLabel& DataFolderLabel;
    ui::TButton& Button1;
    TPictureInfoPanel& InfoPanel7;
    widgets::TPropertyInspector& PropertiesView2;
    ui::TLabel& PrivacyNote;
    ui::TLabel& ConnectionNote;
    ui::TButton& Button2;
    ui::TButton& Button3;
    ui::TTimer Timer1;
    ui::TTimer Timer2;
    net::TNetHTTP NetHTTP1;
    net::TNetHTTP NetHTTP2;

    // Inspector items, in list order.
    TCategoryItem& Privacy;
    widgets::TCheckBoxItem& CheckBoxItem1;
    TCategoryItem& ToolbarItem2;
    widgets::TComboBoxItem& ComboBoxItem1;
    widgets::TTextItem& TextItem1;
    widgets::TTextItem& TextItem2;
    widgets::TTextItem& TextItem3;
    widgets::TTextItem& TextItem4;
    widgets::TComboBoxItem& ComboBoxItem2;

    // Menu items.
    ui::TMenuItem& Scan1;
    ui::TMenuItem& ScanSoftware1;
    ui::TMenuItem& ScanVersion1;
    ui::TMenuItem& StopScan1;
    ui::TMenuItem& Settings1;
    ui::TMenuItem& Exit1;
    ui::TMenuItem& Help1;
    ui::TMenuItem& HomePage1;
    ui::TMenuItem& HelpManul1;
    ui::TMenuItem& Donate1;
    ui::TMenuItem& About1;

private:
    class TScanHost;
    void LayOut();
    void SetUpGrid();
    void SetUpInspector();
    // The inspector items of the settings, in the order of kSettingKeys.
    std::array<widgets::TPropertyItem*, 7> SettingItems() const;
    // Writes every inspector value into node / every value of node into the inspector.
    void StoreSettings(xml::TXmlNode& node) const;
    void ShowSettings(const xml::TXmlNode& node);
    void ScanStarting() override;
    // Opens a link of a column 6 or 7 cell (trimmed target).
    void FollowServiceLink(std::u16string_view href);

    std::string m_dataFolder;
    TRegistryFactory m_registryFactory;
    inventory::TSoftwareCatalogue m_catalogue;
    std::unique_ptr<xml::TXmlDocument> m_settings;
    std::unique_ptr<TScanHost> m_host;
    online::TOnlineScan m_scan;
};

}  // namespace app
