#pragma once

#include <string>

#include "widgets/PropertyItem.h"

namespace widgets {

// An item whose state is one wide text: the value reads it and a write stores
// the text unchanged. Edited in a one-line text field.
class TCustomTextualItem : public TPropertyItem {
public:
    std::u16string GetValue() const override { return m_text; }
    TItemEditorKind EditorKind() const override { return TItemEditorKind::ekText; }

protected:
    void WriteValue(std::u16string_view value) override { m_text = value; }

private:
    std::u16string m_text;
};

}  // namespace widgets
