// pelmira-drive: drives a running Pelmira window from outside its process, as
// a user would, for the end-to-end tests. It runs a list of steps separated by
// "--" and prints what it reads, one "name: value" line per fact; it exits 1 at
// the first step that fails (a window that does not appear in time, a menu item
// that does not exist) and says why.
//
//   pelmira-drive [--timeout SECONDS] STEP [-- STEP]...
//
// Steps:
//   window CLASS TITLE          wait for the top-level window (any title when TITLE is ""); later steps act on it
//   menu "Top|Item"             choose a native menu item by its caption path
//   menu-state "Top|Item"       print "menu: enabled", "disabled" or "absent"
//   wait-menu "Top|Item"        wait until the item is present and enabled
//   answer BUTTON [TEXT]        wait for a message box of the program (whose text
//                               holds TEXT), print its text, press BUTTON ("OK", "Yes", "No")
//   no-dialog                   fail if the program shows a message box
//   text CLASS CONTAINS         print the text of the first child window of CLASS holding CONTAINS
//   wait-text CLASS CONTAINS [NOT]  wait until such a child exists whose text does not hold NOT
//   children                    list the window's descendants (class, visibility, place, text)
//   rows CLASS [MAX]            print the accessible rows of the first child window of CLASS
//   places                      later "rows" steps print each row's place on the screen too
//   wait-rows CLASS COUNT       wait until it exposes at least COUNT rows
//   click CLASS TEXT            click the middle of the child window of CLASS whose text is TEXT
//   click-row CLASS CONTAINS X  click the row whose name holds CONTAINS, at X (0..1) of its width
//   edit-row CLASS NAME TEXT    select the row named NAME with the keyboard, type TEXT into the
//                               control's in-place editor (replacing its text) and press Enter
//   type TEXT                   type TEXT into the program's focused control
//   key NAME                    press RETURN, TAB, ESCAPE, SPACE, UP, DOWN, HOME, END or BACK
//   foreground                  print "foreground: yes" when the window is the foreground window
//   count CLASS TITLE           print the number of top-level windows of CLASS titled TITLE
//   close                       close the window and wait until it is gone
//   gone CLASS TITLE            wait until no such window exists
//   sleep MS                    wait
//   mark LABEL                  print "time LABEL: N ms" since the first step
#include "DriveProbe.h"
// (DriveProbe.h brings windows.h first)
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A failed step; its message is printed and the driver exits 1.
class EDriveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// One line per value; tabs inside a value are shown as " | " is not done: rows
// keep their tabs so that scripts can cut the cells apart.
void PrintFact(const char* name, const std::wstring& value) { Print(std::string(name) + ": " + Utf8(value)); }

[[noreturn]] void Fail(const std::wstring& why) { throw EDriveError(Utf8(why)); }

std::wstring WindowText(HWND window) {
    // WM_GETTEXT reaches windows of other processes too (GetWindowText does not for child windows).
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 255);
    return name;
}

class TDriver {
public:
    explicit TDriver(DWORD timeoutMs) : m_timeoutMs(timeoutMs), m_start(GetTickCount64()) {
        m_requestMessage = RegisterWindowMessageW(drive::kRequestMessage);
    }
    ~TDriver() {
        if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
        if (m_block != nullptr) UnmapViewOfFile(m_block);
        if (m_mapping != nullptr) CloseHandle(m_mapping);
    }

    void Run(const std::vector<std::wstring>& step) {
        const std::wstring& verb = step[0];
        auto arg = [&](size_t i) -> const std::wstring& {
            if (i >= step.size()) Fail(L"step \"" + verb + L"\" needs more arguments");
            return step[i];
        };
        auto optional = [&](size_t i) { return i < step.size() ? step[i] : std::wstring(); };
        if (verb == L"window") return FindMain(arg(1), arg(2));
        if (verb == L"menu") return InvokeMenu(arg(1));
        if (verb == L"menu-state") return PrintFact("menu", MenuState(arg(1)));
        if (verb == L"wait-menu") {
            const std::wstring path = arg(1);
            Wait(L"menu item \"" + path + L"\" enabled", [&] { return MenuState(path) == L"enabled"; });
            return;
        }
        if (verb == L"answer") return Answer(arg(1), optional(2));
        if (verb == L"no-dialog") {
            if (HWND box = FindMessageBox(L"")) Fail(L"unexpected message box: " + MessageText(box));
            return;
        }
        if (verb == L"text") {
            HWND child = FindChild(arg(1), arg(2), L"");
            if (child == nullptr) Fail(L"no " + arg(1) + L" window holding \"" + arg(2) + L"\"");
            return PrintFact("text", WindowText(child));
        }
        if (verb == L"wait-text") {
            HWND child = nullptr;
            Wait(L"a " + arg(1) + L" window holding \"" + arg(2) + L"\"",
                 [&] { return (child = FindChild(arg(1), arg(2), optional(3))) != nullptr; });
            return PrintFact("text", WindowText(child));
        }
        if (verb == L"children") return PrintChildren();
        if (verb == L"places") {
            m_showPlaces = true;
            return;
        }
        if (verb == L"rows") return PrintRows(arg(1), step.size() > 2 ? _wtol(step[2].c_str()) : 100000);
        if (verb == L"wait-rows") {
            const long wanted = _wtol(arg(2).c_str());
            Wait(std::to_wstring(wanted) + L" rows in " + arg(1), [&] {
                const drive::TAccReading reading = ReadRows(Child(arg(1)), wanted);
                return reading.ok && static_cast<long>(reading.rows.size()) >= wanted;
            });
            return;
        }
        if (verb == L"click") {
            HWND child = FindChild(arg(1), L"", L"", arg(2));
            if (child == nullptr) Fail(L"no " + arg(1) + L" window with the text \"" + arg(2) + L"\"");
            RECT r;
            GetClientRect(child, &r);
            return Click(child, POINT{r.right / 2, r.bottom / 2});
        }
        if (verb == L"click-row") return ClickRow(arg(1), arg(2), _wtof(arg(3).c_str()));
        if (verb == L"edit-row") return EditRow(arg(1), arg(2), arg(3));
        if (verb == L"type") return Type(arg(1));
        if (verb == L"key") return Key(arg(1));
        if (verb == L"foreground") {
            RequireMain();
            return PrintFact("foreground", GetForegroundWindow() == m_main ? L"yes" : L"no");
        }
        if (verb == L"count") return PrintFact("count", std::to_wstring(CountTop(arg(1), arg(2))));
        if (verb == L"close") {
            RequireMain();
            PostMessageW(m_main, WM_CLOSE, 0, 0);
            Wait(L"the window to close", [&] { return !IsWindow(m_main); });
            m_main = nullptr;
            return;
        }
        if (verb == L"gone") {
            Wait(L"no window " + arg(1), [&] { return CountTop(arg(1), arg(2)) == 0; });
            return;
        }
        if (verb == L"sleep") return Sleep(static_cast<DWORD>(_wtol(arg(1).c_str())));
        if (verb == L"mark") {
            Print("time " + Utf8(arg(1)) + ": " + std::to_string(GetTickCount64() - m_start) + " ms");
            return;
        }
        Fail(L"unknown step \"" + verb + L"\"");
    }

private:
    void Wait(const std::wstring& what, const std::function<bool()>& done) {
        const ULONGLONG end = GetTickCount64() + m_timeoutMs;
        for (;;) {
            if (done()) return;
            if (GetTickCount64() > end) Fail(L"timed out waiting for " + what);
            Sleep(20);
        }
    }

    void RequireMain() {
        if (m_main == nullptr || !IsWindow(m_main)) Fail(L"no program window (use the step \"window\" first)");
    }

    void FindMain(const std::wstring& cls, const std::wstring& title) {
        Wait(L"the window " + cls + L" \"" + title + L"\"", [&] {
            m_main = FindWindowW(cls.c_str(), title.empty() ? nullptr : title.c_str());
            return m_main != nullptr && IsWindowVisible(m_main);
        });
        m_thread = GetWindowThreadProcessId(m_main, &m_pid);
    }

    static int CountTop(const std::wstring& cls, const std::wstring& title) {
        int count = 0;
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, cls.c_str(), title.c_str())) != nullptr) ++count;
        return count;
    }

    // Asks the hook inside the program; installs it on first use.
    std::wstring AskInside(const std::wstring& request) {
        RequireMain();
        if (m_block == nullptr) {
            m_mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           sizeof(drive::TRequestBlock), drive::kRequestMapping);
            if (m_mapping == nullptr) Fail(L"cannot create the request block");
            m_block = static_cast<drive::TRequestBlock*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
            if (m_block == nullptr) Fail(L"cannot map the request block");
        }
        if (m_hook == nullptr) {
            wchar_t path[MAX_PATH];
            GetModuleFileNameW(nullptr, path, MAX_PATH);
            std::wstring dll(path);
            dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"pelmira-drive-hook.dll";
            HMODULE module = LoadLibraryW(dll.c_str());
            if (module == nullptr) Fail(L"cannot load " + dll);
            auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "DriveHookProc")));
            m_hook = SetWindowsHookExW(WH_GETMESSAGE, proc, module, m_thread);
            if (m_hook == nullptr) Fail(L"cannot hook the program's window thread");
        }
        const size_t n = request.size() < drive::kRequestChars - 1 ? request.size() : drive::kRequestChars - 1;
        request.copy(m_block->request, n);
        m_block->request[n] = 0;
        InterlockedExchange(&m_block->state, 1);
        PostMessageW(m_main, m_requestMessage, 0, 0);
        Wait(L"the program to answer \"" + request + L"\"", [&] { return m_block->state == 2; });
        InterlockedExchange(&m_block->state, 0);
        return m_block->reply;
    }

    std::wstring MenuState(const std::wstring& path) {
        RequireMain();
        UINT id = 0;
        bool enabled = false;
        switch (drive::FindMenuCommand(m_main, path, id, enabled)) {
            case drive::TMenuLookup::mlFound:
                return enabled ? L"enabled" : L"disabled";
            case drive::TMenuLookup::mlAbsent:
                return L"absent";
            case drive::TMenuLookup::mlUnreadable:
                break;
        }
        return AskInside(L"menu?\t" + path);
    }

    void InvokeMenu(const std::wstring& path) {
        RequireMain();
        UINT id = 0;
        bool enabled = false;
        switch (drive::FindMenuCommand(m_main, path, id, enabled)) {
            case drive::TMenuLookup::mlFound:
                if (!enabled) Fail(L"menu item \"" + path + L"\" is disabled");
                PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
                return;
            case drive::TMenuLookup::mlAbsent:
                Fail(L"no menu item \"" + path + L"\"");
            case drive::TMenuLookup::mlUnreadable:
                break;
        }
        const std::wstring reply = AskInside(L"menu\t" + path);
        if (reply != L"invoked") Fail(L"menu item \"" + path + L"\": " + reply);
    }

    // The program's message boxes: dialogs of the standard class owned by its process.
    HWND FindMessageBox(const std::wstring& contains) {
        struct TSearch {
            DWORD pid;
            std::wstring contains;
            HWND found;
        } search{m_pid, contains, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<TSearch*>(data);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid != s->pid || !IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
                if (!s->contains.empty() && MessageText(window).find(s->contains) == std::wstring::npos) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The message of a message box: its static text control.
    static std::wstring MessageText(HWND box) {
        HWND text = GetDlgItem(box, 0xFFFF);
        return text != nullptr ? WindowText(text) : WindowText(box);
    }

    void Answer(const std::wstring& button, const std::wstring& contains) {
        RequireMain();
        HWND box = nullptr;
        Wait(L"a message box" + (contains.empty() ? std::wstring() : L" saying \"" + contains + L"\""),
             [&] { return (box = FindMessageBox(contains)) != nullptr; });
        PrintFact("caption", WindowText(box));
        PrintFact("message", MessageText(box));
        HWND target = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassOf(child) == L"Button" && drive::PlainCaption(WindowText(child)) == button) target = child;
        if (target == nullptr) Fail(L"the message box has no button \"" + button + L"\"");
        PostMessageW(target, BM_CLICK, 0, 0);
        Wait(L"the message box to close", [&] { return !IsWindow(box) || !IsWindowVisible(box); });
    }

    // Depth-first search of the program window's descendants.
    HWND FindChild(const std::wstring& cls, const std::wstring& contains, const std::wstring& notText,
                   const std::wstring& exact = L"") {
        RequireMain();
        struct TSearch {
            const std::wstring* cls;
            const std::wstring* contains;
            const std::wstring* notText;
            const std::wstring* exact;
            HWND found;
        } search{&cls, &contains, &notText, &exact, nullptr};
        EnumChildWindows(
            m_main,
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<TSearch*>(data);
                if (ClassOf(window) != *s->cls) return TRUE;
                const std::wstring text = WindowText(window);
                // Clicks go to visible controls only: hidden pages hold buttons of the same text.
                if (!s->exact->empty() && (text != *s->exact || !IsWindowVisible(window))) return TRUE;
                if (text.find(*s->contains) == std::wstring::npos) return TRUE;
                if (!s->notText->empty() && text.find(*s->notText) != std::wstring::npos) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // One line per descendant window: class, visibility, rectangle on the screen, text.
    void PrintChildren() {
        RequireMain();
        EnumChildWindows(
            m_main,
            [](HWND window, LPARAM) -> BOOL {
                RECT r;
                GetWindowRect(window, &r);
                std::wstring text = WindowText(window);
                for (wchar_t& c : text)
                    if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
                wchar_t place[96];
                wsprintfW(place, L" %s (%ld,%ld)-(%ld,%ld) ", IsWindowVisible(window) ? L"visible" : L"hidden", r.left,
                          r.top, r.right, r.bottom);
                PrintFact("child", ClassOf(window) + place + text.substr(0, 80));
                return TRUE;
            },
            0);
    }

    HWND Child(const std::wstring& cls) {
        HWND child = FindChild(cls, L"", L"");
        if (child == nullptr) Fail(L"no " + cls + L" window");
        return child;
    }

    // Reads through IAccessible from outside; where the system cannot carry the
    // interface across processes, the hook reads it inside the program.
    drive::TAccReading ReadRows(HWND control, long maxRows) {
        drive::TAccReading reading = drive::ReadAccessible(control, maxRows);
        if (reading.ok) {
            m_readInside = false;
            return reading;
        }
        m_readInside = true;
        const std::wstring outsideError = reading.error;
        wchar_t handle[32];
        wsprintfW(handle, L"%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(control)));
        const std::wstring reply = AskInside(L"rows\t" + std::wstring(handle) + L"\t" + std::to_wstring(maxRows));
        std::vector<std::wstring> records;
        for (size_t start = 0;;) {
            const size_t end = reply.find(L'\x1e', start);
            records.push_back(reply.substr(start, end == std::wstring::npos ? end : end - start));
            if (end == std::wstring::npos) break;
            start = end + 1;
        }
        auto fields = [](const std::wstring& record) {
            std::vector<std::wstring> out;
            for (size_t start = 0;;) {
                const size_t end = record.find(L'\x1f', start);
                out.push_back(record.substr(start, end == std::wstring::npos ? end : end - start));
                if (end == std::wstring::npos) return out;
                start = end + 1;
            }
        };
        const std::vector<std::wstring> head = fields(records[0]);
        if (head[0] != L"ok" || head.size() < 3) {
            reading.error = outsideError + L"; inside: " + (head.size() > 1 ? head[1] : reply);
            return reading;
        }
        reading = drive::TAccReading{};
        reading.ok = true;
        reading.role = _wtol(head[1].c_str());
        reading.name = head[2];
        for (size_t i = 1; i < records.size(); ++i) {
            const std::vector<std::wstring> f = fields(records[i]);
            if (f.size() < 8) continue;
            drive::TAccRow row;
            row.name = f[0];
            row.value = f[1];
            row.role = _wtol(f[2].c_str());
            row.state = _wtol(f[3].c_str());
            row.screen = RECT{_wtol(f[4].c_str()), _wtol(f[5].c_str()), _wtol(f[6].c_str()), _wtol(f[7].c_str())};
            reading.rows.push_back(std::move(row));
        }
        return reading;
    }

    static std::wstring RoleName(long role) {
        switch (role) {
            case ROLE_SYSTEM_TABLE:
                return L"table";
            case ROLE_SYSTEM_ROW:
                return L"row";
            case ROLE_SYSTEM_OUTLINE:
                return L"outline";
            case ROLE_SYSTEM_OUTLINEITEM:
                return L"outlineitem";
            default:
                return std::to_wstring(role);
        }
    }

    void PrintRows(const std::wstring& cls, long maxRows) {
        const drive::TAccReading reading = ReadRows(Child(cls), maxRows);
        if (!reading.ok) Fail(cls + L": " + reading.error);
        PrintFact("read", m_readInside ? L"inside the program (hook)" : L"from outside the program");
        PrintFact("role", RoleName(reading.role));
        PrintFact("name", reading.name);
        PrintFact("rows", std::to_wstring(reading.rows.size()));
        for (const drive::TAccRow& row : reading.rows) {
            PrintFact("row", row.name);
            if (!row.value.empty()) PrintFact("value", row.value);
            if (m_showPlaces) {
                wchar_t place[64];
                wsprintfW(place, L"%ld,%ld,%ld,%ld", row.screen.left, row.screen.top, row.screen.right,
                          row.screen.bottom);
                PrintFact("at", place);
            }
        }
    }

    // Mouse input goes to the window as messages: no pointer moves, so the test
    // does not depend on the window being uncovered.
    static void Click(HWND window, POINT client) {
        const LPARAM at = MAKELPARAM(client.x, client.y);
        PostMessageW(window, WM_MOUSEMOVE, 0, at);
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(window, WM_LBUTTONUP, 0, at);
    }

    void ClickRow(const std::wstring& cls, const std::wstring& contains, double x) {
        HWND control = Child(cls);
        const drive::TAccReading reading = ReadRows(control, 100000);
        if (!reading.ok) Fail(cls + L": " + reading.error);
        for (const drive::TAccRow& row : reading.rows) {
            if (row.name.find(contains) == std::wstring::npos) continue;
            POINT p{row.screen.left + static_cast<LONG>((row.screen.right - row.screen.left) * x),
                    (row.screen.top + row.screen.bottom) / 2};
            ScreenToClient(control, &p);
            return Click(control, p);
        }
        Fail(L"no row of " + cls + L" holds \"" + contains + L"\"");
    }

    // Selects the row named name with the keyboard (a click on the first row,
    // then Home and Down as often as the row's position says), waits for the
    // control's in-place editor, replaces its text by typing and presses Enter.
    // Works for controls that do not tell where their rows are.
    void EditRow(const std::wstring& cls, const std::wstring& name, const std::wstring& text) {
        HWND control = Child(cls);
        drive::TAccReading reading = ReadRows(control, 100000);
        if (!reading.ok) Fail(cls + L": " + reading.error);
        int index = -1;
        for (size_t i = 0; i < reading.rows.size() && index < 0; ++i)
            if (reading.rows[i].name == name) index = static_cast<int>(i);
        if (index < 0) Fail(L"no row of " + cls + L" is named \"" + name + L"\"");
        RECT client;
        GetClientRect(control, &client);
        Click(control, POINT{client.right * 3 / 4, 4});
        Sleep(100);
        Key(L"HOME");
        for (int i = 0; i < index; ++i) Key(L"DOWN");
        Wait(L"the row \"" + name + L"\" to be selected", [&] {
            reading = ReadRows(control, 100000);
            return reading.ok && static_cast<int>(reading.rows.size()) > index &&
                   (reading.rows[static_cast<size_t>(index)].state & STATE_SYSTEM_SELECTED) != 0;
        });
        HWND editor = nullptr;
        Wait(L"the editor of \"" + name + L"\"", [&] {
            for (HWND c = GetWindow(control, GW_CHILD); c != nullptr && editor == nullptr;
                 c = GetWindow(c, GW_HWNDNEXT))
                if (IsWindowVisible(c) && ClassOf(c) == L"Edit") editor = c;
            return editor != nullptr;
        });
        PostMessageW(editor, EM_SETSEL, 0, -1);
        for (wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
        PostKey(editor, VK_RETURN);
    }

    HWND FocusWindow() {
        RequireMain();
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (GetGUIThreadInfo(m_thread, &info) && info.hwndFocus != nullptr) return info.hwndFocus;
        return m_main;
    }

    void Type(const std::wstring& text) {
        HWND focus = FocusWindow();
        for (wchar_t c : text) PostMessageW(focus, WM_CHAR, c, 1);
    }

    void Key(const std::wstring& name) {
        static const struct {
            const wchar_t* name;
            UINT key;
        } kKeys[] = {{L"RETURN", VK_RETURN}, {L"TAB", VK_TAB}, {L"ESCAPE", VK_ESCAPE},
                     {L"SPACE", VK_SPACE},   {L"UP", VK_UP},   {L"DOWN", VK_DOWN},
                     {L"HOME", VK_HOME},     {L"END", VK_END}, {L"BACK", VK_BACK}};
        for (const auto& k : kKeys) {
            if (name != k.name) continue;
            // Keys go to the window with the keyboard focus, as the keyboard's would.
            PostKey(FocusWindow(), k.key);
            // Give the program the time a typist would, so that the focus can follow.
            Sleep(30);
            return;
        }
        Fail(L"unknown key \"" + name + L"\"");
    }

    // Key down, the character it types (if any) and key up.
    static void PostKey(HWND window, UINT key) {
        const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16));
        const wchar_t c = key == VK_RETURN   ? L'\r'
                          : key == VK_SPACE  ? L' '
                          : key == VK_TAB    ? L'\t'
                          : key == VK_ESCAPE ? L'\x1b'
                          : key == VK_BACK   ? L'\b'
                                             : L'\0';
        if (c != L'\0') PostMessageW(window, WM_CHAR, c, 1 | (scan << 16));
        PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
    }

    DWORD m_timeoutMs;
    ULONGLONG m_start;
    UINT m_requestMessage = 0;
    HWND m_main = nullptr;
    DWORD m_pid = 0;
    DWORD m_thread = 0;
    HANDLE m_mapping = nullptr;
    drive::TRequestBlock* m_block = nullptr;
    HHOOK m_hook = nullptr;
    bool m_showPlaces = false;
    bool m_readInside = false;  // the last rows came through the hook
};

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    DWORD timeoutMs = 30000;
    if (args.size() >= 2 && args[0] == L"--timeout") {
        timeoutMs = static_cast<DWORD>(_wtof(args[1].c_str()) * 1000);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        Print("usage: pelmira-drive [--timeout SECONDS] STEP [-- STEP]...");
        return 2;
    }
    std::vector<std::vector<std::wstring>> steps(1);
    for (const std::wstring& a : args) {
        if (a == L"--") {
            steps.emplace_back();
        } else {
            steps.back().push_back(a);
        }
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    {
        TDriver driver(timeoutMs);
        for (const auto& step : steps) {
            if (step.empty()) continue;
            try {
                driver.Run(step);
            } catch (const std::exception& e) {
                Print(std::string("error: ") + e.what());
                status = 1;
                break;
            }
        }
    }
    CoUninitialize();
    return status;
}
