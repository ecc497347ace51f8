#include "ui/Notebook.h"

#include <stdexcept>

namespace ui {

void TNotebookPage::Paint(ICanvas& canvas) { canvas.FillRect(ClientRect(), BackgroundColor()); }

TNotebook::TNotebook() { SetColor(clBtnFace); }

TNotebookPage& TNotebook::AddPage(std::string name) {
    TNotebookPage& page = Add<TNotebookPage>();
    page.SetName(std::move(name));
    page.SetBounds(ClientRect());
    if (m_pageIndex < 0)
        m_pageIndex = 0;
    else
        page.SetVisible(false);
    return page;
}

TNotebookPage& TNotebook::Page(int index) const {
    if (index < 0 || index >= PageCount()) throw std::out_of_range("notebook page index");
    return static_cast<TNotebookPage&>(*Children()[static_cast<std::size_t>(index)]);
}

void TNotebook::SetPageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == m_pageIndex) return;
    m_pageIndex = index;
    // Hide first, so a focused control on the old page gives the focus up.
    for (int i = 0; i < PageCount(); ++i)
        if (i != index) Page(i).SetVisible(false);
    Page(index).SetVisible(true);
}

void TNotebook::ShowPage(const TNotebookPage& page) {
    for (int i = 0; i < PageCount(); ++i)
        if (&Page(i) == &page) SetPageIndex(i);
}

void TNotebook::BoundsChanged() {
    for (int i = 0; i < PageCount(); ++i) Page(i).SetBounds(ClientRect());
}

void TNotebook::Paint(ICanvas& canvas) { canvas.FillRect(ClientRect(), BackgroundColor()); }

}  // namespace ui
