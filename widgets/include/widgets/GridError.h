#pragma once

#include <stdexcept>
#include <string>

namespace widgets {

// A failure of the grid or its cells; the message is the text the user sees.
class EGridError : public std::runtime_error {
public:
    explicit EGridError(const std::string& message) : std::runtime_error(message) {}
};

// "Cell out of bounds (<col>, <row>)": a cell address outside the table.
std::string CellOutOfBoundsMessage(int col, int row);
// "'<text>' is not a valid <kind> value": a cell text that does not convert.
std::string NotAValidValueMessage(const std::string& text, const std::string& kind);

}  // namespace widgets
