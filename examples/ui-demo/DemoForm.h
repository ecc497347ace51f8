#pragma once

#include <string>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/ComboEdit.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/InfoPanel.h"
#include "ui/Label.h"
#include "ui/LinkLabel.h"
#include "ui/Panel.h"
#include "ui/Shape.h"
#include "ui/Timer.h"

namespace ui::demo {

// The window class and caption of the demo form.
inline constexpr const char* kDemoClassName = "TPelmiraUiDemo";
inline constexpr const char* kDemoCaption = "Pelmira UI Demo";

// A small form that shows the framework's pieces together: a menu, a bar
// with a link and a status light, an info panel, a button, the two in-place
// editors and a timer that makes the light blink.
class TDemoForm : public TForm {
public:
    explicit TDemoForm(TApplication& app);

    // Counts the clicks of the button, the link and the menu item "Count".
    int Clicks() const { return m_clicks; }
    // How often the light's timer ticked.
    int Ticks() const { return m_ticks; }

    TPanel& bar;
    TLinkLabel& link;
    TShape& light;
    TInfoPanel& info;
    TLabel& label;
    TEdit& edit;
    TComboEdit& combo;
    TButton& button;
    TTimer blink;
    TMenuItem& demoMenu;
    TMenuItem& countItem;
    TMenuItem& hideItem;
    TMenuItem& separator;
    TMenuItem& exitItem;

private:
    void Count();

    int m_clicks = 0;
    int m_ticks = 0;
};

}  // namespace ui::demo
