#pragma once

// The Windows headers as the Win32 backend uses them. They define DrawText and
// TextOut as macros for their A/W variants, which would rename the canvas's
// methods of the same names in this translation unit only; those macros are
// removed here and the W functions are called by their full names.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#undef DrawText
#undef TextOut
#undef MessageBox
