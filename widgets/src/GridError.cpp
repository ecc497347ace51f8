#include "widgets/GridError.h"

namespace widgets {

std::string CellOutOfBoundsMessage(int col, int row) {
    return "Cell out of bounds (" + std::to_string(col) + ", " + std::to_string(row) + ")";
}

std::string NotAValidValueMessage(const std::string& text, const std::string& kind) {
    return "'" + text + "' is not a valid " + kind + " value";
}

}  // namespace widgets
