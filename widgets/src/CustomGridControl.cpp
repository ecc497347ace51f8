#include "widgets/CustomGridControl.h"

#include <algorithm>

namespace widgets {

TCustomGridControl::TCustomGridControl() { SetTabStop(true); }

void TCustomGridControl::UpdateScrollBars() {
    if (m_updating) return;
    m_updating = true;
    const int width = Bounds().Width();
    const int height = Bounds().Height();
    const int rows = ScrollRowCount();
    const int content = ContentWidth();
    // Each bar takes room from the other's direction: settle which show in a
    // few rounds (it is stable after the second).
    bool vertical = false;
    bool horizontal = false;
    int page = 0;
    int clientWidth = width;
    for (int round = 0; round < 3; ++round) {
        clientWidth = std::max(0, width - (vertical ? ui::kScrollBarWidth : 0));
        const int clientHeight = std::max(0, height - (horizontal ? ui::kScrollBarWidth : 0));
        const int area = std::max(0, clientHeight - FixedHeight());
        page = rows > 0 ? RowsFitting(0, area) : 0;
        const bool needVertical = rows > page;
        const bool needHorizontal = content > clientWidth;
        if (needVertical == vertical && needHorizontal == horizontal) break;
        vertical = needVertical;
        horizontal = needHorizontal;
    }
    ui::TScrollInfo v = Scroll();
    v.range = rows;
    v.page = vertical ? std::max(1, page) : rows;
    v.line = 1;
    SetScroll(v);
    ui::TScrollInfo h = HorzScroll();
    h.range = content;
    h.page = horizontal ? std::max(1, clientWidth) : content;
    h.line = 16;
    SetHorzScroll(h);
    m_updating = false;
}

bool TCustomGridControl::MouseWheel(const ui::TMouseWheelEvent& e) {
    if ((e.shift & ui::ssShift) == 0) return TControl::MouseWheel(e);
    const ui::TScrollInfo& h = HorzScroll();
    if (!h.Visible()) return false;
    constexpr int kLinesPerNotch = 3;
    constexpr int kNotch = 120;
    HorzScrollTo(h.position - e.delta * kLinesPerNotch * h.line / kNotch);
    return true;
}

void TCustomGridControl::ScrollRowIntoView(int row) {
    if (row < 0) return;
    const ui::TScrollInfo& v = Scroll();
    if (row < v.position) {
        ScrollTo(row);
    } else if (v.Visible() && row >= v.position + v.page) {
        ScrollTo(row - v.page + 1);
    }
}

void TCustomGridControl::ScrollSpanIntoView(int left, int right) {
    const ui::TScrollInfo& h = HorzScroll();
    if (!h.Visible()) return;
    const int width = ClientRect().Width();
    if (left < h.position) {
        HorzScrollTo(left);
    } else if (right > h.position + width) {
        HorzScrollTo(std::min(left, right - width));
    }
}

}  // namespace widgets
