#pragma once

#include <cstdint>
#include <string>

namespace xml_bench {

// Bytes of a software catalogue with records records, in the readable layout
// with CR LF line ends and windows-1252 text: realistic program titles and
// publishers, and about a third of the records carrying escaped link markup in
// their online version fields. The same seed gives the same bytes.
std::string GenerateCatalogue(int records, std::uint32_t seed = 2026);

}  // namespace xml_bench
