#pragma once

#include <cstdint>

#include "ui/Geometry.h"

// The small event records that controls receive. Every position names its
// coordinate space in its field name.
namespace ui {

enum class TMouseButton { mbNone, mbLeft, mbRight, mbMiddle };

// Modifier keys held during an event; combine with |.
enum TShiftFlag : std::uint8_t { ssNone = 0, ssShift = 1, ssCtrl = 2, ssAlt = 4 };
using TShiftState = std::uint8_t;

// A mouse press, release or move over a control.
struct TMouseEvent {
    TPoint client;                               // position in the receiving control's client coordinates
    TMouseButton button = TMouseButton::mbNone;  // the button pressed or released; mbNone for moves
    TShiftState shift = ssNone;
};

// A turn of the mouse wheel over a control.
struct TMouseWheelEvent {
    TPoint client;  // pointer position in the receiving control's client coordinates
    int delta = 0;  // positive away from the user; 120 per notch
    TShiftState shift = ssNone;
};

// Keys the controls react to; every other key arrives as kOther.
enum class TKey {
    kOther,
    kTab,
    kEnter,
    kEscape,
    kSpace,
    kUp,
    kDown,
    kLeft,
    kRight,
    kHome,
    kEnd,
    kPageUp,
    kPageDown,
    kPlus,   // "+" of the main keyboard (not the numeric pad)
    kMinus,  // "-" of the main keyboard (not the numeric pad)
    kF4,
};

// A key pressed while a control has the keyboard focus.
struct TKeyEvent {
    TKey key = TKey::kOther;
    TShiftState shift = ssNone;
};

}  // namespace ui
