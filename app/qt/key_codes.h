#pragma once
// Qt key events in the window's own terms: the platform's virtual key code
// (keypad digits, minus, full stop and slash as their main-keyboard keys;
// Enter, main or keypad, 13) and the modifier state (Ctrl 1, Shift 2, Alt 4).
class QKeyEvent;

namespace app::qt {

int VirtualKeyCode(const QKeyEvent& event);
int ModifierState(const QKeyEvent& event);

}  // namespace app::qt
