#include "app/LinkTargets.h"

#include "inventory/TextRules.h"

#include <array>

namespace app {

bool IsSafeShellTarget(std::string_view target) {
    static constexpr std::array<std::string_view, 3> kSchemes{"http://", "https://", "mailto:"};
    const std::string lower = inventory::LowerAscii(inventory::TrimText(target));
    for (std::string_view scheme : kSchemes) {
        if (lower.size() > scheme.size() && lower.compare(0, scheme.size(), scheme) == 0) return true;
    }
    return false;
}

std::string PipesToLines(std::string_view text) {
    std::string lines(text);
    for (char& c : lines) {
        if (c == '|') c = '\r';
    }
    return lines;
}

}  // namespace app
