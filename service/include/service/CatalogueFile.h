#pragma once

#include "service/StorageRecords.h"

#include <iosfwd>
#include <stdexcept>
#include <vector>

namespace service {

// A catalogue file that cannot be read; the message names the line.
class ECatalogueFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes products as a catalogue file: the line "# pelmira-service catalogue 1", a header
// line, then one tab-separated UTF-8 line per product with the fields of TProduct in order;
// list items are joined by line breaks, and backslash, tab, CR and LF are written as "\\",
// "\t", "\r" and "\n".
void WriteCatalogueFile(std::ostream& out, const std::vector<TProduct>& products);

// Reads a catalogue file written by WriteCatalogueFile; throws ECatalogueFile.
std::vector<TProduct> ReadCatalogueFile(std::istream& in);

}  // namespace service
