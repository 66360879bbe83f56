#include "app/win32/key_codes.h"

#include <windows.h>

namespace app::win32 {

int HandlerKeyCode(int virtual_key) {
  if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_NUMPAD9) return '0' + (virtual_key - VK_NUMPAD0);
  switch (virtual_key) {
    case VK_SUBTRACT: return VK_OEM_MINUS;
    case VK_DECIMAL: return VK_OEM_PERIOD;
    case VK_DIVIDE: return VK_OEM_2;  // the main keyboard's slash key
    default: return virtual_key;      // keypad Enter is VK_RETURN already
  }
}

int CurrentModifierState() {
  int state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= 1;
  if (GetKeyState(VK_SHIFT) < 0) state |= 2;
  if (GetKeyState(VK_MENU) < 0) state |= 4;
  return state;
}

}  // namespace app::win32
