#pragma once

#include <functional>
#include <string>

#include "widgets/GridTypes.h"

namespace widgets {

// The header of a column: caption, alignment, what it shows, and its image.
class TColumnHeader {
public:
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string caption);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TDisplayMode DisplayMode() const { return m_displayMode; }
    void SetDisplayMode(TDisplayMode mode);
    // Index of the header's image in the grid's image list (-1: none).
    int Glyph() const { return m_glyph; }
    void SetGlyph(int glyph);

    // Runs after any change (the column has the grid repaint its header).
    std::function<void()> OnChanged;

private:
    void Changed() const {
        if (OnChanged) OnChanged();
    }
    std::u16string m_caption;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TDisplayMode m_displayMode = TDisplayMode::dmTextOnly;
    int m_glyph = -1;
};

}  // namespace widgets
