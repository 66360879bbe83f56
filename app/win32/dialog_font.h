#pragma once
// The dialog font for the controls: the classic Chinese UI face at 9 points.
#include <windows.h>

namespace app::win32 {

// A new font the caller deletes: the first installed face of a short list
// of Chinese UI faces, else the system's default GUI font at 9 points.
HFONT CreateDialogFont();

}  // namespace app::win32
