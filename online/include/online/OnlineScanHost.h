#pragma once

#include "inventory/SoftwareCatalogue.h"
#include "net/NetHTTP.h"
#include "ui/Color.h"

#include <string>

namespace online {

// The two timers of the main window that the online scan drives.
enum class TScanTimer {
    stHourLock,  // Timer1: while enabled a new scan is refused
    stLights,    // Timer2: moves the status lights once a second
};

// What the online scan needs of the main window. The window implements it and
// owns everything behind it; all calls come on the window's thread, also from
// handlers that run while a request waits. Texts are 8-bit in the ANSI code page.
class IOnlineScanHost {
public:
    virtual ~IOnlineScanHost() = default;

    // The software catalogue; records are addressed by position.
    virtual inventory::TSoftwareCatalogue& Catalogue() = 0;
    // Sets the text of the result grid's cell at column (6 to 8) and row (the record's index).
    virtual void SetGridCell(int column, int row, const std::string& text) = 0;
    // The text the info panel above the grid shows now.
    virtual std::string InfoText() = 0;
    // Sets the info panel's text (its window text follows).
    virtual void SetInfoText(const std::string& text) = 0;
    // Brings the results page to the front of the notebook.
    virtual void ShowResultsPage() = 0;
    // Shows or hides the "Scan Versions Online" link and menu item.
    virtual void SetScanCommandsVisible(bool visible) = 0;
    // Shows or hides the "Stop Scan" link and menu item.
    virtual void SetStopCommandsVisible(bool visible) = 0;
    // Whether the timer is enabled.
    virtual bool TimerEnabled(TScanTimer timer) = 0;
    // Enables or disables the timer.
    virtual void SetTimerEnabled(TScanTimer timer, bool enabled) = 0;
    // Sets the outline of status light 0, 1 or 2 (left to right: c1, c2, c3).
    virtual void SetLightOutline(int light, ui::TColor colour, int width) = 0;
    // Sets the hint of status light 0, 1 or 2.
    virtual void SetLightHint(int light, const std::string& hint) = 0;
    // Shows text in a plain message box (OK button, no icon, the program's title as caption).
    virtual void ShowMessage(const std::string& text) = 0;
    // Asks text in the confirmation box (question icon, Yes and No); false only for No.
    virtual bool Confirm(const std::string& text) = 0;
    // Counts the records and those with a newer version into the info panel.
    virtual void UpdateCounts() = 0;
    // The HTTP client of the version queries.
    virtual net::TNetHTTP& NetHTTP1() = 0;
    // The HTTP client of the version reports.
    virtual net::TNetHTTP& NetHTTP2() = 0;
    // The privacy setting as stored now ("yes", "no" or anything else).
    virtual std::string PrivacySetting() = 0;
};

}  // namespace online
