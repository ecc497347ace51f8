#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InspectorFixture.h"
#include "ui/AccessibleSnapshot.h"

namespace widgets::test {
namespace {

using ui::TKey;
using ui::TRect;
using ui::headless::TDrawOp;

std::vector<std::u16string> ShownCaptions(const TPropertyInspector& inspector) {
    std::vector<std::u16string> captions;
    for (const TPropertyItem* item : inspector.ShownItems()) captions.push_back(item->Caption());
    return captions;
}

// --- layout and drawing

TEST_F(InspectorFixture, RowsCellsAndSplitterFollowTheLayout) {
    EXPECT_EQ(inspector.RowRect(*privacy), (TRect{0, 0, 320, 16}));
    EXPECT_EQ(inspector.RowRect(*host), (TRect{0, 64, 320, 80}));
    EXPECT_EQ(inspector.CaptionRect(*host), (TRect{14, 64, 150, 79}));
    EXPECT_EQ(inspector.ValueRect(*host), (TRect{151, 64, 320, 79}));
    EXPECT_EQ(inspector.RowRect(*version), TRect{});
    EXPECT_EQ(inspector.ItemAt({200, 70}), host);
    EXPECT_EQ(inspector.ItemAt({5, 127}), user);
    EXPECT_EQ(inspector.ItemAt({5, 128}), nullptr);
    EXPECT_EQ(inspector.ExpandButtonRect(*connection), (TRect{2, 35, 11, 44}));
    EXPECT_EQ(inspector.ExpandButtonRect(*host), TRect{});

    inspector.SetOptions(poEnterSelectNext);  // without grid lines the cells take the whole row
    EXPECT_EQ(inspector.ValueRect(*host), (TRect{151, 64, 320, 80}));
    for (const auto& [asked, stored] : {std::pair{10, 14}, {14, 14}, {15, 15}, {-3, 14}, {150, 150}}) {
        inspector.SetSplitterPosition(asked);
        EXPECT_EQ(inspector.SplitterPosition(), stored) << asked;
    }
}

TEST_F(InspectorFixture, PaintsMarginCaptionsCategoriesGridAndCheckBox) {
    auto canvas = PaintForm();
    // Device coordinates: the inspector sits at (8, 8) on the form.
    const auto* caption = canvas.FindText(u"ProxyServer");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->rect, (TRect{8 + 26, 8 + 64, 8 + 149, 8 + 79}));  // indented one level
    const auto* category = canvas.FindText(u"HTTP Connection");
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->rect.left, 8 + 16);
    EXPECT_EQ(category->font.color, ui::clBlack);

    bool categoryFill = false, marginFill = false;
    for (const auto* fill : canvas.CallsOf(TDrawOp::doFillRect)) {
        categoryFill |= fill->rect == TRect{8, 40, 328, 56} && fill->color == ui::Rgb(213, 228, 242);
        marginFill |= fill->rect == TRect{8, 72, 22, 88} && fill->color == ui::clGrayText;
    }
    EXPECT_TRUE(categoryFill);
    EXPECT_TRUE(marginFill);

    bool rowLine = false, splitterLine = false;
    for (const auto* line : canvas.CallsOf(TDrawOp::doLine)) {
        if (line->pen.color != ui::cl3DLight) continue;
        rowLine |= line->points == std::vector<ui::TPoint>{{22, 87}, {328, 87}};
        splitterLine |= line->points == std::vector<ui::TPoint>{{158, 72}, {158, 88}};
    }
    EXPECT_TRUE(rowLine);
    EXPECT_TRUE(splitterLine);

    // The check box in the value column with its value text next to it.
    bool box = false;
    for (const auto* r : canvas.CallsOf(TDrawOp::doRectangle)) box |= r->rect == TRect{161, 25, 174, 38};
    EXPECT_TRUE(box);
    const auto* yes = canvas.FindText(u"yes");
    ASSERT_NE(yes, nullptr);
    EXPECT_EQ(yes->rect.left, 178);
    // The hidden item is never drawn.
    EXPECT_EQ(canvas.FindText(u"Version"), nullptr);
    int texts = 0;  // the inspector's own: 8 captions and "yes" (empty values draw nothing)
    for (const auto* t : canvas.CallsOf(TDrawOp::doDrawText)) texts += t->rect.top < 8 + 200 ? 1 : 0;
    EXPECT_EQ(texts, 9);
}

TEST_F(InspectorFixture, ScrollsTheSelectionIntoViewAndPaintsOnlyVisibleRows) {
    inspector.SetBounds(kOrigin.x, kOrigin.y, 320, 50);
    EXPECT_TRUE(inspector.Scroll().Visible());
    EXPECT_EQ(inspector.Scroll().range, 128);
    inspector.SetSelected(privacy);
    inspector.TakeFocus();
    for (int i = 0; i < 8; ++i) Key(TKey::kDown);
    EXPECT_EQ(inspector.Selected(), user);
    EXPECT_EQ(inspector.Scroll().position, 128 - 50);
    EXPECT_EQ(inspector.RowRect(*user).top, 7 * 16 - 78);
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.Editor()->Bounds(), inspector.ValueRect(*user));

    auto canvas = PaintForm();
    EXPECT_EQ(canvas.FindText(u"Privacy Settings"), nullptr);
    EXPECT_NE(canvas.FindText(u"ProxyUsername"), nullptr);
    Key(TKey::kPageUp);  // two rows a page at this height
    EXPECT_EQ(inspector.Selected(), password);
    Key(TKey::kPageUp);
    Key(TKey::kPageUp);
    Key(TKey::kPageUp);
    EXPECT_EQ(inspector.Selected(), privacy);
    EXPECT_EQ(inspector.Scroll().position, 0);
}

// --- keys

TEST_F(InspectorFixture, ArrowKeysWalkTheShownItemsAndSkipTheHiddenOne) {
    inspector.SetSelected(privacy);
    inspector.TakeFocus();
    const TPropertyItem* walk[] = {upload, connection, auth, host, password, port, user, user};
    for (const TPropertyItem* expected : walk) {
        EXPECT_TRUE(Key(TKey::kDown));
        EXPECT_EQ(inspector.Selected(), expected) << inspector.Selected()->Caption().size();
    }
    EXPECT_TRUE(Key(TKey::kUp));
    EXPECT_EQ(inspector.Selected(), port);
    // Alt+Down belongs to the drop-down list, as do arrows while it is open.
    inspector.SetSelected(auth);
    EXPECT_FALSE(Key(TKey::kDown, ui::ssAlt));
    system.SetDroppedDown(static_cast<ui::TComboEdit&>(*inspector.Editor()), true);
    EXPECT_FALSE(Key(TKey::kDown));
    EXPECT_EQ(inspector.Selected(), auth);
}

TEST_F(InspectorFixture, HomeEndAndPlusMinusWorkOnTheListNotInsideAnEditor) {
    inspector.SetSelected(upload);
    inspector.TakeFocus();
    EXPECT_TRUE(Key(TKey::kEnd));
    EXPECT_EQ(inspector.Selected(), user);
    // The editor has the focus now: Home moves its caret, "-" is typed.
    EXPECT_TRUE(inspector.Editor()->Focused());
    EXPECT_FALSE(Key(TKey::kHome));
    EXPECT_FALSE(Key(TKey::kMinus));
    EXPECT_EQ(inspector.Selected(), user);

    inspector.SetSelected(connection);
    EXPECT_TRUE(inspector.Focused());
    EXPECT_TRUE(Key(TKey::kMinus));
    EXPECT_EQ(ShownCaptions(inspector),
              (std::vector<std::u16string>{u"Privacy Settings", u"Allows uploading versions", u"HTTP Connection"}));
    EXPECT_TRUE(Key(TKey::kDown));  // nothing below a collapsed last category
    EXPECT_EQ(inspector.Selected(), connection);
    EXPECT_TRUE(Key(TKey::kPlus));
    EXPECT_EQ(inspector.ShownItems().size(), 8u);
    EXPECT_TRUE(Key(TKey::kHome));
    EXPECT_EQ(inspector.Selected(), privacy);
}

TEST_F(InspectorFixture, EnterAppliesAndMovesOnButStaysOnTheLastItem) {
    inspector.SetSelected(port);
    inspector.TakeFocus();
    Type(u"3128");
    EXPECT_EQ(port->Value(), u"");
    EXPECT_TRUE(Key(TKey::kEnter));
    EXPECT_EQ(port->Value(), u"3128");
    EXPECT_EQ(inspector.Selected(), user);
    EXPECT_EQ(inspector.Editor()->Text(), u"");

    Type(u"bob");
    EXPECT_TRUE(Key(TKey::kEnter));
    EXPECT_EQ(user->Value(), u"bob");
    EXPECT_EQ(inspector.Selected(), user);
    EXPECT_EQ(inspector.EditedItem(), user);

    inspector.SetOptions(poGrid);  // without poEnterSelectNext Enter only applies
    inspector.SetSelected(host);
    Type(u"proxy");
    EXPECT_TRUE(Key(TKey::kEnter));
    EXPECT_EQ(host->Value(), u"proxy");
    EXPECT_EQ(inspector.Selected(), host);
}

TEST_F(InspectorFixture, SpaceAndAClickOnTheBoxFlipTheCheckBox) {
    inspector.SetSelected(upload);
    inspector.TakeFocus();
    EXPECT_TRUE(Key(TKey::kSpace));
    EXPECT_EQ(upload->Value(), u"no");
    ClickAt({8 + 153 + 6, 8 + 16 + 7});  // the box
    EXPECT_EQ(upload->Value(), u"yes");
    ClickAt({8 + 60, 8 + 16 + 7});  // the caption only selects
    EXPECT_EQ(upload->Value(), u"yes");
    upload->SetEnabled(false);
    EXPECT_FALSE(Key(TKey::kSpace));
    ClickAt({8 + 153 + 6, 8 + 16 + 7});
    EXPECT_EQ(upload->Value(), u"yes");
}

// --- editing

TEST_F(InspectorFixture, ClickingARowOpensItsEditorWithTheFocus) {
    ClickAt(ValuePoint(4));
    EXPECT_EQ(inspector.Selected(), host);
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_TRUE(inspector.Editor()->Focused());
    EXPECT_EQ(inspector.Editor()->Bounds(), inspector.ValueRect(*host));
    EXPECT_EQ(inspector.Editor()->WindowKind(), ui::TWindowKind::wkEdit);
    ClickAt(CaptionPoint(3));
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.Editor()->WindowKind(), ui::TWindowKind::wkComboEdit);
    auto& combo = static_cast<ui::TComboEdit&>(*inspector.Editor());
    EXPECT_EQ(combo.Items(), (std::vector<std::u16string>{u"True", u"False"}));
    combo.SelectItem(0);  // a choice from the list is applied at once
    EXPECT_EQ(auth->Value(), u"True");
    EXPECT_EQ(auth->ItemIndex(), 0);
    Type(u"maybe");
    ClickAt(CaptionPoint(1));  // a check box has no editor: the inspector itself takes the focus
    EXPECT_EQ(auth->Value(), u"maybe");
    EXPECT_EQ(inspector.Editor(), nullptr);
    EXPECT_TRUE(inspector.Focused());
}

TEST_F(InspectorFixture, EditsAreAppliedOnMovingAndOnLosingTheFocus) {
    ClickAt(ValuePoint(4));
    Type(u"proxy.example");
    Key(TKey::kDown);
    EXPECT_EQ(host->Value(), u"proxy.example");
    EXPECT_EQ(inspector.Selected(), password);

    Type(u"secret");
    ClickAt(CaptionPoint(6));  // the mouse moves to another item
    EXPECT_EQ(password->Value(), u"secret");

    Type(u"8080");
    ClickAt({8 + 30, 260 + 12});  // the page's OK button
    EXPECT_EQ(portAtOk, u"8080");
    EXPECT_TRUE(ok.Focused());

    ClickAt(ValuePoint(7));
    Type(u"alice");
    EXPECT_TRUE(Key(TKey::kTab));  // Tab is the form's: the focus moves on and the edit stays
    EXPECT_EQ(user->Value(), u"alice");
    EXPECT_TRUE(ok.Focused());
    // Back by Shift+Tab: the editor is the inspector's Tab stop, and it leads on past the inspector.
    EXPECT_TRUE(Key(TKey::kTab, ui::ssShift));
    EXPECT_TRUE(inspector.Editor()->Focused());
    EXPECT_TRUE(Key(TKey::kTab, ui::ssShift));
    EXPECT_TRUE(ok.Focused());
}

TEST_F(InspectorFixture, TabbingInSelectsTheFirstItem) {
    EXPECT_TRUE(Key(TKey::kTab));
    EXPECT_TRUE(inspector.Focused());
    EXPECT_EQ(inspector.Selected(), privacy);
}

TEST_F(InspectorFixture, EscapeRestoresAndARefusedEditShowsTheOldValue) {
    host->SetValue(u"old");
    ClickAt(ValuePoint(4));
    EXPECT_EQ(inspector.Editor()->Text(), u"old");
    Type(u"typo");
    EXPECT_TRUE(Key(TKey::kEscape));
    EXPECT_EQ(inspector.Editor()->Text(), u"old");

    std::vector<std::u16string> asked;
    inspector.OnAccept = [&](TPropertyInspector&, TPropertyItem& item, const std::u16string& text) {
        asked.push_back(item.Caption() + u"=" + text);
        return text != u"bad";
    };
    Type(u"bad");
    EXPECT_FALSE(inspector.ApplyEdit());
    EXPECT_EQ(host->Value(), u"old");
    EXPECT_EQ(inspector.Editor()->Text(), u"old");
    Type(u"good");
    Key(TKey::kEnter);
    EXPECT_EQ(host->Value(), u"good");
    EXPECT_EQ(asked, (std::vector<std::u16string>{u"ProxyServer=bad", u"ProxyServer=good"}));

    // A value the program writes shows in the open editor.
    inspector.SetSelected(port);
    port->SetValue(u"81");
    EXPECT_EQ(inspector.Editor()->Text(), u"81");
}

TEST_F(InspectorFixture, HiddenItemKeepsItsValue) {
    version->SetValue(u"svSocks5");
    EXPECT_EQ(version->Value(), u"svSocks5");
    EXPECT_FALSE(inspector.IsShown(*version));
    inspector.SetSelected(version);  // unreachable while hidden
    EXPECT_EQ(inspector.Selected(), nullptr);
}

// --- mouse

TEST_F(InspectorFixture, ExpandButtonCollapsesAndTheSelectionMovesUp) {
    ClickAt(ValuePoint(4));
    Type(u"kept");
    ClickAt({8 + 6, 8 + 32 + 7});  // the button of "HTTP Connection" in the margin
    EXPECT_FALSE(connection->Expanded());
    EXPECT_EQ(inspector.Selected(), connection);
    EXPECT_EQ(host->Value(), u"kept");
    EXPECT_EQ(inspector.Editor(), nullptr);
    EXPECT_TRUE(inspector.Focused());

    inspector.SetSelected(privacy);
    inspector.SetSelected(upload);
    privacy->SetExpanded(false);  // collapsing from the program moves the selection too
    EXPECT_EQ(inspector.Selected(), privacy);
    EXPECT_EQ(inspector.ShownItems().size(), 2u);
}

TEST_F(InspectorFixture, DraggingMovesTheSelectionOnlyWithoutUniformSelect) {
    system.MouseDown(form, CaptionPoint(1));
    system.MouseMove(form, CaptionPoint(5));
    system.MouseUp(form, CaptionPoint(5));
    EXPECT_EQ(inspector.Selected(), upload);

    inspector.SetOptions(poGrid | poEnterSelectNext);
    system.MouseDown(form, CaptionPoint(1));
    system.MouseMove(form, CaptionPoint(5));
    EXPECT_EQ(inspector.Selected(), password);
    system.MouseUp(form, CaptionPoint(5));
    system.MouseMove(form, CaptionPoint(6));  // no button held: no change
    EXPECT_EQ(inspector.Selected(), password);
}

TEST_F(InspectorFixture, SplitterDragsOnlyWithSplitterMoving) {
    system.MouseDown(form, {8 + 150, CaptionPoint(4).y});
    system.MouseMove(form, {8 + 200, CaptionPoint(4).y});
    system.MouseUp(form, {8 + 200, CaptionPoint(4).y});
    EXPECT_EQ(inspector.SplitterPosition(), 150);
    inspector.SetOptions(inspector.Options() | poSplitterMoving);
    system.MouseDown(form, {8 + 149, CaptionPoint(4).y});
    system.MouseMove(form, {8 + 200, CaptionPoint(4).y});
    system.MouseUp(form, {8 + 200, CaptionPoint(4).y});
    EXPECT_EQ(inspector.SplitterPosition(), 200);
}

// --- accessibility

TEST_F(InspectorFixture, ExposesShownItemsToAssistiveTools) {
    host->SetValue(u"proxy.local");
    inspector.SetSelected(host);
    EXPECT_EQ(inspector.WindowClassName(), u"TPropertyInspector");
    struct TRow {
        std::u16string name;
        std::u16string value;
        unsigned state;
    };
    const TRow rows[] = {
        {u"Privacy Settings", u"", ui::asExpanded},
        {u"Allows uploading versions", u"True", ui::asNone},
        {u"HTTP Connection", u"", ui::asExpanded},
        {u"BasicAuthentication", u"", ui::asNone},
        {u"ProxyServer", u"proxy.local", ui::asSelected},
        {u"ProxyPassword", u"", ui::asNone},
        {u"ProxyPort", u"", ui::asNone},
        {u"ProxyUsername", u"", ui::asNone},
    };
    const auto snapshot = ui::ReadAccessible(inspector);
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(snapshot->role, ui::TAccRole::arOutline);
    ASSERT_EQ(snapshot->children.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        const ui::TAccItem& child = snapshot->children[i];
        EXPECT_EQ(child.role, ui::TAccRole::arOutlineItem);
        EXPECT_EQ(child.name, rows[i].name);
        EXPECT_EQ(child.value, rows[i].value);
        EXPECT_EQ(child.state, rows[i].state) << i;
    }
    upload->SetValue(u"no");
    connection->SetExpanded(false);
    const auto collapsed = ui::ReadAccessible(inspector);
    ASSERT_EQ(collapsed->children.size(), 3u);
    EXPECT_EQ(collapsed->children[1].value, u"False");
    EXPECT_EQ(collapsed->children[2].state, unsigned{ui::asCollapsed | ui::asSelected});
    EXPECT_EQ(inspector.AccChild(3).name, u"");  // outside the list: an empty item, no crash
}

}  // namespace
}  // namespace widgets::test
