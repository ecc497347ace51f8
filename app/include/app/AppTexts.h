#pragma once

#include <string_view>

// The program's own texts: window, menu, link, page and message texts, each
// defined once. Captions are UTF-16 (widget text); messages are 8-bit program text.
namespace app {

// The application's title and the main window's caption and window class (the
// single-instance identity).
inline constexpr std::string_view kAppTitle = "Pelmira";
inline constexpr std::u16string_view kMainCaption = u"Pelmira";
inline constexpr std::string_view kMainClassName = "TMainForm";

// Menu and link captions.
inline constexpr std::u16string_view kScanMenu = u" Scan ";
inline constexpr std::u16string_view kHelpMenu = u" Help ";
inline constexpr std::u16string_view kScanLocalSoftware = u"Scan Local Software";
inline constexpr std::u16string_view kScanVersionsOnline = u"Scan Versions Online";
inline constexpr std::u16string_view kStopScan = u"Stop Scan";
inline constexpr std::u16string_view kSettings = u"Settings";
inline constexpr std::u16string_view kExit = u"Exit";
inline constexpr std::u16string_view kHomePage = u"Home Page";
inline constexpr std::u16string_view kOnlineHelp = u"Online Help";
inline constexpr std::u16string_view kDonate = u"Donate";
inline constexpr std::u16string_view kAboutPelmira = u"About Pelmira";
inline constexpr std::u16string_view kSubmitFeedback = u"Submit Feedback Online";
inline constexpr std::u16string_view kEmailUs = u"Email Us";
inline constexpr std::u16string_view kOk = u"OK";
inline constexpr std::u16string_view kCancel = u"Cancel";

// The results page.
inline constexpr std::u16string_view kResultsTitle = u"Software Versions";
inline constexpr std::u16string_view kInitialCounts = u"0 software programs installed. 0 new software versions found.";
// The counts line: <records> kCountsMiddle <new versions> kCountsEnd.
inline constexpr std::string_view kCountsMiddle = " software programs installed. ";
inline constexpr std::string_view kCountsEnd = " new software versions found.";
// A catalogue value carrying this colour marks a newer version.
inline constexpr std::string_view kNewVersionColour = "ff3300";

// The about page.
inline constexpr std::u16string_view kAboutTitle = u"Pelmira 1.0";
inline constexpr std::u16string_view kAboutSubtitle = u"Version Online Check Software";
inline constexpr std::u16string_view kAboutProgramLabel = u"Program:";
inline constexpr std::u16string_view kAboutTeam = u"The Corvanthelis Team";
// The line that names the folder where the program keeps its files.
inline constexpr std::u16string_view kAboutDataFolder = u"Files kept in: ";

// The settings page.
inline constexpr std::u16string_view kSettingsTitle = u"Settings";
inline constexpr std::u16string_view kSettingsInfo =
    u"Set privacy and HTTP connection options, click OK button to save.";
inline constexpr std::u16string_view kPrivacyExplanation =
    u"You can't scan \"Version (All)\" if you disabled this option. It's strongly recommended leaving this option "
    u"checked.";
inline constexpr std::u16string_view kConnectionExplanation =
    u"Config these options if you needs proxy  to connect. Leave these options blank if your current HTTP "
    u"connection has no problem.";

// Status light hints.
inline constexpr std::u16string_view kNotConnected = u"Not connected";

}  // namespace app
