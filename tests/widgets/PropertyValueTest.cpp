#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "widgets/CheckBoxItem.h"
#include "widgets/ComboBoxItem.h"
#include "widgets/PropertyInspector.h"
#include "widgets/TextItem.h"
#include "widgets/ToolbarItem.h"

namespace widgets {
namespace {

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(CheckBoxItemValue, EachTextKindReadsAndWritesItsOwnPair) {
    struct TCase {
        TCheckBoxTextKind kind;
        std::u16string trueText, falseText;  // custom texts
        std::u16string written;
        bool checked;
        std::u16string readBack;
    };
    const TCase cases[] = {
        // yes/no: only the exact "yes" ticks; no trimming, no case folding
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"yes", true, u"yes"},
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"Yes", false, u"no"},
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"YES", false, u"no"},
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"", false, u"no"},
        {TCheckBoxTextKind::tkYesNo, u"", u"", u" yes", false, u"no"},
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"yes ", false, u"no"},
        // "true" passes the button rule but the text kind decides
        {TCheckBoxTextKind::tkYesNo, u"", u"", u"true", false, u"no"},
        {TCheckBoxTextKind::tkTrueFalse, u"", u"", u"true", true, u"true"},
        {TCheckBoxTextKind::tkTrueFalse, u"", u"", u"yes", false, u"false"},
        {TCheckBoxTextKind::tkEnabledDisabled, u"", u"", u"enabled", true, u"enabled"},
        {TCheckBoxTextKind::tkEnabledDisabled, u"", u"", u"disabled", false, u"disabled"},
        {TCheckBoxTextKind::tkCustom, u"on", u"off", u"on", true, u"on"},
        {TCheckBoxTextKind::tkCustom, u"on", u"off", u"true", false, u"off"},
        // empty custom texts fall back to true/false
        {TCheckBoxTextKind::tkCustom, u"", u"", u"true", true, u"true"},
        {TCheckBoxTextKind::tkCustom, u"", u"", u"on", false, u"false"},
    };
    TPropertyInspector inspector;
    auto& box = inspector.Items().Add<TCheckBoxItem>();
    for (const TCase& c : cases) {
        SCOPED_TRACE(Narrow(c.written));
        box.SetTextKind(c.kind);
        box.SetTrueText(c.trueText);
        box.SetFalseText(c.falseText);
        box.SetChecked(!c.checked);
        box.SetValue(c.written);
        EXPECT_EQ(box.Checked(), c.checked);
        EXPECT_EQ(box.GetValue(), c.readBack);
        EXPECT_EQ(box.AccessibleValue(), c.checked ? u"True" : u"False");
    }
}

TEST(CheckBoxItemValue, StartsWithOneUncheckedAutoCheckingTrueButton) {
    TCheckBoxItem box;
    ASSERT_EQ(box.Buttons().size(), 1u);
    EXPECT_EQ(box.Buttons()[0].text, u"true");
    EXPECT_EQ(box.Buttons()[0].glyph, "CHECKMARK");
    EXPECT_TRUE(box.Buttons()[0].autoCheck);
    EXPECT_TRUE(box.AllowAllUp());
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(box.GetValue(), u"false");
}

TEST(ToolbarItemValue, ListsCheckedButtonsAndChecksEveryTextFound) {
    TToolbarItem bar;
    bar.AddButton({u"bold", "", false, true});
    bar.AddButton({u"italic", "", false, true});
    bar.AddButton({u"under", "", false, true});
    struct TCase {
        std::u16string written;
        std::u16string readBack;
    };
    const TCase cases[] = {
        {u"", u""},
        {u"italic", u"italic"},
        {u"bold,under", u"bold,under"},
        {u"under italic bold", u"bold,italic,under"},  // order of the buttons, not of the text
        {u"underline", u"under"},                      // containment, not whole words
        {u"Bold", u""},                                // case-sensitive
    };
    for (const TCase& c : cases) {
        bar.SetValue(c.written);
        EXPECT_EQ(bar.GetValue(), c.readBack) << Narrow(c.written);
    }
}

TEST(TextualItemValue, TextAndComboKeepAnyTextAndTheComboLineIndex) {
    TPropertyInspector inspector;
    auto& text = inspector.Items().Add<TTextItem>();
    auto& combo = inspector.Items().Add<TComboBoxItem>();
    combo.SetLines({u"True", u"False"});
    combo.SetItemIndex(1);
    for (const std::u16string value : {u"maybe", u"", u"  spaced  ", u"True", u"\u00e9\u4e2d"}) {
        text.SetValue(value);
        combo.SetValue(value);
        EXPECT_EQ(text.Value(), value);
        EXPECT_EQ(combo.Value(), value);
        EXPECT_EQ(combo.ItemIndex(), 1);
    }
}

TEST(PropertyItems, ChildrenFollowTheirParentsSubtreeAndKnowTheirLevel) {
    TPropertyInspector inspector;
    TPropertyItems& items = inspector.Items();
    auto& a = items.Add<TToolbarItem>();
    auto& b = items.Add<TToolbarItem>();
    auto& a1 = items.Add<TTextItem>(&a);
    auto& a1x = items.Add<TTextItem>(&a1);
    auto& a2 = items.Add<TTextItem>(0);  // a's position, as a stored description gives it
    auto& b1 = items.Add<TTextItem>(&b);
    a.SetName("a");
    a2.SetName("a2");
    // Display order: a, a1, a1x, a2, b, b1.
    const TPropertyItem* expected[] = {&a, &a1, &a1x, &a2, &b, &b1};
    ASSERT_EQ(items.Count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(&items[i], expected[i]) << i;
    EXPECT_EQ(a.Level(), 0);
    EXPECT_EQ(a1.Level(), 1);
    EXPECT_EQ(a1x.Level(), 2);
    EXPECT_EQ(a1x.ParentIndex(), 1);
    EXPECT_EQ(b1.ParentIndex(), 4);
    EXPECT_EQ(b.ParentIndex(), -1);
    EXPECT_TRUE(a1.HasChildren());
    EXPECT_FALSE(a2.HasChildren());
    EXPECT_EQ(items.Find("a2"), &a2);
    EXPECT_EQ(items.Find("zz"), nullptr);
    EXPECT_TRUE(a.IsCategory());
    EXPECT_FALSE(a2.IsCategory());
}

TEST(PropertyItems, BadPositionsAreRefusedWithAClearMessage) {
    TPropertyInspector inspector;
    inspector.Items().Add<TTextItem>();
    try {
        inspector.Items().Add<TTextItem>(5);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Parent index 5 is out of bounds");
    }
    EXPECT_THROW(inspector.Items().Add<TTextItem>(-2), std::out_of_range);
    EXPECT_THROW(inspector.Items().Item(1), std::out_of_range);
    EXPECT_EQ(inspector.Items().Count(), 1);
    TPropertyInspector other;
    auto& foreign = other.Items().Add<TTextItem>();
    EXPECT_THROW(inspector.Items().Add<TTextItem>(&foreign), std::invalid_argument);
}

}  // namespace
}  // namespace widgets
