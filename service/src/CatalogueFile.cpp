#include "service/CatalogueFile.h"
#include "service/LineList.h"

#include <istream>
#include <ostream>
#include <string>

namespace service {

namespace {

constexpr const char* kMagic = "# pelmira-service catalogue 1";
constexpr const char* kHeader =
    "package_id\tname\tpublisher\tdisplay_names\tversion\tdisplay_versions\tdownload_page\tpublisher_page\tnote";
constexpr std::size_t kFields = 9;

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool Unescape(const std::string& s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

void WriteCatalogueFile(std::ostream& out, const std::vector<TProduct>& products) {
    out << kMagic << '\n' << kHeader << '\n';
    for (const auto& p : products) {
        out << Escape(p.PackageId) << '\t' << Escape(p.Name) << '\t' << Escape(p.Publisher) << '\t'
            << Escape(JoinLines(p.DisplayNames)) << '\t' << Escape(p.Version) << '\t'
            << Escape(JoinLines(p.DisplayVersions)) << '\t' << Escape(p.DownloadPage) << '\t' << Escape(p.PublisherPage)
            << '\t' << Escape(p.Note) << '\n';
    }
}

std::vector<TProduct> ReadCatalogueFile(std::istream& in) {
    std::string line;
    if (!std::getline(in, line) || line != kMagic) throw ECatalogueFile("not a catalogue file (line 1)");
    if (!std::getline(in, line) || line != kHeader) throw ECatalogueFile("unknown catalogue columns (line 2)");
    std::vector<TProduct> products;
    int number = 2;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (true) {
            std::size_t tab = line.find('\t', start);
            std::string field;
            if (!Unescape(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start), field))
                throw ECatalogueFile("bad escape in catalogue line " + std::to_string(number));
            fields.push_back(std::move(field));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (fields.size() != kFields || fields[0].empty())
            throw ECatalogueFile("catalogue line " + std::to_string(number) + " does not hold 9 fields");
        products.push_back({fields[0], fields[1], fields[2], SplitLines(fields[3]), fields[4], SplitLines(fields[5]),
                            fields[6], fields[7], fields[8]});
    }
    return products;
}

}  // namespace service
