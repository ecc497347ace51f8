#pragma once

#include "online/OnlineScanHost.h"

#include <cstdint>
#include <string>

namespace online {

// "Scan Versions Online": walks the first records of the catalogue, asks the
// version service about each, writes the answers into the record and its
// grid row, reports changed local versions when the privacy setting allows it,
// and recounts. Holds the scan's flags and the light counter; the main
// window forwards its handlers here and implements the host.
class TOnlineScan {
public:
    // A scan over host, idle, with the light counter at 0.
    explicit TOnlineScan(IOnlineScanHost& host);
    TOnlineScan(const TOnlineScan&) = delete;
    TOnlineScan& operator=(const TOnlineScan&) = delete;

    // "Scan Versions Online" (link and menu item): asks, then runs a whole scan
    // before it returns. Rethrows a failure other than a request's, after the
    // idle state is restored.
    void LinkLabel2Click();
    // "Stop Scan" (link and menu item): the loop ends after the current title,
    // and a request that waits is aborted (that title gets no reply).
    void LinkLabel3Click();
    // The hour lock's timer: disables it, so a new scan may start.
    void Timer1Timer();
    // The lights' timer: moves the active light on by one.
    void Timer2Timer();

    // The window is closing: a running scan ends as "Stop Scan" ends it, its
    // waiting request is aborted and the idle state is restored now; from then
    // on the scan touches neither the catalogue nor the window. Never throws.
    void WindowClosing() noexcept;
    // Whether a local scan must be refused because an online scan runs; if so,
    // the refusal message has been shown.
    bool RefuseLocalScan();

    // Whether a scan runs (its loop is on the stack).
    bool Running() const { return m_running; }
    // Set by "Stop Scan"; the loop tests it before each title.
    bool StopRequested() const { return m_stopRequested; }
    // Whether the catalogue must be saved when the window closes.
    bool CatalogueChanged() const { return m_catalogueChanged; }
    // Sets or clears the save-at-close flag (the window clears it at creation).
    void SetCatalogueChanged(bool changed) { m_catalogueChanged = changed; }
    // Light timer ticks since the program started.
    std::int32_t LightTick() const { return m_lightTick; }

private:
    // The loop over the first records; false when it ended with a notice.
    bool RunLoop(int count);
    // Queries, stores and reports record i; false when the service sent a notice.
    bool ScanRecord(int i, int count);
    // Links, lights and the light timer back to idle.
    void RestoreIdle() noexcept;
    // Aborts the requests that wait on either client.
    void AbortRequests() noexcept;

    IOnlineScanHost& m_host;
    bool m_stopRequested = false;
    bool m_catalogueChanged = false;
    std::int32_t m_lightTick = 0;
    bool m_running = false;
    // The window is closing: the loop must touch nothing more.
    bool m_detached = false;
};

}  // namespace online
