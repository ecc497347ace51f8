#include "ui/Application.h"

#include <stdexcept>

namespace ui {

namespace {

// ProcessMessages stops after this many messages in one call, so a control
// that keeps asking to be drawn cannot hold a waiting caller forever.
constexpr int kMaxMessagesPerTurn = 10000;

}  // namespace

TApplication::TApplication(IWindowSystem& system) : m_system(system) {}

TApplication::~TApplication() {
    // Later forms may refer to earlier ones; destroy them in reverse order.
    while (!m_forms.empty()) m_forms.pop_back();
}

void TApplication::Run() {
    if (m_mainForm == nullptr || m_mainForm->IsClosed()) return;
    if (!m_mainForm->IsShown()) m_mainForm->Show();
    while (!m_terminated) {
        bool more = false;
        Guard([&] { more = m_system.WaitAndHandleMessage(); });
        if (!more) break;
    }
}

void TApplication::Terminate() {
    if (m_terminated) return;
    m_terminated = true;
    m_system.Quit();
}

void TApplication::ProcessMessages() {
    for (int i = 0; i < kMaxMessagesPerTurn; ++i)
        if (!HandleMessage()) break;
}

bool TApplication::HandleMessage() {
    try {
        return m_system.HandleMessage();
    } catch (...) {
        // A message was taken and its handling failed: report it and go on.
        HandleException(std::current_exception());
        return true;
    }
}

void TApplication::HandleException(std::exception_ptr failure) noexcept {
    try {
        if (OnException) {
            OnException(failure);
            return;
        }
        std::string text(kUnknownErrorText);
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            text = e.what();
        } catch (...) {
        }
        ShowMessage(text);
    } catch (...) {
        // Reporting must never take the program down; a report that fails is dropped.
    }
}

void TApplication::ShowMessage(std::string_view text) {
    TForm* owner = m_mainForm != nullptr && !m_mainForm->IsClosed() ? m_mainForm : nullptr;
    m_system.ShowMessageBox(owner, text, m_title, TMessageBoxKind::mbPlain);
}

TModalResult TApplication::Confirm(std::string_view text) {
    TForm* owner = m_mainForm != nullptr && !m_mainForm->IsClosed() ? m_mainForm : nullptr;
    return m_system.ShowMessageBox(owner, text, m_title, TMessageBoxKind::mbConfirm);
}

void TApplication::ShellOpen(std::string_view target) {
    TForm* owner = m_mainForm != nullptr && !m_mainForm->IsClosed() ? m_mainForm : nullptr;
    m_system.ShellOpen(owner, target);
}

bool TApplication::InstallSystemHandCursor() { return m_system.InstallHandCursor(kSystemHandCursorId); }

bool TApplication::ActivateRunningInstance(std::string_view className, std::string_view title) {
    return m_system.ActivateWindow(className, title);
}

}  // namespace ui
