#pragma once

#include "inventory/CatalogueFields.h"
#include "inventory/LocalScan.h"
#include "inventory/SoftwareCatalogue.h"

#include "platform/MemoryRegistry.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Builds regedit exports of uninstall entries and reads back the catalogue a
// scan wrote, for the local-scan tests.
namespace testing_support {

// One uninstall entry: its key name and its values as export lines.
struct RegEntry {
    std::string key;
    std::vector<std::pair<std::string, std::string>> values;  // name, export data ("\"text\"", "dword:1")
    bool wow64 = false;                                       // in the 32-bit view of 64-bit Windows
};

// A value's export form for a text.
inline std::string RegString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// An entry with the usual string values; empty names are left out.
inline RegEntry Entry(std::string key, std::vector<std::pair<std::string, std::string>> strings, bool wow64 = false) {
    RegEntry e{std::move(key), {}, wow64};
    for (auto& [name, text] : strings) e.values.emplace_back(std::move(name), RegString(text));
    return e;
}

// The export text ("Windows Registry Editor Version 5.00") of the entries;
// the uninstall key itself is always present.
inline std::string ExportText(const std::vector<RegEntry>& entries, bool withUninstallKey = true) {
    const std::string base = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::string wow = "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    if (withUninstallKey) text += "[" + base + "]\r\n\r\n";
    for (const RegEntry& e : entries) {
        text += "[" + (e.wow64 ? wow : base) + "\\" + e.key + "]\r\n";
        for (const auto& [name, data] : e.values) text += RegString(name) + "=" + data + "\r\n";
        text += "\r\n";
    }
    return text;
}

// The fields of one catalogue record, in file order.
struct Record {
    std::string title, company, versionLocal, corvanthelis, publisher, all, old;
    bool operator==(const Record&) const = default;
};

// Printed by the test framework when records differ.
inline std::ostream& operator<<(std::ostream& os, const Record& r) {
    return os << "{" << r.title << "|" << r.company << "|" << r.versionLocal << "|" << r.corvanthelis << "|"
              << r.publisher << "|" << r.all << "|" << r.old << "}";
}

inline std::vector<Record> ReadRecords(const std::string& path) {
    inventory::TSoftwareCatalogue catalogue(path);
    catalogue.CreateCatalogue();
    catalogue.LoadCatalogue();
    std::vector<Record> records;
    using namespace inventory;
    for (int i = 0; i < catalogue.RecordCount(); ++i) {
        records.push_back(Record{catalogue.ReadField(i, kFieldTitle), catalogue.ReadField(i, kFieldCompany),
                                 catalogue.ReadField(i, kFieldVersionLocal),
                                 catalogue.ReadField(i, kFieldVersionCorvanthelis),
                                 catalogue.ReadField(i, kFieldVersionPublisher),
                                 catalogue.ReadField(i, kFieldVersionAll), catalogue.ReadField(i, kFieldVersionOld)});
    }
    return records;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace testing_support
