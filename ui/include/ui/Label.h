#pragma once

#include "ui/Control.h"

namespace ui {

// Static text in its font, on the parent's background unless it has a
// colour of its own, laid out by its text flags (one left-aligned line by default).
class TLabel : public TControl {
public:
    TLabel();
    TTextFlags TextFlags() const { return m_flags; }
    void SetTextFlags(TTextFlags flags);
    void Paint(ICanvas& canvas) override;

private:
    TTextFlags m_flags = tfSingleLine | tfNoPrefix;
};

}  // namespace ui
