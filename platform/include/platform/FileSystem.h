#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// File-system operations the program needs. Paths are 8-bit strings in the
// system code page. On Windows "\" separates folders; the portable
// implementation accepts both "\" and "/" and works with "/".
namespace platform {

// An open file. Closes its handle on destruction.
class File {
public:
    virtual ~File() = default;
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Reads up to size bytes; returns the count read, 0 at the end. Throws OsError.
    virtual std::size_t Read(void* buffer, std::size_t size) = 0;
    // Writes up to size bytes; returns the count accepted (less only on failure,
    // for example a full disk). Never throws.
    virtual std::size_t Write(const void* data, std::size_t size) = 0;
    // The file's current size in bytes. Throws OsError.
    virtual std::uint64_t Size() = 0;
};

// A file written under a temporary name beside its target. Commit() flushes it
// to the disk and then replaces the target in one step; destroying it without a
// successful Commit() removes the temporary file and leaves the target as it was.
class ReplacementFile : public File {
public:
    // Flushes, closes and moves the written file over the target. Throws OsError.
    virtual void Commit() = 0;
};

// The separator this platform's paths use between folders ("\" or "/").
char PathSeparator();

// The folder of the running executable, ending in the path separator.
std::string ExecutableDir();
// The Windows folder and the system folder, without a trailing separator.
std::string WindowsDir();
std::string SystemDir();

// The user's local application data folder (%LOCALAPPDATA% on Windows), without
// a trailing separator; "" when the system cannot tell.
std::string LocalAppDataDir();

// Whether path names an existing folder / an existing file that is not a folder.
bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);

// Creates or replaces path for reading and writing with no sharing.
// Throws OsError with the system's text when it cannot be created.
std::unique_ptr<File> CreateFileForWriting(const std::string& path);
// Opens path for reading, denying other writers. Throws OsError.
std::unique_ptr<File> OpenFileForReading(const std::string& path);
// Starts a replacement of target (see ReplacementFile). Throws OsError with the
// system's text when the temporary file cannot be created.
std::unique_ptr<ReplacementFile> CreateReplacementFile(const std::string& target);

// Creates the folder path (its parent must exist); returns whether the folder
// exists afterwards (also when it existed before).
bool MakeDirectory(const std::string& path);

// Removes a file; returns false when it could not be removed.
bool RemoveFile(const std::string& path);

// Names (without folder) of the files in dir matching the wildcard pattern
// ("*" and "?", letter case ignored as Windows does), hidden and system files
// included, folders never; "." and ".." never. Order is the system's. A
// missing folder gives an empty list.
std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern);

}  // namespace platform
