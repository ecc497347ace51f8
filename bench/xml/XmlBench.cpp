// Loads, walks and saves a generated 50,000-record catalogue with this
// program's XML documents and with pugixml, side by side in one run, and
// prints each phase's median time and its ratio to pugixml.
//
// Both sides do the same work: load the bytes from memory (no conversion of
// the 8-bit text), read the 8 fields of every record into strings, and save the
// whole document to memory with indentation.
#include "CatalogueGenerator.h"

#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr const char* kFields[8] = {
    "Title",      "Company",    "VersionLocal", "VersionCorvanthelis", "VersionPublisher",
    "VersionAll", "VersionOld", "Status"};

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct TPhases {
    std::vector<double> load, walk, save;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::size_t g_sink = 0;  // keeps the walks from being optimised away

void RunOurs(const std::string& bytes, TPhases& t) {
    xml::TXmlDocument doc;
    auto start = Clock::now();
    {
        xml::TMemoryStream in(bytes);
        doc.LoadStream(in);
    }
    t.load.push_back(Millis(Clock::now() - start));

    start = Clock::now();
    const xml::TXmlNode* root = doc.RootElement();
    std::size_t total = 0;
    for (int i = 0; i < root->ChildCount(); ++i) {
        const xml::TXmlNode* record = root->Child(i);
        for (const char* field : kFields) total += record->ReadText(field, "").size();
    }
    g_sink += total;
    t.walk.push_back(Millis(Clock::now() - start));

    doc.SetOutputStyle(xml::osReadable);
    start = Clock::now();
    xml::TMemoryStream out;
    doc.SaveStream(out);
    t.save.push_back(Millis(Clock::now() - start));
    g_sink += out.Bytes().size();
    if (out.Bytes() != bytes) {
        std::fprintf(stderr, "round trip changed the catalogue\n");
        std::exit(1);
    }
}

struct TStringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

void RunPugi(const std::string& bytes, TPhases& t) {
    pugi::xml_document doc;
    // pugixml parses in place: its fastest way from memory, given a copy it may change (made untimed).
    std::string mutableBytes = bytes;
    auto start = Clock::now();
    const pugi::xml_parse_result result = doc.load_buffer_inplace(
        mutableBytes.data(), mutableBytes.size(), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    t.load.push_back(Millis(Clock::now() - start));
    if (!result) {
        std::fprintf(stderr, "pugixml: %s\n", result.description());
        std::exit(1);
    }

    start = Clock::now();
    const pugi::xml_node root = doc.child("Root");
    std::size_t total = 0;
    for (pugi::xml_node record = root.first_child(); record; record = record.next_sibling()) {
        for (const char* field : kFields) total += std::string(record.child(field).text().get()).size();
    }
    g_sink += total;
    t.walk.push_back(Millis(Clock::now() - start));

    start = Clock::now();
    TStringWriter out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    t.save.push_back(Millis(Clock::now() - start));
    g_sink += out.bytes.size();
}

// Loading from a file, as the program does: both read the whole file first.
void LoadFiles(const std::string& path, std::vector<double>& ours, std::vector<double>& pugi) {
    {
        xml::TXmlDocument doc;
        const auto start = Clock::now();
        doc.LoadFile(path);
        ours.push_back(Millis(Clock::now() - start));
        g_sink += static_cast<std::size_t>(doc.RootElement()->ChildCount());
    }
    {
        pugi::xml_document doc;
        const auto start = Clock::now();
        doc.load_file(path.c_str(), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
        pugi.push_back(Millis(Clock::now() - start));
        g_sink += static_cast<std::size_t>(std::distance(doc.child("Root").begin(), doc.child("Root").end()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 50000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 9;
    const bool oursOnly = argc > 3 && std::string(argv[3]) == "ours";  // for profiling
    const std::string bytes = xml_bench::GenerateCatalogue(records);
    std::printf("catalogue: %d records, %zu bytes, %d runs each (median)\n", records, bytes.size(), runs);

    TPhases ours, pugi;
    for (int r = 0; r < runs; ++r) {
        // Alternate so that both see the same machine state.
        RunOurs(bytes, ours);
        if (!oursOnly) RunPugi(bytes, pugi);
    }
    if (oursOnly) return 0;
    const std::string path = (std::filesystem::temp_directory_path() / "pelmira-xml-bench.xml").string();
    std::ofstream(path, std::ios::binary) << bytes;
    std::vector<double> oursFile, pugiFile;
    for (int r = 0; r < runs; ++r) LoadFiles(path, oursFile, pugiFile);
    std::filesystem::remove(path);

    const double o[3] = {Median(ours.load), Median(ours.walk), Median(ours.save)};
    const double p[3] = {Median(pugi.load), Median(pugi.walk), Median(pugi.save)};
    const char* names[3] = {"load", "walk", "save"};
    std::printf("%-8s %12s %12s %8s\n", "phase", "pelmira ms", "pugixml ms", "ratio");
    for (int i = 0; i < 3; ++i) std::printf("%-8s %12.2f %12.2f %8.2f\n", names[i], o[i], p[i], o[i] / p[i]);
    const double ot = o[0] + o[1] + o[2], pt = p[0] + p[1] + p[2];
    std::printf("%-8s %12.2f %12.2f %8.2f\n", "total", ot, pt, ot / pt);
    const double of = Median(oursFile), pf = Median(pugiFile);
    std::printf("%-8s %12.2f %12.2f %8.2f  (LoadFile / load_file, not in the total)\n", "file", of, pf, of / pf);
    std::printf("(checksum %zu)\n", g_sink);
    return 0;
}
