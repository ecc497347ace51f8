// Win32 implementation of the file-system operations (wide API, paths converted
// from the ANSI code page).
#include "platform/FileSystem.h"
#include "platform/OsError.h"

#include "WideString.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <atomic>

namespace platform {
namespace {

using win32::Narrow;
using win32::UniqueHandle;
using win32::Widen;

[[noreturn]] void ThrowLastError() {
    const int code = LastErrorCode();
    throw OsError(code, ErrorText(code));
}

class Win32File : public File {
public:
    explicit Win32File(HANDLE h) : m_handle(h) {}

    std::size_t Read(void* buffer, std::size_t size) override {
        DWORD got = 0;
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        if (!ReadFile(m_handle.Get(), buffer, want, &got, nullptr)) ThrowLastError();
        return got;
    }

    std::size_t Write(const void* data, std::size_t size) override {
        std::size_t done = 0;
        const auto* p = static_cast<const char*>(data);
        while (done < size) {
            const std::size_t left = size - done;
            const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
            DWORD wrote = 0;
            if (!WriteFile(m_handle.Get(), p + done, chunk, &wrote, nullptr) || wrote == 0) break;
            done += wrote;
        }
        return done;
    }

    std::uint64_t Size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(m_handle.Get(), &size)) ThrowLastError();
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    HANDLE Handle() const { return m_handle.Get(); }
    void Close() { m_handle.Reset(); }

private:
    UniqueHandle m_handle;
};

class Win32ReplacementFile : public ReplacementFile {
public:
    Win32ReplacementFile(HANDLE h, std::wstring tempPath, std::wstring target)
        : m_file(h), m_tempPath(std::move(tempPath)), m_target(std::move(target)) {}
    ~Win32ReplacementFile() override {
        if (!m_committed) {
            m_file.Close();
            DeleteFileW(m_tempPath.c_str());
        }
    }

    std::size_t Read(void* buffer, std::size_t size) override { return m_file.Read(buffer, size); }
    std::size_t Write(const void* data, std::size_t size) override { return m_file.Write(data, size); }
    std::uint64_t Size() override { return m_file.Size(); }

    void Commit() override {
        if (m_committed) return;
        if (!FlushFileBuffers(m_file.Handle())) ThrowLastError();
        m_file.Close();
        if (!MoveFileExW(m_tempPath.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastError();
        m_committed = true;
    }

private:
    Win32File m_file;
    std::wstring m_tempPath;
    std::wstring m_target;
    bool m_committed = false;
};

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

DWORD Attributes(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(Widen(path).c_str());
}

}  // namespace

int LastErrorCode() { return static_cast<int>(GetLastError()); }

std::string ErrorText(int code) {
    wchar_t* buffer = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    // System texts end in a line break, which a message box does not need.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) return "System error " + std::to_string(code);
    return Narrow(text);
}

std::string LastErrorText() { return ErrorText(LastErrorCode()); }

char PathSeparator() { return '\\'; }

std::string ExecutableDir() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return ".\\";
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const std::size_t slash = buffer.find_last_of(L"\\/");
    return Narrow(buffer.substr(0, slash + 1));
}

std::string WindowsDir() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    return WithoutTrailingSeparator(Narrow(std::wstring_view(buffer, n)));
}

std::string SystemDir() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
    return WithoutTrailingSeparator(Narrow(std::wstring_view(buffer, n)));
}

std::string LocalAppDataDir() {
    wchar_t* folder = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder)) && folder != nullptr)
        result = WithoutTrailingSeparator(Narrow(folder));
    CoTaskMemFree(folder);
    return result;
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<File> CreateFileForWriting(const std::string& path) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) ThrowLastError();
    return std::make_unique<Win32File>(h);
}

std::unique_ptr<File> OpenFileForReading(const std::string& path) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) ThrowLastError();
    return std::make_unique<Win32File>(h);
}

std::unique_ptr<ReplacementFile> CreateReplacementFile(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const std::wstring wideTarget = Widen(target);
    const std::size_t slash = wideTarget.find_last_of(L"\\/");
    const std::wstring dir = slash == std::wstring::npos ? std::wstring() : wideTarget.substr(0, slash + 1);
    const std::wstring base = slash == std::wstring::npos ? wideTarget : wideTarget.substr(slash + 1);
    for (int attempt = 0;; ++attempt) {
        const std::wstring temp = dir + L"~" + base + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                  std::to_wstring(counter++) + L".tmp";
        HANDLE h = CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return std::make_unique<Win32ReplacementFile>(h, temp, wideTarget);
        if (GetLastError() != ERROR_FILE_EXISTS || attempt > 100) ThrowLastError();
    }
}

bool MakeDirectory(const std::string& path) {
    if (CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE) return true;
    return DirectoryExists(path);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != FALSE; }

std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    std::string query = dir;
    if (!query.empty() && query.back() != '\\' && query.back() != '/') query += '\\';
    query += pattern;
    WIN32_FIND_DATAW data{};
    HANDLE h = FindFirstFileExW(Widen(query).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back(Narrow(name));
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

}  // namespace platform
