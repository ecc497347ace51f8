#pragma once

namespace ui {

// The two kinds of message box the program shows: plain (OK button, no icon)
// and confirmation (question icon, Yes and No buttons).
enum class TMessageBoxKind { mbPlain, mbConfirm };

// How a message box was answered. mrNone: closed without a choice.
enum class TModalResult { mrNone, mrOk, mrYes, mrNo };

}  // namespace ui
