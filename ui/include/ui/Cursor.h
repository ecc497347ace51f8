#pragma once

namespace ui {

// Mouse pointers a control can ask for. crHandPoint is the framework's
// hand-point pointer: the system's hand (standard cursor 32649) once the
// application installs it, otherwise the framework's own stand-in.
enum class TCursor { crDefault, crArrow, crHandPoint, crIBeam, crSizeWE };

// The number of the system's standard hand cursor.
constexpr int kSystemHandCursorId = 32649;

}  // namespace ui
