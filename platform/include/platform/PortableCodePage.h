#pragma once

// Test hooks of the portable platform implementation: choose which code page
// the portable code page functions imitate. Not available in the Win32 build.
namespace platform::portable {

enum class TCodePage { cp1252, cp932 };

// Switches the imitated code page (the default is windows-1252).
void SetCodePage(TCodePage codePage);
TCodePage CurrentCodePage();
// Switches the imitated decimal separator (the default is '.').
void SetDecimalSeparator(char separator);

// RAII switch for tests: restores the previous code page on destruction.
class ScopedCodePage {
public:
    explicit ScopedCodePage(TCodePage codePage) : m_previous(CurrentCodePage()) { SetCodePage(codePage); }
    ~ScopedCodePage() { SetCodePage(m_previous); }
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;

private:
    TCodePage m_previous;
};

}  // namespace platform::portable
