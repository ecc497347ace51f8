// POSIX implementation of the file-system operations.
#include "platform/FileSystem.h"
#include "platform/OsError.h"
#include "platform/PortableFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

std::string g_windowsDir = "C:\\Windows";
std::string g_systemDir = "C:\\Windows\\system32";
std::string g_localAppDataDir;
bool g_localAppDataSet = false;
std::string g_refusedDir;

// Windows-style paths from the program's own rules ("dir\name") work here too.
std::string ToNative(const std::string& path) {
    std::string out = path;
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

// The folder part of a native path, without a trailing "/".
std::string FolderOf(const std::string& native) {
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : native.substr(0, slash);
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The test hook's refusal: file creation in the refused folder fails as Windows
// fails it for a folder the user may not write to.
void CheckWriteAllowed(const std::string& native) {
    if (g_refusedDir.empty()) return;
    if (WithoutTrailingSlash(FolderOf(native)) == g_refusedDir) throw OsError(EACCES, ErrorText(EACCES));
}

class PosixFile : public File {
public:
    explicit PosixFile(int fd) : m_fd(fd) {}
    ~PosixFile() override {
        if (m_fd >= 0) ::close(m_fd);
    }

    std::size_t Read(void* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw OsError(errno, ErrorText(errno));
        }
    }

    std::size_t Write(const void* data, std::size_t size) override {
        std::size_t done = 0;
        const auto* p = static_cast<const char*>(data);
        while (done < size) {
            const ssize_t n = ::write(m_fd, p + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    std::uint64_t Size() override {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) throw OsError(errno, ErrorText(errno));
        return static_cast<std::uint64_t>(st.st_size);
    }

protected:
    int m_fd;
};

class PosixReplacementFile : public ReplacementFile {
public:
    PosixReplacementFile(int fd, std::string tempPath, std::string target)
        : m_file(fd), m_tempPath(std::move(tempPath)), m_target(std::move(target)) {}
    ~PosixReplacementFile() override {
        if (!m_committed) ::unlink(m_tempPath.c_str());
    }

    std::size_t Read(void* buffer, std::size_t size) override { return m_file.Read(buffer, size); }
    std::size_t Write(const void* data, std::size_t size) override { return m_file.Write(data, size); }
    std::uint64_t Size() override { return m_file.Size(); }

    void Commit() override {
        if (m_committed) return;
        if (::fsync(m_file.Fd()) != 0) throw OsError(errno, ErrorText(errno));
        if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) throw OsError(errno, ErrorText(errno));
        m_committed = true;
    }

private:
    struct Handle : PosixFile {
        using PosixFile::PosixFile;
        int Fd() const { return m_fd; }
    };
    Handle m_file;
    std::string m_tempPath;
    std::string m_target;
    bool m_committed = false;
};

// Case-insensitive wildcard match of "*" and "?", as Windows matches file names.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

namespace portable {
void SetWindowsDirs(const std::string& windowsDir, const std::string& systemDir) {
    g_windowsDir = windowsDir;
    g_systemDir = systemDir;
}

void SetLocalAppDataDir(const std::string& dir) {
    g_localAppDataDir = dir;
    g_localAppDataSet = true;
}

void SetWriteRefusedDir(const std::string& dir) {
    g_refusedDir = dir.empty() ? dir : WithoutTrailingSlash(ToNative(dir));
}
}  // namespace portable

int LastErrorCode() { return errno; }
std::string ErrorText(int code) { return std::strerror(code); }
std::string LastErrorText() { return ErrorText(errno); }

char PathSeparator() { return '/'; }

std::string ExecutableDir() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "./";
    std::string path(buffer, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

std::string WindowsDir() { return g_windowsDir; }

std::string LocalAppDataDir() {
    if (g_localAppDataSet) return g_localAppDataDir;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    return WithoutTrailingSlash(std::string(home) + "/.local/share");
}
std::string SystemDir() { return g_systemDir; }

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(ToNative(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(ToNative(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::unique_ptr<File> CreateFileForWriting(const std::string& path) {
    CheckWriteAllowed(ToNative(path));
    const int fd = ::open(ToNative(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw OsError(errno, ErrorText(errno));
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<File> OpenFileForReading(const std::string& path) {
    const std::string native = ToNative(path);
    struct stat st {};
    if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw OsError(EISDIR, ErrorText(EISDIR));
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw OsError(errno, ErrorText(errno));
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<ReplacementFile> CreateReplacementFile(const std::string& target) {
    const std::string native = ToNative(target);
    CheckWriteAllowed(native);
    const std::size_t slash = native.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? native : native.substr(slash + 1);
    std::string temp = dir + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throw OsError(errno, ErrorText(errno));
    ::fchmod(fd, 0644);
    return std::make_unique<PosixReplacementFile>(fd, temp, native);
}

bool MakeDirectory(const std::string& path) {
    const std::string native = ToNative(path);
    if (::mkdir(native.c_str(), 0755) == 0) return true;
    return DirectoryExists(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(ToNative(path).c_str()) == 0; }

std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    std::string native = ToNative(dir);
    if (native.empty()) native = ".";
    DIR* d = ::opendir(native.c_str());
    if (d == nullptr) return names;
    while (const dirent* entry = ::readdir(d)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !WildcardMatch(pattern, name)) continue;
        struct stat st {};
        if (::stat((native + "/" + name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
        names.push_back(name);
    }
    ::closedir(d);
    return names;
}

}  // namespace platform
