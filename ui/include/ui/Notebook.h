#pragma once

#include <string>

#include "ui/Control.h"

namespace ui {

// A page of a notebook: a container painted in the notebook's colour unless
// it has a colour of its own.
class TNotebookPage : public TControl {
public:
    void Paint(ICanvas& canvas) override;
};

// Pages without tabs, of which one shows at a time; each page fills the notebook.
class TNotebook : public TControl {
public:
    TNotebook();
    // Adds a page named name and returns it; the first page added shows.
    TNotebookPage& AddPage(std::string name);
    int PageCount() const { return static_cast<int>(Children().size()); }
    TNotebookPage& Page(int index) const;
    // The index of the page that shows, -1 without pages.
    int PageIndex() const { return m_pageIndex; }
    // Shows the page at index and hides the others; an index outside the pages changes nothing.
    void SetPageIndex(int index);
    // Shows page (one of this notebook's pages).
    void ShowPage(const TNotebookPage& page);
    void Paint(ICanvas& canvas) override;

protected:
    void BoundsChanged() override;

private:
    int m_pageIndex = -1;
};

}  // namespace ui
