#include "widgets/ComboBoxItem.h"

#include "widgets/PropertyInspector.h"

namespace widgets {

void TComboBoxItem::SetLines(std::vector<std::u16string> lines) {
    m_lines = std::move(lines);
    Changed();
}

}  // namespace widgets
