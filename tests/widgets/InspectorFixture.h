#pragma once

#include <gtest/gtest.h>

#include <string>

#include "SettingsItems.h"
#include "ui/Button.h"
#include "ui/HeadlessFixture.h"

namespace widgets::test {

// A shown headless form holding an inspector with the settings page's items
// and an OK button that takes the focus away.
class InspectorFixture : public ui::test::HeadlessFixture {
protected:
    static constexpr ui::TPoint kOrigin{8, 8};  // the inspector's place on the form

    InspectorFixture()
        : inspector(form.Add<TPropertyInspector>()), ok(form.Add<ui::TButton>()), items(AddSettingsItems(inspector)) {
        inspector.SetBounds(kOrigin.x, kOrigin.y, 320, 200);
        ok.SetBounds(8, 260, 75, 25);
        ok.SetText(u"OK");
        ok.OnClick = [this](ui::TControl&) { portAtOk = port->Value(); };
    }

    // The form point in the middle of the caption / value cell of shown row.
    static ui::TPoint CaptionPoint(int row) { return {kOrigin.x + 60, kOrigin.y + row * 16 + 7}; }
    static ui::TPoint ValuePoint(int row) { return {kOrigin.x + 240, kOrigin.y + row * 16 + 7}; }

    bool Key(ui::TKey key, ui::TShiftState shift = ui::ssNone) { return system.Key(form, key, shift); }
    void ClickAt(ui::TPoint formPoint) { system.Click(form, formPoint); }
    // Types text into the open editor (which must exist).
    void Type(std::u16string text) {
        ASSERT_NE(inspector.Editor(), nullptr);
        system.TypeText(*inspector.Editor(), std::move(text));
    }

    TPropertyInspector& inspector;
    ui::TButton& ok;
    TSettingsItems items;
    TToolbarItem* privacy = items.privacy;
    TCheckBoxItem* upload = items.upload;
    TToolbarItem* connection = items.connection;
    TComboBoxItem* auth = items.auth;
    TTextItem* host = items.host;
    TTextItem* password = items.password;
    TTextItem* port = items.port;
    TTextItem* user = items.user;
    TComboBoxItem* version = items.version;
    std::u16string portAtOk = u"(not clicked)";
};

}  // namespace widgets::test
