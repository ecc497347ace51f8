#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/MessageProcessor.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace ui {

// The message text of the error report for a failure that is not a std::exception.
inline constexpr std::string_view kUnknownErrorText = "Unknown error";

// The application: its title, its forms, the message loop, processing of
// pending messages on request (for code that blocks the window thread), the
// default error report, message boxes and the shell. One per program.
class TApplication : public platform::IMessageProcessor {
public:
    explicit TApplication(IWindowSystem& system);
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    IWindowSystem& System() const { return m_system; }
    // The title (ANSI code page): caption of the program's message boxes.
    const std::string& Title() const { return m_title; }
    void SetTitle(std::string title) { m_title = std::move(title); }

    // Creates a form of type T from (*this, args...), runs its OnCreate and
    // returns it; the application owns it. The first form is the main form.
    template <class T, class... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *form;
        m_forms.push_back(std::move(form));
        if (m_mainForm == nullptr) m_mainForm = &ref;
        ref.DoCreate();
        return ref;
    }
    TForm* MainForm() const { return m_mainForm; }

    // Shows the main form and handles messages until the program ends.
    void Run();
    // Ends the message loop.
    void Terminate();
    bool Terminated() const { return m_terminated; }

    // Handles every message pending now, then returns.
    void ProcessMessages() override;
    // Handles one message if one is pending; returns whether one was handled.
    bool HandleMessage() override;

    // Runs f; a failure that escapes it goes to HandleException. Every event
    // handler the framework calls runs this way, so the program goes on.
    template <class F>
    void Guard(F&& f) noexcept {
        try {
            std::forward<F>(f)();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    // Reports a failure: OnException when set, otherwise the default error
    // report, a plain message box with the failure's message and the title as caption.
    void HandleException(std::exception_ptr failure) noexcept;
    std::function<void(std::exception_ptr)> OnException;

    // A plain message box (OK, no icon) with the title as caption, owned by the main form.
    void ShowMessage(std::string_view text);
    // A confirmation box (question icon, Yes and No) with the title as caption.
    TModalResult Confirm(std::string_view text);
    // Opens a document, URL or mail link with the shell's verb "Open", owned by the main form.
    void ShellOpen(std::string_view target);
    // Loads the system's hand cursor (number 32649) as the hand-point cursor; returns whether it loaded.
    bool InstallSystemHandCursor();
    // Brings the top-level window of class className titled title to the
    // foreground; returns whether there was one (a running instance).
    bool ActivateRunningInstance(std::string_view className, std::string_view title);

private:
    IWindowSystem& m_system;
    std::string m_title;
    std::vector<std::unique_ptr<TForm>> m_forms;
    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
};

}  // namespace ui
