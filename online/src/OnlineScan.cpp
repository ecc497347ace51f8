#include "online/OnlineScan.h"
#include "online/OnlineLimits.h"
#include "online/OnlineMessages.h"
#include "online/VersionReply.h"
#include "online/VersionService.h"

#include "inventory/CatalogueFields.h"

#include <algorithm>
#include <cstdint>

namespace online {
namespace {

// Grid columns of the three online versions.
constexpr int kColumnCorvanthelis = 6;
constexpr int kColumnPublisher = 7;
constexpr int kColumnAll = 8;
constexpr int kLightCount = 3;
// Outline of the active light (the orange of the widgets' blue scheme) and of the others.
constexpr ui::TColor kActiveOutline = ui::Rgb(251, 140, 60);
constexpr ui::TColor kIdleOutline = ui::Rgb(128, 128, 128);
constexpr int kActiveOutlineWidth = 2;
constexpr int kIdleOutlineWidth = 1;
// Privacy texts that have an effect.
constexpr std::string_view kPrivacyYes = "yes";
constexpr std::string_view kPrivacyNo = "no";

}  // namespace

TOnlineScan::TOnlineScan(IOnlineScanHost& host) : m_host(host) {}

void TOnlineScan::LinkLabel2Click() {
    inventory::TSoftwareCatalogue& catalogue = m_host.Catalogue();
    const int records = catalogue.RecordCount();
    if (records <= 0) return;
    m_host.ShowResultsPage();
    if (m_host.TimerEnabled(TScanTimer::stHourLock)) {
        m_host.ShowMessage(std::string(messages::kHourLock));
        return;
    }
    // Only reachable through a queued click after an hour of scanning: one loop at a time.
    if (m_running) return;

    const int count = std::min(records, limits::kMaxScanRecords);
    std::string question(messages::kScanQuestion);
    if (records > limits::kMaxScanRecords) {
        question += '\r';
        question += messages::kScanQuestionMoreBefore;
        question += std::to_string(records);
        question += messages::kScanQuestionMoreAfter;
    }
    if (!m_host.Confirm(question)) return;

    m_stopRequested = false;
    m_catalogueChanged = true;
    m_host.SetScanCommandsVisible(false);
    m_host.SetStopCommandsVisible(true);
    m_host.SetTimerEnabled(TScanTimer::stHourLock, true);
    m_host.SetTimerEnabled(TScanTimer::stLights, true);

    // The counts text comes back when the scan ends without a recount.
    const std::string countsText = m_host.InfoText();
    m_running = true;
    m_detached = false;
    try {
        const bool recount = RunLoop(count);
        m_running = false;
        if (m_detached) return;
        if (recount) {
            m_host.UpdateCounts();
        } else {
            m_host.SetInfoText(countsText);
        }
    } catch (...) {
        m_running = false;
        if (!m_detached) {
            try {
                m_host.SetInfoText(countsText);
            } catch (...) {
                // The failure that ended the scan is the one to report.
            }
            RestoreIdle();
        }
        throw;
    }
    RestoreIdle();
}

bool TOnlineScan::RunLoop(int count) {
    for (int i = 0; i < count; ++i) {
        if (m_stopRequested || m_detached) break;
        if (!ScanRecord(i, count)) return false;
    }
    return true;
}

bool TOnlineScan::ScanRecord(int i, int count) {
    inventory::TSoftwareCatalogue& catalogue = m_host.Catalogue();
    const std::string title = catalogue.ReadField(i, inventory::kFieldTitle);
    const std::string local = catalogue.ReadField(i, inventory::kFieldVersionLocal);

    std::string progress(messages::kProgressBefore);
    progress += std::to_string(i + 1);
    progress += messages::kProgressOf;
    progress += std::to_string(count);
    progress += messages::kProgressTitle;
    progress += title;
    m_host.SetInfoText(progress);

    const std::string reply = QueryVersions(m_host.NetHTTP1(), title, local);
    // Closing released the catalogue and the window meanwhile; a stop aborted the
    // request, so the title counts as unanswered and is not reported either.
    if (m_detached || m_stopRequested) return true;

    const std::string privacy = m_host.PrivacySetting();
    if (!reply.empty()) {
        TVersionReply values = CutReply(reply);
        if (values.Notice) {
            m_host.ShowMessage(values.Corvanthelis);
            return false;
        }
        if (privacy == kPrivacyNo) values.All.clear();
        catalogue.WriteField(i, inventory::kFieldVersionCorvanthelis, values.Corvanthelis);
        catalogue.WriteField(i, inventory::kFieldVersionPublisher, values.Publisher);
        catalogue.WriteField(i, inventory::kFieldVersionAll, values.All);
        m_host.SetGridCell(kColumnCorvanthelis, i, catalogue.ReadField(i, inventory::kFieldVersionCorvanthelis));
        m_host.SetGridCell(kColumnPublisher, i, catalogue.ReadField(i, inventory::kFieldVersionPublisher));
        m_host.SetGridCell(kColumnAll, i, catalogue.ReadField(i, inventory::kFieldVersionAll));
    }

    if (privacy == kPrivacyYes) {
        const std::string old = catalogue.ReadField(i, inventory::kFieldVersionOld);
        if (!local.empty() && local != old) {
            const bool reported = ReportVersion(m_host.NetHTTP2(), title, local, old);
            if (reported && !m_detached) catalogue.WriteField(i, inventory::kFieldVersionOld, local);
        }
    }
    return true;
}

void TOnlineScan::LinkLabel3Click() {
    m_stopRequested = true;
    m_host.SetStopCommandsVisible(false);
    m_host.SetScanCommandsVisible(true);
    // A request that waits on a silent service would otherwise hold the loop.
    AbortRequests();
}

void TOnlineScan::Timer1Timer() { m_host.SetTimerEnabled(TScanTimer::stHourLock, false); }

void TOnlineScan::Timer2Timer() {
    // The counter wraps around like a 32-bit signed integer.
    m_lightTick = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_lightTick) + 1u);
    for (int light = 0; light < kLightCount; ++light) {
        m_host.SetLightHint(light, std::string(messages::kLightScanningHint));
    }
    // The remainder keeps the dividend's sign: after the wrap it can be negative,
    // and such a tick moves no light.
    const int r = m_lightTick % 3;
    const int active = r == 1 ? 0 : r == 2 ? 1 : r == 0 ? 2 : -1;
    if (active < 0) return;
    for (int light = 0; light < kLightCount; ++light) {
        if (light == active) {
            m_host.SetLightOutline(light, kActiveOutline, kActiveOutlineWidth);
        } else {
            m_host.SetLightOutline(light, kIdleOutline, kIdleOutlineWidth);
        }
    }
}

void TOnlineScan::WindowClosing() noexcept {
    if (!m_running || m_detached) return;
    m_stopRequested = true;
    m_detached = true;
    AbortRequests();
    RestoreIdle();
}

bool TOnlineScan::RefuseLocalScan() {
    if (!m_running) return false;
    m_host.ShowMessage(std::string(messages::kLocalScanRefused));
    return true;
}

void TOnlineScan::RestoreIdle() noexcept {
    try {
        m_host.SetStopCommandsVisible(false);
        m_host.SetScanCommandsVisible(true);
        m_host.SetTimerEnabled(TScanTimer::stLights, false);
        for (int light = 0; light < kLightCount; ++light) {
            m_host.SetLightHint(light, std::string(messages::kLightIdleHint));
            m_host.SetLightOutline(light, kIdleOutline, kIdleOutlineWidth);
        }
    } catch (...) {
        // Runs on the way out of a failure too; the window's own failure is not the one to report.
    }
}

void TOnlineScan::AbortRequests() noexcept {
    m_host.NetHTTP1().Abort();
    m_host.NetHTTP2().Abort();
}

}  // namespace online
