#pragma once

#include "WinApi.h"

namespace ui::win32 {

// Answers WM_GETOBJECT for hwnd, a window of ours whose control has an
// accessible source: for OBJID_CLIENT an IAccessible object over that source
// (through LresultFromObject); 0 for every other object id, or when the
// control exposes nothing, so the caller passes the message on.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);

}  // namespace ui::win32
