#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Accessibility.h"
#include "ui/ComboEdit.h"
#include "ui/Control.h"
#include "ui/Edit.h"
#include "widgets/InspectorTypes.h"
#include "widgets/PropertyItem.h"
#include "widgets/PropertyItems.h"

namespace widgets {

// A two-column list of items, a caption on the left and an editable value on
// the right, grouped under category rows that expand and collapse. It draws
// everything itself through the canvas and edits text and combo values in
// place with the framework's TEdit and TComboEdit.
//
// Layout (client coordinates, y measured from the top of the content, which
// scrolls vertically): each shown item takes one row of RowHeight pixels. A
// shown item is visible and every ancestor is visible and expanded. The row has
// a kMarginWidth-pixel left margin in MarginColor, the caption cell from
// x = kMarginWidth to x = SplitterPosition, and the value cell from
// x = SplitterPosition + 1 to the right edge of the client area; with poGrid a
// line in GridColor runs along the row's last pixel line and at x = SplitterPosition.
// Captions are indented by kLevelIndent pixels per level. A
// category row (a toolbar item at the top level) fills the whole row in the
// style's category colour, with its expand/collapse button in the margin; an
// item with children at a deeper level has its button just before its caption.
//
// Editing: a press on a row selects its item; a text or combo item then shows
// its editor in the value cell and the editor takes the focus. An edit is
// applied (the editor's text written to Value when it differs, unless
// OnAccept refuses it) on Enter, on moving to another item by key or mouse, on
// picking a line from a combo's list, and when the focus leaves the inspector
// and its editor. Keys: Enter applies and, with poEnterSelectNext, selects the
// next shown item (on the last one the selection stays); Up / Down (not with
// Alt, not while a list is open) apply and move, Page Up / Page Down move by a
// page, scrolling as needed; Home / End select the first / last shown item;
// "+" / "-" of the main keyboard expand / collapse the selected item; Escape
// in an editor puts the item's value back. Tab is left to the form. While an
// editor has the focus, Home, End, "+", "-" and every other key stay with the
// editor, so texts can be typed and the caret moved; Space flips a selected
// check box.
//
// Accessibility contract (assistive tools and tests rely on it): the window
// class is "TPropertyInspector"; Accessible() gives role arOutline, the name is
// the control's Text(), and one child per shown item in display order (child i
// is the i-th shown item, exposed on Win32 as child id i + 1): role
// arOutlineItem, name = the caption, value = the value as shown (for a check
// box "True" or "False"), state asExpanded or asCollapsed on categories and
// items with children, plus asSelected on the selected item.
class TPropertyInspector : public ui::TControl, public ui::IAccessibleSource {
public:
    // The width of the left margin.
    static constexpr int kMarginWidth = 14;
    // The indent of captions per level.
    static constexpr int kLevelIndent = 10;
    // The row height and splitter position of a new inspector.
    static constexpr int kDefaultRowHeight = 16;
    static constexpr int kDefaultSplitterPosition = 100;
    // The options of a new inspector.
    static constexpr TInspectorPropertyOptions kDefaultOptions =
        poGrid | poEnterSelectNext | poSplitterMoving | poUniformSelect;
    // The side of an expand/collapse button.
    static constexpr int kExpandButtonSize = 9;

    TPropertyInspector();
    ~TPropertyInspector() override;

    // The items in their flat list.
    TPropertyItems& Items() { return m_items; }
    const TPropertyItems& Items() const { return m_items; }

    TInspectorPropertyOptions Options() const { return m_options; }
    void SetOptions(TInspectorPropertyOptions options);
    // The x position of the boundary between the caption and value columns; a
    // position below 15 is stored as 14.
    int SplitterPosition() const { return m_splitter; }
    void SetSplitterPosition(int position);
    TPropertiesStyle Style() const { return m_style; }
    void SetStyle(TPropertiesStyle style);
    // The colour of the lines between rows (clBtnFace by default).
    ui::TColor GridColor() const { return m_gridColor; }
    void SetGridColor(ui::TColor color);
    // The colour of the left margin (clBtnFace by default).
    ui::TColor MarginColor() const { return m_marginColor; }
    void SetMarginColor(ui::TColor color);
    // Themed drawing of expand buttons and editors (kept; the look is the same here).
    bool EnableVisualStyles() const { return m_visualStyles; }
    void SetEnableVisualStyles(bool enable) { m_visualStyles = enable; }
    // Pixels per row (at least 1).
    int RowHeight() const { return m_rowHeight; }
    void SetRowHeight(int height);

    // The selected item, or nullptr.
    TPropertyItem* Selected() const { return m_selected; }
    // Applies a pending edit, selects item (nullptr: none; an item not shown is
    // ignored), scrolls it into view and shows its editor.
    void SetSelected(TPropertyItem* item);

    // Gives the keyboard focus to the inspector, or to its editor while one shows.
    void TakeFocus();

    // The shown items in display order.
    std::vector<TPropertyItem*> ShownItems() const;
    // Whether item is shown (visible, with every ancestor visible and expanded).
    bool IsShown(const TPropertyItem& item) const;
    // The row of item in client coordinates (scrolling applied); empty when not shown.
    ui::TRect RowRect(const TPropertyItem& item) const;
    // The caption cell and the value cell of item's row (empty when not shown).
    ui::TRect CaptionRect(const TPropertyItem& item) const;
    ui::TRect ValueRect(const TPropertyItem& item) const;
    // The expand/collapse button of item (empty when it has none or is not shown).
    ui::TRect ExpandButtonRect(const TPropertyItem& item) const;
    // The shown item whose row holds p (client coordinates), or nullptr.
    TPropertyItem* ItemAt(ui::TPoint client) const;

    // The editor showing now (a TEdit or a TComboEdit), or nullptr.
    ui::TEdit* Editor() const;
    // The item the showing editor edits, or nullptr.
    TPropertyItem* EditedItem() const { return m_editItem; }
    // Writes the showing editor's text to its item's Value when it differs (and
    // OnAccept allows it; when refused, the editor shows the old value again).
    // Returns whether the value was written.
    bool ApplyEdit();
    // Asked before an edit is written: return false to refuse new value for item.
    std::function<bool(TPropertyInspector&, TPropertyItem&, const std::u16string&)> OnAccept;

    // --- ui::TControl
    std::u16string WindowClassName() const override { return u"TPropertyInspector"; }
    const ui::IAccessibleSource* Accessible() const override { return this; }
    void Paint(ui::ICanvas& canvas) override;
    void MouseDown(const ui::TMouseEvent& e) override;
    void MouseMove(const ui::TMouseEvent& e) override;
    void MouseUp(const ui::TMouseEvent& e) override;
    bool KeyDown(const ui::TKeyEvent& e) override;
    void FocusChanged(bool focused) override;
    // Not a Tab stop of its own while an editor shows (the editor is).
    bool CanFocus() const override;
    void ScrollTo(int position) override;

    // --- ui::IAccessibleSource (the contract above)
    ui::TAccRole AccRole() const override { return ui::TAccRole::arOutline; }
    std::u16string AccName() const override { return Text(); }
    int AccChildCount() const override;
    ui::TAccItem AccChild(int index) const override;

protected:
    void BoundsChanged() override;

private:
    friend class TPropertyItem;
    friend class TPropertyItems;

    // What changed in an item.
    enum class TItemChange { icAppearance, icValue, icLayout };
    void ItemChanged(TPropertyItem& item, TItemChange change);

    int ShownIndex(const TPropertyItem& item) const;
    int ContentHeight() const;
    void UpdateScroll();
    void ScrollIntoView(const TPropertyItem& item);
    void PlaceEditor();
    void ShowEditor();
    void HideEditor();
    void SyncEditor();
    void Move(int delta);
    void SelectShown(int shownIndex);
    bool HandleKey(const ui::TKeyEvent& e, bool fromEditor);
    bool EditorHasFocus() const;
    void PaintRow(ui::ICanvas& canvas, TPropertyItem& item, const ui::TRect& row);
    void PaintExpandButton(ui::ICanvas& canvas, const ui::TRect& box, bool expanded);
    ui::TColor CategoryColor() const;

    TPropertyItems m_items;
    TPropertyItem* m_selected = nullptr;
    TPropertyItem* m_editItem = nullptr;  // the item the showing editor edits
    ui::TEdit* m_edit = nullptr;          // the text editor (a child control)
    ui::TComboEdit* m_combo = nullptr;    // the drop-down editor (a child control)
    TInspectorPropertyOptions m_options = kDefaultOptions;
    TPropertiesStyle m_style = TPropertiesStyle::psDefault;
    ui::TColor m_gridColor = ui::clBtnFace;
    ui::TColor m_marginColor = ui::clBtnFace;
    int m_splitter = kDefaultSplitterPosition;
    int m_rowHeight = kDefaultRowHeight;
    bool m_visualStyles = false;
    bool m_buttonDown = false;
    bool m_draggingSplitter = false;
};

}  // namespace widgets
