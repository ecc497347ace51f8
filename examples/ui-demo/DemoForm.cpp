#include "DemoForm.h"

#include <string>

namespace ui::demo {

namespace {

std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

TDemoForm::TDemoForm(TApplication& app)
    : TForm(app, kDemoClassName),
      bar(Add<TPanel>()),
      link(bar.Add<TLinkLabel>()),
      light(bar.Add<TShape>()),
      info(Add<TInfoPanel>()),
      label(Add<TLabel>()),
      edit(Add<TEdit>()),
      combo(Add<TComboEdit>()),
      button(Add<TButton>()),
      blink(*this),
      demoMenu(Menu().Add(u" Demo ")),
      countItem(demoMenu.Add(u"Count", [this](TMenuItem&) { Count(); })),
      hideItem(demoMenu.Add(u"Hide Link",
                            [this](TMenuItem& item) {
                                link.SetVisible(!link.Visible());
                                item.SetCaption(link.Visible() ? u"Hide Link" : u"Show Link");
                            })),
      separator(demoMenu.AddSeparator()),
      exitItem(demoMenu.Add(u"Exit", [this](TMenuItem&) { Close(); })) {
    SetCaption(u"Pelmira UI Demo");
    SetFont(TFont{u"MS Sans Serif", 8, fsNone, clWindowText});
    SetClientSize(420, 240);

    bar.SetBounds(0, 0, 420, 25);
    bar.SetColor(clWindow);
    link.SetBounds(8, 6, 120, 14);
    link.SetText(u"Count a Click");
    link.OnClick = [this](TControl&) { Count(); };
    light.SetBounds(396, 6, 14, 14);
    light.SetBrush(TBrush{Rgb(102, 146, 206)});
    light.SetPen(TPen{clGray, 1});
    light.SetHint(u"Not connected");
    light.SetShowHint(true);

    info.SetBounds(0, 25, 420, 40);
    info.SetTitle(u"Software Versions");
    info.SetText(u"0 clicks counted.");

    label.SetBounds(8, 80, 120, 16);
    label.SetText(u"Proxy server:");
    edit.SetBounds(130, 78, 150, 20);
    combo.SetBounds(130, 108, 150, 21);
    combo.SetItems({u"True", u"False"});

    button.SetBounds(330, 200, 75, 25);
    button.SetText(u"OK");
    button.OnClick = [this](TControl&) { Count(); };

    blink.SetInterval(500);
    blink.OnTimer = [this](TTimer&) {
        ++m_ticks;
        light.SetBrush(TBrush{m_ticks % 2 != 0 ? Rgb(155, 159, 166) : Rgb(102, 146, 206)});
    };
    blink.SetEnabled(true);
    Menu().Add(u" Help ").Add(u"About", [this](TMenuItem&) {
        Application().ShowMessage("Pelmira UI Demo: a link, a panel, a shape, a button and a menu.");
    });
    CenterOnScreen();
}

void TDemoForm::Count() {
    ++m_clicks;
    info.SetText(Decimal(m_clicks) + (m_clicks == 1 ? u" click counted." : u" clicks counted."));
}

}  // namespace ui::demo
