#pragma once

#include <string>

#include "widgets/CheckBoxItem.h"
#include "widgets/ComboBoxItem.h"
#include "widgets/PropertyInspector.h"
#include "widgets/TextItem.h"
#include "widgets/ToolbarItem.h"

namespace widgets::test {

// The settings page's nine items, set up as the main window sets them up.
struct TSettingsItems {
    TToolbarItem* privacy = nullptr;
    TCheckBoxItem* upload = nullptr;
    TToolbarItem* connection = nullptr;
    TComboBoxItem* auth = nullptr;
    TTextItem* host = nullptr;
    TTextItem* password = nullptr;
    TTextItem* port = nullptr;
    TTextItem* user = nullptr;
    TComboBoxItem* version = nullptr;
};

// Gives inspector the settings page's look and its items, and returns them.
inline TSettingsItems AddSettingsItems(TPropertyInspector& inspector) {
    inspector.SetOptions(poGrid | poEnterSelectNext | poUniformSelect);
    inspector.SetSplitterPosition(150);
    inspector.SetStyle(TPropertiesStyle::psOffice2007);
    inspector.SetGridColor(ui::cl3DLight);
    inspector.SetMarginColor(ui::clGrayText);
    TPropertyItems& items = inspector.Items();
    auto category = [&](std::u16string caption) -> TToolbarItem& {
        auto& item = items.Add<TToolbarItem>(-1);
        item.SetCaption(std::move(caption));
        item.AddButton({u"", "GLYPH", false, true});
        item.SetButtonsAlign(TButtonsAlign::baRight);
        item.SetAllowAllUp(true);
        item.SetFont(ui::TFont{u"Tahoma", 8, ui::fsNone, ui::clBlack});
        return item;
    };
    auto text = [&](std::u16string caption) -> TTextItem& {
        auto& item = items.Add<TTextItem>(2);
        item.SetCaption(std::move(caption));
        return item;
    };
    TSettingsItems s;
    s.privacy = &category(u"Privacy Settings");
    s.upload = &items.Add<TCheckBoxItem>(0);
    s.upload->SetCaption(u"Allows uploading versions");
    s.upload->SetTextKind(TCheckBoxTextKind::tkYesNo);
    s.upload->SetShowText(true);
    s.upload->SetValue(u"yes");
    s.connection = &category(u"HTTP Connection");
    s.auth = &items.Add<TComboBoxItem>(2);
    s.auth->SetCaption(u"BasicAuthentication");
    s.auth->SetLines({u"True", u"False"});
    s.host = &text(u"ProxyServer");
    s.password = &text(u"ProxyPassword");
    s.port = &text(u"ProxyPort");
    s.user = &text(u"ProxyUsername");
    s.version = &items.Add<TComboBoxItem>(2);
    s.version->SetCaption(u"Version");
    s.version->SetVisible(false);
    s.version->SetLines({u"svNoSocks", u"svSocks4", u"svSocks4A", u"svSocks5"});
    return s;
}

}  // namespace widgets::test
