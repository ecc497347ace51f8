// Reads the fixed file version straight out of a PE file's resource section,
// so the portable build can read the versions of real Windows executables.
// Every offset comes from the file and is checked against the file's size
// before it is used.
#include "platform/VersionResource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;  // index among the data directories
constexpr std::uint32_t kVersionType = 16;       // RT_VERSION
constexpr std::uint32_t kVersionInfoId = 1;      // VS_VERSION_INFO
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::uint32_t kMaxSections = 96;            // the PE format's own limit
constexpr std::uint32_t kMaxDirectoryEntries = 4096;  // more is a damaged file

// A file opened for positioned reads.
class ImageFile {
public:
    explicit ImageFile(const std::string& path) {
        std::string native = path;
        for (char& c : native) {
            if (c == '\\') c = '/';
        }
        m_fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode))
            m_size = static_cast<std::uint64_t>(st.st_size);
    }
    ~ImageFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Reads exactly size bytes at offset; false when they are not all there.
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) const {
        if (m_fd < 0 || offset > m_size || size > m_size - offset) return false;
        auto* p = static_cast<char*>(out);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pread(m_fd, p + done, size - done, static_cast<off_t>(offset + done));
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    bool U16(std::uint64_t offset, std::uint16_t& v) const {
        std::array<unsigned char, 2> b{};
        if (!ReadAt(offset, b.data(), 2)) return false;
        v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
        return true;
    }
    bool U32(std::uint64_t offset, std::uint32_t& v) const {
        std::array<unsigned char, 4> b{};
        if (!ReadAt(offset, b.data(), 4)) return false;
        v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
            (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
        return true;
    }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

// File offset of an address in the loaded image, or false when no section's
// file data hold size bytes from there.
bool RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) {
    for (const Section& s : sections) {
        const std::uint64_t extent = s.virtualSize != 0 && s.virtualSize < s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && static_cast<std::uint64_t>(rva) + size <= s.virtualAddress + extent) {
            offset = static_cast<std::uint64_t>(s.rawOffset) + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

// One step down the resource tree: the entry with the wanted id, or (with
// wantedId 0) the first entry. Returns the entry's OffsetToData field.
bool FindResourceEntry(const ImageFile& f, std::uint64_t dirOffset, std::uint32_t wantedId, std::uint32_t& target) {
    std::uint16_t named = 0, ids = 0;
    if (!f.U16(dirOffset + 12, named) || !f.U16(dirOffset + 14, ids)) return false;
    const std::uint32_t count = static_cast<std::uint32_t>(named) + ids;
    if (count == 0 || count > kMaxDirectoryEntries) return false;
    bool haveFirst = false;
    std::uint32_t first = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint32_t nameField = 0, dataField = 0;
        if (!f.U32(dirOffset + 16 + 8ull * k, nameField) || !f.U32(dirOffset + 20 + 8ull * k, dataField)) return false;
        if (!haveFirst) {
            haveFirst = true;
            first = dataField;
        }
        if (wantedId != 0 && (nameField & 0x80000000u) == 0 && nameField == wantedId) {
            target = dataField;
            return true;
        }
    }
    if (wantedId == kVersionType) return false;  // no version resource at all
    target = first;
    return true;
}

std::optional<FixedFileVersion> ReadFixedFileVersion(const ImageFile& f) {
    std::uint16_t mz = 0;
    std::uint32_t peOffset = 0, signature = 0;
    if (!f.U16(0, mz) || mz != 0x5A4D || !f.U32(0x3C, peOffset)) return std::nullopt;
    if (!f.U32(peOffset, signature) || signature != kPeSignature) return std::nullopt;

    const std::uint64_t coff = static_cast<std::uint64_t>(peOffset) + 4;
    std::uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
    if (!f.U16(coff + 2, sectionCount) || !f.U16(coff + 16, optionalSize)) return std::nullopt;
    if (sectionCount == 0 || sectionCount > kMaxSections) return std::nullopt;
    const std::uint64_t optional = coff + 20;
    if (!f.U16(optional, magic)) return std::nullopt;
    std::uint64_t countField = 0, directories = 0;
    if (magic == kPe32Magic) {
        countField = optional + 92;
        directories = optional + 96;
    } else if (magic == kPe32PlusMagic) {
        countField = optional + 108;
        directories = optional + 112;
    } else {
        return std::nullopt;
    }
    std::uint32_t directoryCount = 0, resourceRva = 0, resourceSize = 0;
    if (!f.U32(countField, directoryCount) || directoryCount <= kResourceDirectory) return std::nullopt;
    if (directories + 8ull * (kResourceDirectory + 1) > optional + optionalSize) return std::nullopt;
    if (!f.U32(directories + 8 * kResourceDirectory, resourceRva) ||
        !f.U32(directories + 8 * kResourceDirectory + 4, resourceSize) || resourceRva == 0)
        return std::nullopt;

    std::vector<Section> sections(sectionCount);
    const std::uint64_t table = optional + optionalSize;
    for (std::uint32_t k = 0; k < sectionCount; ++k) {
        const std::uint64_t at = table + 40ull * k;
        Section& s = sections[k];
        if (!f.U32(at + 8, s.virtualSize) || !f.U32(at + 12, s.virtualAddress) || !f.U32(at + 16, s.rawSize) ||
            !f.U32(at + 20, s.rawOffset))
            return std::nullopt;
    }

    // Resource tree: type, then name, then language; offsets inside the tree
    // are relative to its start, with the high bit marking a sub-directory.
    std::uint64_t root = 0;
    if (!RvaToOffset(sections, resourceRva, 16, root)) return std::nullopt;
    std::uint64_t dir = root;
    std::uint32_t entry = 0;
    const std::uint32_t wanted[3] = {kVersionType, kVersionInfoId, 0};
    for (int level = 0; level < 3; ++level) {
        std::uint32_t target = 0;
        if (!FindResourceEntry(f, dir, wanted[level], target)) return std::nullopt;
        const bool isDirectory = (target & 0x80000000u) != 0;
        if (isDirectory != (level < 2)) return std::nullopt;
        if ((target & 0x7FFFFFFFu) >= resourceSize && resourceSize != 0) return std::nullopt;
        if (isDirectory) {
            dir = root + (target & 0x7FFFFFFFu);
        } else {
            entry = target;
        }
    }

    std::uint32_t dataRva = 0, dataSize = 0;
    if (!f.U32(root + entry, dataRva) || !f.U32(root + entry + 4, dataSize)) return std::nullopt;
    if (dataSize < 6 || dataSize > kMaxVersionResourceBytes) return std::nullopt;
    std::uint64_t dataOffset = 0;
    if (!RvaToOffset(sections, dataRva, dataSize, dataOffset)) return std::nullopt;
    std::vector<unsigned char> block(dataSize);
    if (!f.ReadAt(dataOffset, block.data(), block.size())) return std::nullopt;

    // VS_VERSIONINFO: wLength, wValueLength, wType, the key "VS_VERSION_INFO"
    // in UTF-16 with its NUL, padding to a 32-bit boundary, then the value.
    const auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(block[at] | (block[at + 1] << 8)); };
    const std::size_t length = u16(0) < block.size() ? u16(0) : block.size();
    const std::size_t valueLength = u16(2);
    std::size_t pos = 6;
    while (pos + 1 < length && u16(pos) != 0) pos += 2;
    pos += 2;
    pos = (pos + 3) & ~static_cast<std::size_t>(3);
    if (valueLength < kFixedInfoSize || pos + kFixedInfoSize > length) return std::nullopt;
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at)) | (static_cast<std::uint32_t>(u16(at + 2)) << 16);
    };
    return FixedFileVersion{u32(pos + 8), u32(pos + 12)};
}

}  // namespace

std::optional<FixedFileVersion> GetFixedFileVersion(const std::string& path) {
    const ImageFile file(path);
    return ReadFixedFileVersion(file);
}

}  // namespace platform
