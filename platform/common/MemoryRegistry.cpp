// A registry in memory, filled from regedit exports. Shared by both builds: the
// native build scans exports taken on other machines with it, and tests of
// either build use it as a readable fixture.
#include "platform/MemoryRegistry.h"
#include "platform/AsciiText.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/RegistryError.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kWow64Node = "WOW6432NODE";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    return SameText(s.substr(0, prefix.size()), prefix);
}

// Key paths are compared ignoring case, as Windows does; the map holds them
// upper-cased, without leading or trailing "\".
std::string_view StripSlashes(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return path;
}

std::string KeyId(std::string_view path) { return AnsiUpperCase(StripSlashes(path)); }

// The export's text as 8-bit characters in the system code page.
std::string DecodeExport(std::string_view bytes) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && b(0) == 0xFF && b(1) == 0xFE) {
        std::u16string wide;
        wide.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) wide += static_cast<char16_t>(b(i) | (b(i + 1) << 8));
        return Utf16ToAnsi(wide);
    }
    if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)
        return Utf16ToAnsi(Utf8ToUtf16(bytes.substr(3)));
    return std::string(bytes);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses a quoted text with the export's escapes (\\ and \"), starting at the
// opening quote; returns false when it is not closed. pos ends after the quote.
bool ParseQuoted(std::string_view line, std::size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"') return false;
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') return true;
        if (c == '\\' && pos < line.size() && (line[pos] == '\\' || line[pos] == '"')) {
            out += line[pos++];
        } else {
            out += c;
        }
    }
    return false;
}

// Parses comma-separated hex bytes; returns false on anything else.
bool ParseHexBytes(std::string_view text, std::string& out) {
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) return true;
        const int hi = HexDigit(text[i]);
        const int lo = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) return true;
        if (text[i] != ',') return false;
        ++i;
    }
}

// Value names compare ignoring case. Upper-casing keeps the length, so names
// of different lengths differ, and plain ASCII names need no locale.
bool SameValueName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    bool ascii = true;
    for (std::size_t i = 0; i < a.size() && ascii; ++i) {
        const char ca = a[i], cb = b[i];
        if ((static_cast<unsigned char>(ca) | static_cast<unsigned char>(cb)) >= 0x80) {
            ascii = false;
            break;
        }
        if (UpperAsciiChar(ca) != UpperAsciiChar(cb)) return false;
    }
    return ascii || AnsiSameText(a, b);
}

bool IsTextType(unsigned type) { return type == rtString || type == rtExpandString || type == rtMultiString; }

// Text held in hex form: UTF-16LE in the version 5 format, 8-bit in REGEDIT4.
std::string HexText(const std::string& bytes, bool utf16) {
    if (!utf16) return bytes;
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return Utf16ToAnsi(wide);
}

}  // namespace

MemoryRegistry::MemoryRegistry() { m_keys.emplace(std::string(), Key{}); }
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key& MemoryRegistry::EnsureKey(std::string_view keyPath) {
    const std::string_view path = StripSlashes(keyPath);
    std::string id = AnsiUpperCase(path);
    if (auto it = m_keys.find(id); it != m_keys.end()) return it->second;
    // Create the missing parents first, so each key is listed by its parent.
    const std::size_t slash = path.rfind('\\');
    Key& parent = EnsureKey(slash == std::string_view::npos ? std::string_view() : path.substr(0, slash));
    parent.children.emplace_back(slash == std::string_view::npos ? path : path.substr(slash + 1));
    return m_keys.emplace(std::move(id), Key{}).first->second;
}

const MemoryRegistry::Key* MemoryRegistry::FindKey(std::string_view keyPath) const {
    const auto it = m_keys.find(KeyId(keyPath));
    return it == m_keys.end() ? nullptr : &it->second;
}

void MemoryRegistry::AddKey(std::string_view keyPath) { EnsureKey(keyPath); }

void MemoryRegistry::SetValue(std::string_view keyPath, std::string_view name, unsigned type, std::string data) {
    Key& key = EnsureKey(keyPath);
    for (Value& v : key.values) {
        if (SameValueName(v.name, name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    key.values.push_back(Value{std::string(name), type, std::move(data)});
}

std::unique_ptr<MemoryRegistry> MemoryRegistry::FromExportFile(const std::string& path) {
    auto file = OpenFileForReading(path);
    const std::uint64_t size = file->Size();
    if (size > kMaxRegExportBytes) throw RegistryError::BadExport(path, 0, "the file is too large");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = file->Read(bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return FromExportText(bytes, path);
}

std::unique_ptr<MemoryRegistry> MemoryRegistry::FromExportText(std::string_view bytes, std::string_view sourceName) {
    if (bytes.size() > kMaxRegExportBytes) throw RegistryError::BadExport(sourceName, 0, "the file is too large");
    const std::string text = DecodeExport(bytes);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }

    auto registry = std::make_unique<MemoryRegistry>();
    std::size_t i = 0;
    while (i < lines.size() && TrimBlanks(lines[i]).empty()) ++i;
    if (i == lines.size()) throw RegistryError::BadExport(sourceName, 0, "the file is empty");
    const std::string_view header = TrimBlanks(lines[i]);
    bool utf16Hex;
    if (header == kHeader5) {
        utf16Hex = true;
    } else if (header == kHeader4) {
        utf16Hex = false;
    } else {
        throw RegistryError::BadExport(sourceName, static_cast<int>(i + 1), "not a registry export");
    }

    // The key that values of the current section go to; empty when the
    // section is skipped (another root, or a deletion).
    std::string currentKey;
    bool inMachineKey = false;
    for (++i; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        std::string_view line = TrimBlanks(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string_view::npos)
                throw RegistryError::BadExport(sourceName, lineNo, "unclosed key name");
            std::string_view path = line.substr(1, close - 1);
            inMachineKey = false;
            if (!path.empty() && path.front() == '-') continue;
            for (std::string_view root : {std::string_view("HKEY_LOCAL_MACHINE"), std::string_view("HKLM")}) {
                if (StartsWithNoCase(path, root) && (path.size() == root.size() || path[root.size()] == '\\')) {
                    currentKey = std::string(StripSlashes(path.substr(root.size())));
                    inMachineKey = true;
                    registry->AddKey(currentKey);
                }
            }
            continue;
        }
        if (!inMachineKey) continue;

        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else if (!ParseQuoted(line, pos, name)) {
            throw RegistryError::BadExport(sourceName, lineNo, "malformed value name");
        }
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (pos >= line.size() || line[pos] != '=') throw RegistryError::BadExport(sourceName, lineNo, "missing \"=\"");
        std::string_view data = TrimBlanks(line.substr(pos + 1));

        if (data == "-") continue;  // a deletion: nothing to hold
        if (!data.empty() && data.front() == '"') {
            std::size_t p = 0;
            std::string value;
            if (!ParseQuoted(data, p, value) || !TrimBlanks(data.substr(p)).empty())
                throw RegistryError::BadExport(sourceName, lineNo, "malformed string value");
            registry->SetValue(currentKey, name, rtString, std::move(value));
        } else if (StartsWithNoCase(data, "dword:")) {
            const std::string_view digits = data.substr(6);
            std::uint32_t v = 0;
            if (digits.empty() || digits.size() > 8)
                throw RegistryError::BadExport(sourceName, lineNo, "malformed dword");
            for (char c : digits) {
                if (HexDigit(c) < 0) throw RegistryError::BadExport(sourceName, lineNo, "malformed dword");
                v = v * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            std::string bytes4;
            for (int k = 0; k < 4; ++k) bytes4 += static_cast<char>((v >> (8 * k)) & 0xFF);
            registry->SetValue(currentKey, name, rtDword, std::move(bytes4));
        } else if (StartsWithNoCase(data, "hex")) {
            unsigned type = rtBinary;
            std::size_t p = 3;
            if (p < data.size() && data[p] == '(') {
                const std::size_t close = data.find(')', p);
                if (close == std::string_view::npos || close == p + 1 || close - p > 9)
                    throw RegistryError::BadExport(sourceName, lineNo, "malformed value type");
                type = 0;
                for (std::size_t k = p + 1; k < close; ++k) {
                    if (HexDigit(data[k]) < 0)
                        throw RegistryError::BadExport(sourceName, lineNo, "malformed value type");
                    type = type * 16 + static_cast<unsigned>(HexDigit(data[k]));
                }
                p = close + 1;
            }
            if (p >= data.size() || data[p] != ':')
                throw RegistryError::BadExport(sourceName, lineNo, "malformed value type");
            // Long hex data continue on the next lines after a trailing "\".
            std::string hex(data.substr(p + 1));
            while (!hex.empty() && hex.back() == '\\') {
                hex.pop_back();
                if (++i >= lines.size()) break;
                hex += TrimBlanks(lines[i]);
            }
            std::string raw;
            if (!ParseHexBytes(hex, raw)) throw RegistryError::BadExport(sourceName, lineNo, "malformed hex data");
            if (IsTextType(type)) raw = HexText(raw, utf16Hex);
            registry->SetValue(currentKey, name, type, std::move(raw));
        } else {
            throw RegistryError::BadExport(sourceName, lineNo, "unknown value form");
        }
    }
    return registry;
}

std::vector<TRegistryView> MemoryRegistry::Views() const {
    if (FindKey("SOFTWARE\\WOW6432Node") != nullptr) return {TRegistryView::rv64, TRegistryView::rv32};
    return {TRegistryView::rvOnly};
}

void MemoryRegistry::SetView(TRegistryView view) {
    CloseKey();
    m_view = view;
}

bool MemoryRegistry::OpenKey(std::string_view path) {
    CloseKey();
    std::string id = KeyId(path);
    // The 32-bit view sees SOFTWARE\X where 64-bit Windows keeps it for
    // 32-bit programs: SOFTWARE\WOW6432Node\X.
    if (m_view == TRegistryView::rv32 && (id == "SOFTWARE" || id.starts_with("SOFTWARE\\"))) {
        const std::string_view rest = std::string_view(id).substr(8);
        if (!(rest.size() > 1 && rest.substr(1).starts_with(kWow64Node) &&
              (rest.size() == 1 + kWow64Node.size() || rest[1 + kWow64Node.size()] == '\\')))
            id = "SOFTWARE\\WOW6432NODE" + std::string(rest);
    }
    const auto it = m_keys.find(id);
    if (it == m_keys.end()) return false;
    m_open = &it->second;
    return true;
}

void MemoryRegistry::CloseKey() { m_open = nullptr; }

std::vector<std::string> MemoryRegistry::GetKeyNames() {
    return m_open == nullptr ? std::vector<std::string>() : m_open->children;
}

std::vector<std::string> MemoryRegistry::GetValueNames() {
    std::vector<std::string> names;
    if (m_open == nullptr) return names;
    names.reserve(m_open->values.size());
    for (const Value& v : m_open->values) names.push_back(v.name);
    return names;
}

std::string MemoryRegistry::ReadString(std::string_view name) {
    if (m_open == nullptr) return {};
    for (const Value& v : m_open->values) {
        if (!SameValueName(v.name, name)) continue;
        if (v.data.empty()) return {};
        if (v.type != rtString && v.type != rtExpandString) throw RegistryError::InvalidDataType(name);
        return v.data.substr(0, v.data.find('\0'));
    }
    return {};
}

}  // namespace platform
