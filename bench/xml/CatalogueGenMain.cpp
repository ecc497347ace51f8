// Writes a generated catalogue: xml_catalogue_gen RECORDS OUTPUT-FILE
#include "CatalogueGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECORDS OUTPUT-FILE\n", argv[0]);
        return 2;
    }
    const std::string bytes = xml_bench::GenerateCatalogue(std::atoi(argv[1]));
    std::ofstream out(argv[2], std::ios::binary);
    out << bytes;
    return out ? 0 : 1;
}
