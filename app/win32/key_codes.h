#pragma once
// Key-down messages in the terms the window behaviour uses: the virtual key
// code with the numeric keypad's digit, minus, decimal point and divide keys
// given as their main-keyboard keys, and the modifier state (Ctrl 1, Shift 2,
// Alt 4).

namespace app::win32 {

int HandlerKeyCode(int virtual_key);

// The modifiers held now, read from the keyboard state of this thread.
int CurrentModifierState();

}  // namespace app::win32
