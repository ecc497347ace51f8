#pragma once

#include <string>

namespace ui {

// Roles a custom-drawn control reports to assistive tools (screen readers,
// UI-automation). The Win32 backend maps them to the ROLE_SYSTEM_* values of
// the same names.
enum class TAccRole {
    arTable,        // ROLE_SYSTEM_TABLE
    arRow,          // ROLE_SYSTEM_ROW
    arOutline,      // ROLE_SYSTEM_OUTLINE
    arOutlineItem,  // ROLE_SYSTEM_OUTLINEITEM
};

// State bits of an accessible item; the Win32 backend maps them to
// STATE_SYSTEM_SELECTED, STATE_SYSTEM_EXPANDED and STATE_SYSTEM_COLLAPSED.
enum TAccState : unsigned {
    asNone = 0,
    asSelected = 1u << 0,
    asExpanded = 1u << 1,
    asCollapsed = 1u << 2,
};

// One child of an accessible control (a grid row, an inspector item).
struct TAccItem {
    TAccRole role = TAccRole::arRow;
    std::u16string name;
    std::u16string value;
    unsigned state = asNone;
};

// What a control that draws everything itself exposes to assistive tools: a
// role and a name for itself and a flat list of children. Children are
// numbered from 0 here; the Win32 backend exposes child i as child id i + 1.
// Every call reflects the control's state at the time of the call.
class IAccessibleSource {
public:
    virtual ~IAccessibleSource() = default;
    // The control's own role.
    virtual TAccRole AccRole() const = 0;
    // The control's own name (may be empty).
    virtual std::u16string AccName() const = 0;
    // The number of children.
    virtual int AccChildCount() const = 0;
    // Child index (0 to AccChildCount() - 1).
    virtual TAccItem AccChild(int index) const = 0;
};

}  // namespace ui
