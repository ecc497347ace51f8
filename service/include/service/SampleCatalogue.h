#pragma once

#include <string_view>

namespace service {

// The shipped sample catalogue (150 widely used packages, from data/sample-catalogue.tsv),
// built into the program as a catalogue file text.
std::string_view SampleCatalogueText();

}  // namespace service
