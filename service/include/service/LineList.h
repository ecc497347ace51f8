#pragma once

#include <string>
#include <vector>

namespace service {

// A list of texts kept in one text field (a database column, a catalogue file
// cell), one item per line; items never hold a line break.

// The items joined by "\n" ("" for no items).
std::string JoinLines(const std::vector<std::string>& items);
// The lines of text (no items for ""); a trailing "\n" adds no empty item.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace service
