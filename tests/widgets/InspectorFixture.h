#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ui/Button.h"
#include "ui/HeadlessFixture.h"
#include "widgets/CheckBoxItem.h"
#include "widgets/ComboBoxItem.h"
#include "widgets/PropertyInspector.h"
#include "widgets/TextItem.h"
#include "widgets/ToolbarItem.h"

namespace widgets::test {

// A shown form holding an inspector with the settings page's nine items (as
// the main window sets them up) and an OK button that takes the focus away.
class InspectorFixture : public ui::test::HeadlessFixture {
protected:
    static constexpr ui::TPoint kOrigin{8, 8};  // the inspector's place on the form

    InspectorFixture() : inspector(form.Add<TPropertyInspector>()), ok(form.Add<ui::TButton>()) {
        inspector.SetBounds(kOrigin.x, kOrigin.y, 320, 200);
        inspector.SetOptions(poGrid | poEnterSelectNext | poUniformSelect);
        inspector.SetSplitterPosition(150);
        inspector.SetStyle(TPropertiesStyle::psOffice2007);
        inspector.SetGridColor(ui::cl3DLight);
        inspector.SetMarginColor(ui::clGrayText);
        ok.SetBounds(8, 260, 75, 25);
        ok.SetText(u"OK");
        ok.OnClick = [this](ui::TControl&) { portAtOk = port->Value(); };

        TPropertyItems& items = inspector.Items();
        privacy = &Category(u"Privacy Settings", -1);
        upload = &items.Add<TCheckBoxItem>(0);
        upload->SetCaption(u"Allows uploading versions");
        upload->SetTextKind(TCheckBoxTextKind::tkYesNo);
        upload->SetShowText(true);
        upload->SetValue(u"yes");
        connection = &Category(u"HTTP Connection", -1);
        auth = &items.Add<TComboBoxItem>(2);
        auth->SetCaption(u"BasicAuthentication");
        auth->SetLines({u"True", u"False"});
        host = &Text(u"ProxyServer");
        password = &Text(u"ProxyPassword");
        port = &Text(u"ProxyPort");
        user = &Text(u"ProxyUsername");
        version = &items.Add<TComboBoxItem>(2);
        version->SetCaption(u"Version");
        version->SetVisible(false);
        version->SetLines({u"svNoSocks", u"svSocks4", u"svSocks4A", u"svSocks5"});
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
    TToolbarItem* privacy = nullptr;
    TCheckBoxItem* upload = nullptr;
    TToolbarItem* connection = nullptr;
    TComboBoxItem* auth = nullptr;
    TTextItem* host = nullptr;
    TTextItem* password = nullptr;
    TTextItem* port = nullptr;
    TTextItem* user = nullptr;
    TComboBoxItem* version = nullptr;
    std::u16string portAtOk = u"(not clicked)";

private:
    TToolbarItem& Category(std::u16string caption, int parentIndex) {
        auto& item = inspector.Items().Add<TToolbarItem>(parentIndex);
        item.SetCaption(std::move(caption));
        item.AddButton({u"", "GLYPH", false, true});
        item.SetButtonsAlign(TButtonsAlign::baRight);
        item.SetAllowAllUp(true);
        item.SetFont(ui::TFont{u"Tahoma", 8, ui::fsNone, ui::clBlack});
        return item;
    }
    TTextItem& Text(std::u16string caption) {
        auto& item = inspector.Items().Add<TTextItem>(2);
        item.SetCaption(std::move(caption));
        return item;
    }
};

}  // namespace widgets::test
