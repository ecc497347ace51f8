#pragma once

// The small enumerations of the property inspector and its items.
namespace widgets {

// Behaviour switches of TPropertyInspector; combine with |.
enum TInspectorPropertyOption : unsigned {
    poGrid = 1u << 0,             // lines between rows, in GridColor
    poEnterSelectNext = 1u << 1,  // Enter moves the selection to the next visible item
    poImages = 1u << 2,           // item glyphs from an image list (not drawn by this program)
    poSplitterMoving = 1u << 3,   // the user may drag the boundary between caption and value columns
    poUniformSelect = 1u << 4,    // dragging with the button held does not move the selection
};
using TInspectorPropertyOptions = unsigned;

// The look of rows, category rows and the margin.
enum class TPropertiesStyle { psDefault, psOffice2003, psOffice2007, psWhidbey };

// The pair of texts a check-box item reads and writes as its value.
enum class TCheckBoxTextKind {
    tkTrueFalse,        // "true" / "false"
    tkYesNo,            // "yes" / "no"
    tkEnabledDisabled,  // "enabled" / "disabled"
    tkCustom,           // TrueText / FalseText, each "true" / "false" when empty
};

// Which in-place editor an item is edited with.
enum class TItemEditorKind {
    ekNone,      // not edited through an editor (categories, check boxes)
    ekText,      // a one-line text field
    ekComboBox,  // a text field with a drop-down list of lines
};

// Where the buttons of a toolbar item sit in their row.
enum class TButtonsAlign { baLeft, baRight };

}  // namespace widgets
