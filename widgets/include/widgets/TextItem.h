#pragma once

#include "widgets/CustomTextualItem.h"

namespace widgets {

// A text value edited in a one-line text field, shown in clear text.
class TTextItem : public TCustomTextualItem {};

}  // namespace widgets
