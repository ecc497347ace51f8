#pragma once

#include <string>
#include <vector>

#include "widgets/TextItem.h"

namespace widgets {

// A text value edited in a text field with a drop-down list of Lines (up to 8
// shown at once); the user may pick a line or type any text. Writing the value
// stores the text unchanged and leaves ItemIndex alone.
class TComboBoxItem : public TTextItem {
public:
    // The lines of the drop-down list.
    const std::vector<std::u16string>& Lines() const { return m_lines; }
    void SetLines(std::vector<std::u16string> lines);
    // The line last picked from the list, or -1.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index) { m_itemIndex = index; }

    TItemEditorKind EditorKind() const override { return TItemEditorKind::ekComboBox; }

private:
    std::vector<std::u16string> m_lines;
    int m_itemIndex = -1;
};

}  // namespace widgets
