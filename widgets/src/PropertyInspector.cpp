#include "widgets/PropertyInspector.h"

#include <algorithm>
#include <array>

#include "ui/Form.h"
#include "widgets/ComboBoxItem.h"

namespace widgets {

namespace {

// How close to the splitter a press starts dragging it.
constexpr int kSplitterGrip = 2;
// The gap between an expand button and the caption after it.
constexpr int kButtonGap = 3;
// The left padding of texts in their cells.
constexpr int kTextPadding = 2;

constexpr ui::TTextFlags kCellTextFlags = ui::tfVCenter | ui::tfSingleLine | ui::tfEndEllipsis | ui::tfNoPrefix;

}  // namespace

TPropertyInspector::TPropertyInspector() : m_items(*this) {
    SetTabStop(true);
    SetColor(ui::clWindow);
    m_edit = &Add<ui::TEdit>();
    m_combo = &Add<ui::TComboEdit>();
    for (ui::TEdit* editor : {m_edit, static_cast<ui::TEdit*>(m_combo)}) {
        editor->SetVisible(false);
        editor->SetName(editor == m_edit ? "InspectorEdit" : "InspectorComboEdit");
        editor->OnKeyDown = [this](ui::TEdit&, const ui::TKeyEvent& e) { return HandleKey(e, true); };
        editor->OnEnter = [this](ui::TControl&) { Invalidate(); };
        // Leaving the editor for anything (another control, a click on the OK
        // button, another window) keeps what was typed.
        editor->OnExit = [this](ui::TControl&) {
            ApplyEdit();
            Invalidate();
        };
    }
    m_combo->OnSelect = [this](ui::TComboEdit&, int index) {
        if (auto* combo = dynamic_cast<TComboBoxItem*>(m_editItem)) combo->SetItemIndex(index);
        ApplyEdit();
    };
}

TPropertyInspector::~TPropertyInspector() {
    // The editors outlive this body (the base class destroys them); they must
    // not call back into a half-destroyed inspector.
    for (ui::TEdit* editor : {m_edit, static_cast<ui::TEdit*>(m_combo)}) {
        editor->OnKeyDown = nullptr;
        editor->OnEnter = nullptr;
        editor->OnExit = nullptr;
    }
    m_combo->OnSelect = nullptr;
    m_editItem = nullptr;
    m_selected = nullptr;
}

void TPropertyInspector::SetOptions(TInspectorPropertyOptions options) {
    if (options == m_options) return;
    m_options = options;
    PlaceEditor();
    Invalidate();
}

void TPropertyInspector::SetSplitterPosition(int position) {
    position = std::max(position, kMarginWidth);
    if (position == m_splitter) return;
    m_splitter = position;
    PlaceEditor();
    Invalidate();
}

void TPropertyInspector::SetStyle(TPropertiesStyle style) {
    if (style == m_style) return;
    m_style = style;
    Invalidate();
}

void TPropertyInspector::SetGridColor(ui::TColor color) {
    if (color == m_gridColor) return;
    m_gridColor = color;
    Invalidate();
}

void TPropertyInspector::SetMarginColor(ui::TColor color) {
    if (color == m_marginColor) return;
    m_marginColor = color;
    Invalidate();
}

void TPropertyInspector::SetRowHeight(int height) {
    height = std::max(height, 1);
    if (height == m_rowHeight) return;
    m_rowHeight = height;
    UpdateScroll();
    PlaceEditor();
    Invalidate();
}

// --- items and layout

bool TPropertyInspector::IsShown(const TPropertyItem& item) const {
    if (item.Inspector() != this || !item.Visible()) return false;
    for (const TPropertyItem* p = item.Parent(); p != nullptr; p = p->Parent())
        if (!p->Visible() || !p->Expanded()) return false;
    return true;
}

std::vector<TPropertyItem*> TPropertyInspector::ShownItems() const {
    std::vector<TPropertyItem*> shown;
    for (int i = 0; i < m_items.Count(); ++i)
        if (IsShown(m_items[i])) shown.push_back(&m_items[i]);
    return shown;
}

int TPropertyInspector::ShownIndex(const TPropertyItem& item) const {
    if (!IsShown(item)) return -1;
    int index = 0;
    for (int i = 0; i < m_items.Count(); ++i) {
        if (&m_items[i] == &item) return index;
        if (IsShown(m_items[i])) ++index;
    }
    return -1;
}

int TPropertyInspector::ContentHeight() const { return static_cast<int>(ShownItems().size()) * m_rowHeight; }

ui::TRect TPropertyInspector::RowRect(const TPropertyItem& item) const {
    const int index = ShownIndex(item);
    if (index < 0) return {};
    const int top = index * m_rowHeight - Scroll().position;
    return {0, top, ClientRect().right, top + m_rowHeight};
}

ui::TRect TPropertyInspector::CaptionRect(const TPropertyItem& item) const {
    const ui::TRect row = RowRect(item);
    if (row.Empty()) return {};
    // With grid lines the row's last pixel line belongs to the line.
    const int bottom = (m_options & poGrid) != 0 ? row.bottom - 1 : row.bottom;
    return {kMarginWidth, row.top, m_splitter, bottom};
}

ui::TRect TPropertyInspector::ValueRect(const TPropertyItem& item) const {
    const ui::TRect row = RowRect(item);
    if (row.Empty()) return {};
    const int bottom = (m_options & poGrid) != 0 ? row.bottom - 1 : row.bottom;
    return {m_splitter + 1, row.top, row.right, bottom};
}

ui::TRect TPropertyInspector::ExpandButtonRect(const TPropertyItem& item) const {
    if (!item.Expandable()) return {};
    const ui::TRect row = RowRect(item);
    if (row.Empty()) return {};
    const int level = item.Level();
    // Top-level buttons sit in the margin, deeper ones just before their caption.
    const int left =
        level == 0 ? (kMarginWidth - kExpandButtonSize) / 2 : kMarginWidth + kTextPadding + level * kLevelIndent;
    const int top = row.top + (m_rowHeight - kExpandButtonSize) / 2;
    return ui::TRect::FromSize(left, top, kExpandButtonSize, kExpandButtonSize);
}

TPropertyItem* TPropertyInspector::ItemAt(ui::TPoint client) const {
    if (client.x < 0 || client.x >= ClientRect().right || client.y < 0) return nullptr;
    const int row = (client.y + Scroll().position) / m_rowHeight;
    const std::vector<TPropertyItem*> shown = ShownItems();
    if (row < 0 || row >= static_cast<int>(shown.size())) return nullptr;
    return shown[static_cast<std::size_t>(row)];
}

void TPropertyInspector::UpdateScroll() {
    ui::TScrollInfo scroll = Scroll();
    scroll.range = ContentHeight();
    scroll.page = Bounds().Height();
    scroll.line = m_rowHeight;
    SetScroll(scroll);
}

void TPropertyInspector::ScrollIntoView(const TPropertyItem& item) {
    const int index = ShownIndex(item);
    if (index < 0) return;
    const int top = index * m_rowHeight;
    const int page = Bounds().Height();
    if (top < Scroll().position)
        ScrollTo(top);
    else if (top + m_rowHeight > Scroll().position + page)
        ScrollTo(top + m_rowHeight - page);
}

void TPropertyInspector::ScrollTo(int position) {
    TControl::ScrollTo(position);
    PlaceEditor();
}

void TPropertyInspector::BoundsChanged() {
    UpdateScroll();
    PlaceEditor();
}

void TPropertyInspector::ItemChanged(TPropertyItem& item, TItemChange change) {
    switch (change) {
        case TItemChange::icAppearance:
        case TItemChange::icValue:
            if (&item == m_editItem) {
                // A value written by the program shows in the open editor at once.
                ui::TEdit* editor = Editor();
                if (auto* combo = dynamic_cast<TComboBoxItem*>(&item); combo != nullptr && editor == m_combo)
                    if (m_combo->Items() != combo->Lines()) m_combo->SetItems(combo->Lines());
                if (change == TItemChange::icValue && editor != nullptr && editor->Text() != item.GetValue())
                    editor->SetText(item.GetValue());
            }
            break;
        case TItemChange::icLayout:
            UpdateScroll();
            if (m_selected != nullptr && !IsShown(*m_selected)) {
                // The selection moves up to the nearest item still shown (the
                // category whose children were just collapsed).
                TPropertyItem* up = m_selected->Parent();
                while (up != nullptr && !IsShown(*up)) up = up->Parent();
                ApplyEdit();
                HideEditor();
                m_selected = up;
            }
            SyncEditor();
            PlaceEditor();
            break;
    }
    Invalidate();
}

// --- selection and editing

void TPropertyInspector::SetSelected(TPropertyItem* item) {
    if (item != nullptr && !IsShown(*item)) return;
    if (item == m_selected) {
        if (item != nullptr) ScrollIntoView(*item);
        SyncEditor();
        return;
    }
    ApplyEdit();
    HideEditor();
    m_selected = item;
    if (item != nullptr) ScrollIntoView(*item);
    ShowEditor();
    Invalidate();
}

void TPropertyInspector::SelectShown(int shownIndex) {
    const std::vector<TPropertyItem*> shown = ShownItems();
    if (shown.empty()) return;
    shownIndex = std::clamp(shownIndex, 0, static_cast<int>(shown.size()) - 1);
    SetSelected(shown[static_cast<std::size_t>(shownIndex)]);
}

void TPropertyInspector::Move(int delta) {
    const int current = m_selected != nullptr ? ShownIndex(*m_selected) : -1;
    if (current < 0) {
        SelectShown(delta > 0 ? 0 : static_cast<int>(ShownItems().size()) - 1);
        return;
    }
    SelectShown(current + delta);
}

ui::TEdit* TPropertyInspector::Editor() const {
    if (m_editItem == nullptr) return nullptr;
    return m_editItem->EditorKind() == TItemEditorKind::ekComboBox ? static_cast<ui::TEdit*>(m_combo) : m_edit;
}

bool TPropertyInspector::EditorHasFocus() const { return m_edit->Focused() || m_combo->Focused(); }

void TPropertyInspector::TakeFocus() {
    if (ui::TEdit* editor = Editor()) {
        editor->SetFocus();
    } else {
        SetFocus();
    }
}

bool TPropertyInspector::CanFocus() const { return m_editItem == nullptr && TControl::CanFocus(); }

void TPropertyInspector::ShowEditor() {
    TPropertyItem* item = m_selected;
    if (item == nullptr || m_editItem != nullptr || item->EditorKind() == TItemEditorKind::ekNone ||
        !item->Editable() || !IsShown(*item))
        return;
    const bool takeFocus = Focused();
    m_editItem = item;
    ui::TEdit* editor = Editor();
    if (auto* combo = dynamic_cast<TComboBoxItem*>(item)) m_combo->SetItems(combo->Lines());
    editor->SetFont(item->Font());
    editor->SetText(item->GetValue());
    PlaceEditor();
    editor->SetVisible(true);
    if (takeFocus) {
        editor->SetFocus();
        editor->SelectAll();
    }
}

void TPropertyInspector::HideEditor() {
    ui::TEdit* editor = Editor();
    if (editor == nullptr) return;
    const bool hadFocus = editor->Focused();
    // Cleared first: hiding a focused editor takes its focus, and that must
    // not apply its text once more.
    m_editItem = nullptr;
    editor->SetVisible(false);
    if (hadFocus) SetFocus();
}

void TPropertyInspector::SyncEditor() {
    const bool wanted = m_selected != nullptr && m_selected->EditorKind() != TItemEditorKind::ekNone &&
                        m_selected->Editable() && IsShown(*m_selected);
    if (m_editItem != nullptr && (!wanted || m_editItem != m_selected)) {
        ApplyEdit();
        HideEditor();
    }
    if (wanted && m_editItem == nullptr) ShowEditor();
}

void TPropertyInspector::PlaceEditor() {
    ui::TEdit* editor = Editor();
    if (editor == nullptr) return;
    const ui::TRect cell = ValueRect(*m_editItem);
    if (!cell.Empty()) editor->SetBounds(cell);
}

bool TPropertyInspector::ApplyEdit() {
    TPropertyItem* item = m_editItem;
    ui::TEdit* editor = Editor();
    if (item == nullptr || editor == nullptr) return false;
    const std::u16string text = editor->Text();
    if (text == item->GetValue()) return false;
    if (OnAccept && !OnAccept(*this, *item, text)) {
        if (m_editItem == item) editor->SetText(item->GetValue());
        return false;
    }
    item->SetValue(text);
    return true;
}

// --- input

bool TPropertyInspector::HandleKey(const ui::TKeyEvent& e, bool fromEditor) {
    const bool listOpen = m_editItem != nullptr && Editor() == m_combo && m_combo->DroppedDown();
    const int page = std::max(1, Bounds().Height() / m_rowHeight - 1);
    switch (e.key) {
        case ui::TKey::kEnter: {
            if (listOpen) return false;  // the list takes its own choice
            ApplyEdit();
            if ((m_options & poEnterSelectNext) != 0 && m_selected != nullptr) {
                const int current = ShownIndex(*m_selected);
                if (current >= 0 && current + 1 < static_cast<int>(ShownItems().size())) SelectShown(current + 1);
            }
            if (ui::TEdit* editor = Editor(); editor != nullptr && editor->Focused()) editor->SelectAll();
            return true;
        }
        case ui::TKey::kUp:
        case ui::TKey::kDown:
        case ui::TKey::kPageUp:
        case ui::TKey::kPageDown: {
            if ((e.shift & ui::ssAlt) != 0 || listOpen) return false;
            ApplyEdit();
            const int step = e.key == ui::TKey::kUp || e.key == ui::TKey::kDown ? 1 : page;
            Move(e.key == ui::TKey::kUp || e.key == ui::TKey::kPageUp ? -step : step);
            return true;
        }
        case ui::TKey::kHome:
        case ui::TKey::kEnd:
            // In a text field these move the caret.
            if (fromEditor) return false;
            SelectShown(e.key == ui::TKey::kHome ? 0 : static_cast<int>(ShownItems().size()) - 1);
            return true;
        case ui::TKey::kPlus:
        case ui::TKey::kMinus:
            // In a text field these are characters to type.
            if (fromEditor || m_selected == nullptr) return false;
            m_selected->SetExpanded(e.key == ui::TKey::kPlus);
            return true;
        case ui::TKey::kEscape:
            if (!fromEditor || m_editItem == nullptr) return false;
            Editor()->SetText(m_editItem->GetValue());
            Editor()->SelectAll();
            return true;
        default:
            break;
    }
    if (fromEditor || m_selected == nullptr || !m_selected->Editable()) return false;
    return m_selected->ItemKeyDown(e);
}

bool TPropertyInspector::KeyDown(const ui::TKeyEvent& e) { return HandleKey(e, false); }

void TPropertyInspector::MouseDown(const ui::TMouseEvent& e) {
    if (e.button != ui::TMouseButton::mbLeft) {
        if (TPropertyItem* item = ItemAt(e.client)) SetSelected(item);
        return;
    }
    m_buttonDown = true;
    TPropertyItem* item = ItemAt(e.client);
    if ((m_options & poSplitterMoving) != 0 && item != nullptr && !item->IsCategory() &&
        std::abs(e.client.x - m_splitter) <= kSplitterGrip) {
        m_draggingSplitter = true;
        return;
    }
    if (item == nullptr) return;
    if (ExpandButtonRect(*item).Contains(e.client)) {
        SetSelected(item);
        SetFocus();
        item->SetExpanded(!item->Expanded());
        return;
    }
    SetSelected(item);
    if (m_selected != item) return;
    // A click puts the keyboard focus here even when this control could not
    // take it by itself (its editor was the Tab stop).
    TakeFocus();
    const ui::TRect value = ValueRect(*item);
    if (item->Editable() && value.Contains(e.client)) item->ValueMouseDown(e.client, value);
}

void TPropertyInspector::MouseMove(const ui::TMouseEvent& e) {
    if (m_draggingSplitter) {
        SetSplitterPosition(std::min(e.client.x, ClientRect().right - 1));
        return;
    }
    const bool nearSplitter = (m_options & poSplitterMoving) != 0 && std::abs(e.client.x - m_splitter) <= kSplitterGrip;
    SetCursor(nearSplitter ? ui::TCursor::crSizeWE : ui::TCursor::crDefault);
    if (!m_buttonDown || (m_options & poUniformSelect) != 0) return;
    if (TPropertyItem* item = ItemAt(e.client); item != nullptr && item != m_selected) SetSelected(item);
}

void TPropertyInspector::MouseUp(const ui::TMouseEvent& e) {
    if (e.button == ui::TMouseButton::mbLeft) {
        m_buttonDown = false;
        m_draggingSplitter = false;
    }
}

void TPropertyInspector::FocusChanged(bool focused) {
    // Arriving by Tab with nothing selected, the user still sees where the keys act.
    if (focused && m_selected == nullptr) SelectShown(0);
    if (!focused) {
        ApplyEdit();
        m_buttonDown = false;
        m_draggingSplitter = false;
    }
    Invalidate();
    TControl::FocusChanged(focused);
}

// --- drawing

ui::TColor TPropertyInspector::CategoryColor() const {
    switch (m_style) {
        case TPropertiesStyle::psOffice2003:
            return ui::Rgb(196, 218, 250);
        case TPropertiesStyle::psOffice2007:
            return ui::Rgb(213, 228, 242);
        case TPropertiesStyle::psWhidbey:
            return ui::Rgb(214, 219, 233);
        case TPropertiesStyle::psDefault:
            break;
    }
    return ui::clBtnFace;
}

void TPropertyInspector::PaintExpandButton(ui::ICanvas& canvas, const ui::TRect& box, bool expanded) {
    canvas.Rectangle(box, ui::TPen{ui::clBtnShadow, 1}, ui::TBrush{ui::clWindow});
    const int midX = box.left + kExpandButtonSize / 2;
    const int midY = box.top + kExpandButtonSize / 2;
    const ui::TPen pen{ui::clWindowText, 1};
    canvas.Line({box.left + 2, midY}, {box.right - 2, midY}, pen);
    if (!expanded) canvas.Line({midX, box.top + 2}, {midX, box.bottom - 2}, pen);
}

void TPropertyInspector::PaintRow(ui::ICanvas& canvas, TPropertyItem& item, const ui::TRect& row) {
    const bool selected = &item == m_selected;
    const bool active = Focused() || EditorHasFocus();
    const ui::TRect caption = CaptionRect(item);
    const ui::TRect value = ValueRect(item);
    ui::TFont font = item.Font();
    if (!item.Enabled()) font = font.WithColor(ui::clGrayText);
    const int level = item.Level();
    int textLeft = kMarginWidth + kTextPadding + level * kLevelIndent;
    if (item.Expandable() && level > 0) textLeft += kExpandButtonSize + kButtonGap;

    if (item.IsCategory()) {
        // A category fills the whole row; its caption may run into the value column.
        canvas.FillRect(row, CategoryColor());
        ui::TRect text{textLeft, caption.top, value.right, caption.bottom};
        if (selected) {
            const int width =
                std::min(canvas.TextExtent(item.Caption(), font).cx + 2 * kTextPadding, value.right - caption.left);
            canvas.FillRect({caption.left, caption.top, caption.left + width, caption.bottom},
                            active ? ui::clHighlight : ui::clBtnShadow);
            font = font.WithColor(ui::clHighlightText);
        }
        canvas.DrawText(text, item.Caption(), font, kCellTextFlags);
        item.PaintValue(canvas, value, item.Font());
    } else {
        canvas.FillRect({0, row.top, kMarginWidth, row.bottom}, m_marginColor);
        canvas.FillRect({kMarginWidth, row.top, row.right, row.bottom}, item.Color());
        ui::TFont captionFont = font;
        if (selected) {
            canvas.FillRect(caption, active ? ui::clHighlight : ui::clBtnFace);
            if (active) captionFont = font.WithColor(ui::clHighlightText);
        }
        canvas.DrawText({textLeft, caption.top, caption.right - 1, caption.bottom}, item.Caption(), captionFont,
                        kCellTextFlags);
        // The open editor covers the value cell.
        if (&item != m_editItem) item.PaintValue(canvas, value, font);
    }
    if (item.Expandable()) PaintExpandButton(canvas, ExpandButtonRect(item), item.Expanded());
    if ((m_options & poGrid) != 0) {
        const ui::TPen pen{m_gridColor, 1};
        canvas.Line({kMarginWidth, row.bottom - 1}, {row.right, row.bottom - 1}, pen);
        if (!item.IsCategory()) canvas.Line({m_splitter, row.top}, {m_splitter, row.bottom}, pen);
    }
}

void TPropertyInspector::Paint(ui::ICanvas& canvas) {
    const ui::TRect client = ClientRect();
    canvas.FillRect(client, BackgroundColor());
    const std::vector<TPropertyItem*> shown = ShownItems();
    const int first = std::max(0, Scroll().position / m_rowHeight);
    const ui::TRect clip = canvas.ClipRect();
    for (int i = first; i < static_cast<int>(shown.size()); ++i) {
        const int top = i * m_rowHeight - Scroll().position;
        if (top >= client.bottom) break;
        const ui::TRect row{0, top, client.right, top + m_rowHeight};
        if (row.Intersect(clip).Empty()) continue;
        PaintRow(canvas, *shown[static_cast<std::size_t>(i)], row);
    }
}

// --- accessibility

int TPropertyInspector::AccChildCount() const { return static_cast<int>(ShownItems().size()); }

ui::TAccItem TPropertyInspector::AccChild(int index) const {
    ui::TAccItem child;
    child.role = ui::TAccRole::arOutlineItem;
    const std::vector<TPropertyItem*> shown = ShownItems();
    if (index < 0 || index >= static_cast<int>(shown.size())) return child;
    const TPropertyItem& item = *shown[static_cast<std::size_t>(index)];
    child.name = item.Caption();
    child.value = item.AccessibleValue();
    if (item.Expandable()) child.state |= item.Expanded() ? ui::asExpanded : ui::asCollapsed;
    if (&item == m_selected) child.state |= ui::asSelected;
    return child;
}

}  // namespace widgets
