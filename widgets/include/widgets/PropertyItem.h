#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Events.h"
#include "ui/Font.h"
#include "ui/Geometry.h"
#include "widgets/InspectorTypes.h"

namespace widgets {

class TPropertyInspector;
class TPropertyItems;

// One row of a property inspector: a caption in the left column and a value,
// always handled as wide text through Value / SetValue, in the right one. Items
// live in their inspector's flat item list (TPropertyItems), which owns them;
// each knows its parent item, and its level is the parent's level + 1 (0 at the
// top). Every kind turns its own state into that text and back by its own rule.
class TPropertyItem {
public:
    TPropertyItem();
    virtual ~TPropertyItem();
    TPropertyItem(const TPropertyItem&) = delete;
    TPropertyItem& operator=(const TPropertyItem&) = delete;

    // The name the program holds the item by (never shown).
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    // The text in the caption column.
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(std::u16string caption);

    // The value as text, by the kind's rule.
    virtual std::u16string GetValue() const = 0;
    // Writes the value by the kind's rule and redraws the item; never fails.
    void SetValue(std::u16string_view value);
    // Same as GetValue.
    std::u16string Value() const { return GetValue(); }
    // The value as assistive tools read it (GetValue unless the kind says otherwise).
    virtual std::u16string AccessibleValue() const { return GetValue(); }

    // Hidden items are neither drawn nor reachable by keys (their value still works).
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // Disabled items draw greyed and cannot be edited.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Read-only items cannot be edited by the user.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    // Whether the item's children are shown (true for a new item).
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool expanded);
    // The row background (clWindow for a new item).
    ui::TColor Color() const { return m_color; }
    void SetColor(ui::TColor color);
    // The font: the item's own once SetFont was called, else its inspector's.
    const ui::TFont& Font() const;
    void SetFont(const ui::TFont& font);

    // The parent item, or nullptr for a top-level item.
    TPropertyItem* Parent() const { return m_parent; }
    // 0 for a top-level item, the parent's level + 1 otherwise.
    int Level() const;
    // The position in the flat item list, or -1 while not in one.
    int Index() const;
    // The position of the parent in the flat item list, or -1 for a top-level item.
    int ParentIndex() const;
    // Whether any item of the list has this one as its parent.
    bool HasChildren() const;
    // The inspector the item belongs to, or nullptr.
    TPropertyInspector* Inspector() const;

    // Whether the item is a category row (drawn across the row with an expand button).
    virtual bool IsCategory() const { return false; }
    // Whether the item draws an expand/collapse button (categories and items with children).
    bool Expandable() const { return IsCategory() || HasChildren(); }
    // The in-place editor the item is edited with.
    virtual TItemEditorKind EditorKind() const { return TItemEditorKind::ekNone; }
    // Whether the user may change the value now (enabled and not read-only).
    bool Editable() const { return m_enabled && !m_readOnly; }

    // Draws the value in cell (the value column of the item's row, inspector client coordinates).
    virtual void PaintValue(ui::ICanvas& canvas, const ui::TRect& cell, const ui::TFont& font);
    // A left press at p (inspector client coordinates) in the value column cell; returns whether the item used it.
    virtual bool ValueMouseDown(ui::TPoint p, const ui::TRect& cell);
    // A key while the item is selected and the inspector itself has the focus; returns whether the item used it.
    virtual bool ItemKeyDown(const ui::TKeyEvent& e);

protected:
    // Stores value by the kind's rule (SetValue redraws afterwards).
    virtual void WriteValue(std::u16string_view value) = 0;
    // Redraws the item's row.
    void Changed();

private:
    friend class TPropertyItems;

    TPropertyItems* m_owner = nullptr;
    TPropertyItem* m_parent = nullptr;
    std::string m_name;
    std::u16string m_caption;
    std::optional<ui::TFont> m_font;
    ui::TColor m_color = ui::clWindow;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_readOnly = false;
    bool m_expanded = true;
};

}  // namespace widgets
