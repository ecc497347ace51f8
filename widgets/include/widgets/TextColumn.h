#pragma once

#include <string>

#include "widgets/IncrementColumn.h"

namespace widgets {

// A column of text cells (string cells); a new one has coShowTextFitHint.
class TTextColumn : public TCustomColumn {
public:
    TTextColumn(TCustomGrid& grid, int index);
    TCellKind CellKind() const override { return TCellKind::ckString; }

    // Editor settings of the one-line text editor (kept; this program edits no cell).
    const std::u16string& TextBefore() const { return m_textBefore; }
    void SetTextBefore(std::u16string text) { m_textBefore = std::move(text); }
    const std::u16string& TextAfter() const { return m_textAfter; }
    void SetTextAfter(std::u16string text) { m_textAfter = std::move(text); }
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length) { m_maxLength = length; }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }
    char16_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char16_t c) { m_passwordChar = c; }

private:
    std::u16string m_textBefore;
    std::u16string m_textAfter;
    int m_maxLength = 0;
    bool m_multiLine = false;
    char16_t m_passwordChar = 0;
};

}  // namespace widgets
