#include <gtest/gtest.h>

#include <string>

#include "widgets/CheckBoxItem.h"
#include "widgets/ComboBoxItem.h"
#include "widgets/PropertyInspector.h"
#include "widgets/TextItem.h"
#include "widgets/ToolbarItem.h"

namespace widgets {
namespace {

TEST(CheckBoxItemValue, YesNoBoxTicksOnlyForExactYes) {
    struct TCase {
        std::u16string written;
        std::u16string readBack;
        bool checked;
    };
    const TCase cases[] = {
        {u"yes", u"yes", true},  {u"Yes", u"no", false}, {u"YES", u"no", false},  {u"", u"no", false},
        {u" yes", u"no", false}, {u"no", u"no", false},  {u"true", u"no", false}, {u"yes ", u"no", false},
    };
    TPropertyInspector inspector;
    auto& box = inspector.Items().Add<TCheckBoxItem>();
    box.SetTextKind(TCheckBoxTextKind::tkYesNo);
    for (const TCase& c : cases) {
        box.SetChecked(!c.checked);
        box.SetValue(c.written);
        EXPECT_EQ(box.GetValue(), c.readBack) << std::string(c.written.begin(), c.written.end());
        EXPECT_EQ(box.Checked(), c.checked);
    }
}

}  // namespace
}  // namespace widgets
