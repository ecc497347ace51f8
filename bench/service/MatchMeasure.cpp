// How many real uninstall-entry titles the sample catalogue matches: reads DisplayName /
// Publisher pairs (one per line in two files, or the '|'-separated rows of InputARPData.txt)
// and prints every match, then the counts. Usage: service-match-measure ARP_FOLDER
#include "service/CatalogueFile.h"
#include "service/SampleCatalogue.h"
#include "service/TitleMatcher.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TEntry {
    std::string Name, Publisher;
};

std::string StripBom(std::string s) {
    if (s.rfind("\xEF\xBB\xBF", 0) == 0) s.erase(0, 3);
    if (!s.empty() && s.back() == '\r') s.pop_back();
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: service-match-measure ARP_FOLDER\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<TEntry> entries;
    std::ifstream names(dir + "/InputNames.txt"), publishers(dir + "/InputPublishers.txt");
    std::string n, p;
    while (std::getline(names, n) && std::getline(publishers, p)) entries.push_back({StripBom(n), StripBom(p)});
    std::ifstream arp(dir + "/InputARPData.txt");
    std::string line;
    while (std::getline(arp, line)) {
        std::vector<std::string> f;
        std::stringstream ss(StripBom(line));
        std::string field;
        while (std::getline(ss, field, '|')) f.push_back(field);
        if (f.size() >= 6) entries.push_back({f[3], f[5]});
    }
    std::istringstream sample{std::string(service::SampleCatalogueText())};
    service::TTitleMatcher matcher(service::ReadCatalogueFile(sample));
    int matched = 0;
    for (const auto& e : entries) {
        if (const auto* product = matcher.Match(e.Name, {}, e.Publisher)) {
            ++matched;
            std::printf("%s\t%s\t->\t%s\n", e.Name.c_str(), e.Publisher.c_str(), product->PackageId.c_str());
        }
    }
    std::printf("titles: %zu, matched: %d\n", entries.size(), matched);
    return 0;
}
