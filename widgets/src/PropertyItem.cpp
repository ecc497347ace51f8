#include "widgets/PropertyItem.h"

#include "widgets/PropertyInspector.h"
#include "widgets/PropertyItems.h"

namespace widgets {

TPropertyItem::TPropertyItem() = default;
TPropertyItem::~TPropertyItem() = default;

void TPropertyItem::SetCaption(std::u16string caption) {
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    Changed();
}

void TPropertyItem::SetValue(std::u16string_view value) {
    WriteValue(value);
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icValue);
}

void TPropertyItem::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icLayout);
}

void TPropertyItem::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icLayout);
}

void TPropertyItem::SetReadOnly(bool readOnly) {
    if (readOnly == m_readOnly) return;
    m_readOnly = readOnly;
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icLayout);
}

void TPropertyItem::SetExpanded(bool expanded) {
    if (expanded == m_expanded) return;
    m_expanded = expanded;
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icLayout);
}

void TPropertyItem::SetColor(ui::TColor color) {
    if (color == m_color) return;
    m_color = color;
    Changed();
}

const ui::TFont& TPropertyItem::Font() const {
    if (m_font) return *m_font;
    if (m_owner != nullptr) return m_owner->Inspector().Font();
    static const ui::TFont kDefaultFont;
    return kDefaultFont;
}

void TPropertyItem::SetFont(const ui::TFont& font) {
    m_font = font;
    Changed();
}

int TPropertyItem::Level() const {
    int level = 0;
    for (const TPropertyItem* p = m_parent; p != nullptr; p = p->m_parent) ++level;
    return level;
}

int TPropertyItem::Index() const { return m_owner != nullptr ? m_owner->IndexOf(*this) : -1; }

int TPropertyItem::ParentIndex() const { return m_parent != nullptr ? m_parent->Index() : -1; }

bool TPropertyItem::HasChildren() const {
    if (m_owner == nullptr) return false;
    for (int i = 0; i < m_owner->Count(); ++i)
        if (m_owner->Item(i).m_parent == this) return true;
    return false;
}

TPropertyInspector* TPropertyItem::Inspector() const { return m_owner != nullptr ? &m_owner->Inspector() : nullptr; }

void TPropertyItem::PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font) {
    const std::u16string value = GetValue();
    if (value.empty()) return;
    const ui::TRect text{cell.left + 2, cell.top, cell.right - 1, cell.bottom};
    canvas.DrawText(text, value, font, ui::tfVCenter | ui::tfSingleLine | ui::tfEndEllipsis | ui::tfNoPrefix);
}

bool TPropertyItem::ValueMouseDown(ui::TPoint, const ui::TRect&) { return false; }

bool TPropertyItem::ItemKeyDown(const ui::TKeyEvent&) { return false; }

void TPropertyItem::Changed() {
    if (m_owner != nullptr) m_owner->Inspector().ItemChanged(*this, TPropertyInspector::TItemChange::icAppearance);
}

}  // namespace widgets
