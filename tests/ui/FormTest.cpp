#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HeadlessFixture.h"
#include "ui/Button.h"
#include "ui/ComboEdit.h"
#include "ui/Edit.h"
#include "ui/LinkLabel.h"
#include "ui/Notebook.h"
#include "ui/Panel.h"
#include "ui/Shape.h"

namespace ui::test {
namespace {

using FormTest = HeadlessFixture;

TEST_F(FormTest, ClickNeedsPressAndReleaseOnTheSameControl) {
    auto& a = form.Add<TButton>();
    a.SetBounds(10, 10, 50, 20);
    auto& b = form.Add<TButton>();
    b.SetBounds(100, 10, 50, 20);
    std::vector<std::string> clicks;
    a.OnClick = [&](TControl&) { clicks.push_back("a"); };
    b.OnClick = [&](TControl&) { clicks.push_back("b"); };

    system.Click(form, {20, 20});
    system.MouseDown(form, {20, 20});
    system.MouseUp(form, {110, 20});  // released over b: the press belongs to a
    system.MouseDown(form, {110, 20}, TMouseButton::mbRight);
    system.MouseUp(form, {110, 20}, TMouseButton::mbRight);
    system.MouseUp(form, {110, 20});  // a release whose press happened outside the form
    system.Click(b);
    system.Click(form, {200, 200});  // the form itself has no handler
    EXPECT_EQ(clicks, (std::vector<std::string>{"a", "b"}));
}

TEST_F(FormTest, MouseStaysCapturedBetweenPressAndRelease) {
    struct TTracker : TControl {
        std::vector<TPoint> moves;
        void MouseMove(const TMouseEvent& e) override { moves.push_back(e.client); }
    };
    auto& tracker = form.Add<TTracker>();
    tracker.SetBounds(50, 50, 20, 20);
    system.MouseDown(form, {55, 55});
    system.MouseMove(form, {150, 40});  // outside, still reported in the tracker's space
    system.MouseUp(form, {150, 40});
    system.MouseMove(form, {151, 40});  // released: goes to the form now
    EXPECT_EQ(tracker.moves, (std::vector<TPoint>{{100, -10}}));
}

TEST_F(FormTest, DisabledControlsTakeNoClicks) {
    auto& panel = form.Add<TPanel>();
    panel.SetBounds(0, 0, 200, 100);
    auto& button = panel.Add<TButton>();
    button.SetBounds(10, 10, 50, 20);
    int clicks = 0;
    button.OnClick = [&](TControl&) { ++clicks; };
    panel.SetEnabled(false);
    system.Click(button);
    EXPECT_EQ(clicks, 0);
    panel.SetEnabled(true);
    system.Click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, ShapeHintOpensWhileTheMouseIsOverIt) {
    auto& shape = form.Add<TShape>();
    shape.SetBounds(380, 6, 14, 14);
    shape.SetHint(u"Not connected");
    shape.SetShowHint(true);
    auto& quiet = form.Add<TShape>();
    quiet.SetBounds(300, 6, 14, 14);
    quiet.SetHint(u"never shown");

    system.MouseMove(form, {385, 10});
    EXPECT_TRUE(system.Hint().shown);
    EXPECT_EQ(system.Hint().text, u"Not connected");
    EXPECT_EQ(system.Hint().formClient, (TPoint{385, 30}));
    system.MouseMove(form, {305, 10});
    EXPECT_FALSE(system.Hint().shown);
    system.MouseMove(form, {385, 10});
    system.MouseLeave(form);
    EXPECT_FALSE(system.Hint().shown);
    EXPECT_EQ(form.HoverControl(), nullptr);
}

TEST_F(FormTest, OwnHintWindowOpensAndClosesAtItsPlace) {
    auto& panel = form.Add<TPanel>();
    panel.SetBounds(20, 30, 200, 100);
    THintWindow hint(panel);
    hint.Open(u"A title too long for its column", {5, 6}, 180);
    EXPECT_TRUE(hint.IsOpen());
    EXPECT_EQ(system.Hint().formClient, (TPoint{25, 36}));
    EXPECT_EQ(system.Hint().maxWidth, 180);
    hint.Close();
    hint.Close();
    EXPECT_FALSE(system.Hint().shown);
}

TEST_F(FormTest, ScrollBarClampsAndTheWheelScrollsTheControlUnderThePointer) {
    auto& list = form.Add<TPanel>();
    list.SetBounds(0, 0, 200, 100);
    auto& inner = list.Add<TButton>();  // no scroll bar: passes the wheel on
    inner.SetBounds(10, 10, 50, 20);
    int scrolls = 0;
    list.OnScroll = [&](TControl&) { ++scrolls; };

    list.SetScroll({1000, 100, 2000, 16});
    EXPECT_EQ(list.Scroll().position, 900);
    EXPECT_TRUE(list.Scroll().Visible());
    EXPECT_EQ(list.ClientRect(), (TRect{0, 0, 200 - kScrollBarWidth, 100}));

    struct Case {
        const char* name;
        int delta;
        int expected;
    };
    const Case cases[] = {
        {"one notch up: three lines", 120, 852},
        {"two notches down, stops at the end", -240, 900},
        {"far up stops at the top", 120 * 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        system.Wheel(form, {20, 20}, c.delta);  // over the button
        EXPECT_EQ(list.Scroll().position, c.expected);
    }
    system.ScrollTo(list, 450);
    EXPECT_EQ(list.Scroll().position, 450);
    EXPECT_EQ(scrolls, 4);
    system.ScrollTo(list, 450);  // no move, no event
    EXPECT_EQ(scrolls, 4);

    list.SetScroll({80, 100, 0, 16});  // everything fits: no bar
    EXPECT_FALSE(list.Scroll().Visible());
    EXPECT_EQ(list.ClientRect().Width(), 200);
    system.Wheel(form, {20, 20}, -120);
    EXPECT_EQ(list.Scroll().position, 0);
}

class FocusTest : public HeadlessFixture {
protected:
    FocusTest() {
        link1.SetBounds(8, 6, 120, 14);
        hidden.SetBounds(130, 6, 120, 14);
        hidden.SetVisible(false);
        edit.SetBounds(10, 40, 100, 20);
        disabled.SetBounds(10, 70, 75, 25);
        disabled.SetEnabled(false);
        ok.SetBounds(100, 70, 75, 25);
        for (TControl* c : std::vector<TControl*>{&link1, &hidden, &edit, &disabled, &ok})
            c->OnClick = [this](TControl& sender) { clicked.push_back(&sender); };
        edit.OnExit = [this](TControl&) { ++exits; };
    }

    TLinkLabel& link1 = form.Add<TLinkLabel>();
    TLinkLabel& hidden = form.Add<TLinkLabel>();
    TEdit& edit = form.Add<TEdit>();
    TButton& disabled = form.Add<TButton>();
    TButton& ok = form.Add<TButton>();
    std::vector<TControl*> clicked;
    int exits = 0;
};

TEST_F(FocusTest, TabVisitsShowingEnabledControlsInOrderAndWraps) {
    std::vector<TControl*> visited;
    for (int i = 0; i < 4; ++i) {
        system.Key(form, TKey::kTab);
        visited.push_back(form.FocusedControl());
    }
    EXPECT_EQ(visited, (std::vector<TControl*>{&link1, &edit, &ok, &link1}));
    system.Key(form, TKey::kTab, ssShift);
    EXPECT_EQ(form.FocusedControl(), &ok);
    EXPECT_TRUE(ok.Focused());
}

TEST_F(FocusTest, EnterOrSpaceActivatesTheFocusedLinkOrButton) {
    link1.SetFocus();
    EXPECT_TRUE(system.Key(form, TKey::kEnter));
    ok.SetFocus();
    EXPECT_TRUE(system.Key(form, TKey::kSpace));
    EXPECT_FALSE(system.Key(form, TKey::kDown));
    disabled.SetFocus();  // cannot take the focus
    EXPECT_EQ(form.FocusedControl(), &ok);
    EXPECT_EQ(clicked, (std::vector<TControl*>{&link1, &ok}));
}

TEST_F(FocusTest, EditorSeesKeysFirstAndReportsLeavingTheFocus) {
    std::vector<TKey> keys;
    edit.OnKeyDown = [&](TEdit&, const TKeyEvent& e) {
        keys.push_back(e.key);
        return e.key == TKey::kEnter;
    };
    system.Click(edit);
    EXPECT_TRUE(edit.Focused());
    system.TypeText(edit, u"8080");
    EXPECT_EQ(edit.Text(), u"8080");
    EXPECT_TRUE(system.Key(form, TKey::kEnter));
    EXPECT_FALSE(system.Key(form, TKey::kUp));
    EXPECT_EQ(exits, 0);
    system.Click(ok);  // clicking the page's OK takes the focus away first
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(keys, (std::vector<TKey>{TKey::kEnter, TKey::kUp}));
    EXPECT_EQ(clicked.back(), &ok);
}

TEST_F(FocusTest, HidingTheFocusedControlsPageDropsTheFocus) {
    auto& book = form.Add<TNotebook>();
    book.SetBounds(0, 100, 400, 200);
    auto& page0 = book.AddPage("results");
    auto& page1 = book.AddPage("settings");
    auto& editor = page1.Add<TEdit>();
    editor.SetBounds(10, 10, 100, 20);
    int left = 0;
    editor.OnExit = [&](TControl&) { ++left; };
    book.ShowPage(page1);
    editor.SetFocus();
    ASSERT_TRUE(editor.Focused());
    book.ShowPage(page0);
    EXPECT_EQ(form.FocusedControl(), nullptr);
    EXPECT_EQ(left, 1);
}

TEST_F(FocusTest, ComboEditPicksLinesAndKeepsTypedText) {
    auto& combo = form.Add<TComboEdit>();
    combo.SetBounds(10, 120, 100, 21);
    combo.SetItems({u"True", u"False"});
    std::vector<int> picked;
    combo.OnSelect = [&](TComboEdit&, int index) { picked.push_back(index); };
    combo.SelectItem(1);
    EXPECT_EQ(combo.Text(), u"False");
    combo.SelectItem(2);  // no such line
    combo.SelectItem(-1);
    EXPECT_EQ(combo.Text(), u"False");
    system.TypeText(combo, u"maybe");
    EXPECT_EQ(combo.Text(), u"maybe");
    EXPECT_EQ(picked, (std::vector<int>{1}));
    EXPECT_FALSE(combo.DroppedDown());
    system.SetDroppedDown(combo, true);
    EXPECT_TRUE(combo.DroppedDown());
}

class MenuTest : public HeadlessFixture {
protected:
    MenuTest() {
        auto& scan = form.Menu().Add(u" Scan ");
        scan.Add(u"Scan Local Software", [this](TMenuItem&) { log.push_back("local"); });
        stop = &scan.Add(u"Stop Scan", [this](TMenuItem&) { log.push_back("stop"); });
        stop->SetVisible(false);
        scan.AddSeparator();
        scan.Add(u"Exit", [this](TMenuItem&) { form.Close(); });
        auto& help = form.Menu().Add(u" Help ");
        help.Add(u"About Pelmira", [this](TMenuItem&) { log.push_back("about"); });
    }
    TMenuItem* stop = nullptr;
    std::vector<std::string> log;
};

TEST_F(MenuTest, ItemsAreFoundByTextAndClickedByTheirId) {
    TMenuItem* about = form.Menu().Find(u"About Pelmira");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(form.Menu().Find(u" Help ")->Items().size(), 1u);
    EXPECT_EQ(form.Menu().Find(u"About"), nullptr);
    EXPECT_TRUE(form.MenuCommand(about->Id()));
    EXPECT_TRUE(form.MenuCommand(form.Menu().Find(u"Scan Local Software")->Id()));
    EXPECT_EQ(log, (std::vector<std::string>{"about", "local"}));
    EXPECT_FALSE(form.MenuCommand(9999));
}

TEST_F(MenuTest, IdsAreUniqueAndSeparatorsAreNoCommands) {
    std::vector<int> ids;
    for (auto& top : form.Menu().Items())
        for (auto& item : top->Items()) ids.push_back(item->Id());
    ids.push_back(form.Menu().Items()[0]->Id());
    ids.push_back(form.Menu().Items()[1]->Id());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    TMenuItem* separator = form.Menu().Items()[0]->Items()[2].get();
    EXPECT_TRUE(separator->IsSeparator());
    EXPECT_FALSE(form.MenuCommand(separator->Id()));
}

TEST_F(MenuTest, HiddenAndDisabledItemsCannotBeClicked) {
    const int rebuilds = system.MenuRebuilds(form);
    EXPECT_FALSE(form.MenuCommand(stop->Id()));
    stop->SetVisible(true);
    EXPECT_TRUE(form.MenuCommand(stop->Id()));
    form.Menu().Items()[0]->SetEnabled(false);  // the whole popup
    EXPECT_FALSE(form.MenuCommand(stop->Id()));
    EXPECT_EQ(log, (std::vector<std::string>{"stop"}));
    EXPECT_EQ(system.MenuRebuilds(form), rebuilds + 2);
}

TEST_F(MenuTest, ExitClosesTheMainFormAndEndsTheProgram) {
    int closes = 0;
    form.OnClose = [&](TForm&) { ++closes; };
    EXPECT_TRUE(form.MenuCommand(form.Menu().Find(u"Exit")->Id()));
    EXPECT_TRUE(form.IsClosed());
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(form.FormPeer(), nullptr);
    form.Close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(app.ActivateRunningInstance("TTestForm", "Test"));
}

}  // namespace
}  // namespace ui::test
