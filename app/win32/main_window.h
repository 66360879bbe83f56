#pragma once
// 窗口 with real Win32 controls: the canvas view, five labels, five edit boxes
// and two push buttons, laid out as app/window_layout.h says. It does the
// window's own keyboard handling (Tab, Shift+Tab, Esc, Alt mnemonics) before
// a key reaches a control, and forwards the controls' events to the behaviour.
#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>

#include "app/toolkit.h"
#include "app/win32/canvas_view.h"
#include "app/window_behaviour.h"
#include "app/window_layout.h"
#include "canvas/card_canvas.h"

namespace app::win32 {

class MainWindow {
 public:
  // Creates the window hidden, with all its controls.
  explicit MainWindow(canvas::CardCanvas& canvas);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  void SetBehaviour(WindowBehaviour* behaviour) { behaviour_ = behaviour; }
  HWND Handle() const { return hwnd_; }
  HWND BoxHandle(Box box) const { return boxes_[static_cast<std::size_t>(box)]; }

  // Centred on the screen by its outer size; then shown and activated, the
  // focus going back to the control that had it while the window was hidden.
  void CentreOnScreen();
  void Show();
  // Remembers the control that is to have the focus (also while hidden).
  void FocusControl(HWND control);
  // The edit boxes' outer frame in the theme's colour.
  void SetThemedFrames(bool on);

  // Runs `call` from the event loop after `milliseconds`.
  void CallLater(int milliseconds, std::function<void()> call);

  // The event loop, until the window is gone; returns the exit code.
  int RunEventLoop();
  // The window's own keyboard handling of one message; true when consumed.
  bool HandleWindowKey(const MSG& message);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                  DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleBox(Box box, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  bool AcceptTypedCharacter(Box box, HWND hwnd, wchar_t c);
  void PasteWithinLimit(Box box, HWND hwnd);
  void PaintFrame(HWND hwnd);
  HWND ControlHandle(Control control) const;
  void MoveFocus(bool forward);
  bool ClickMnemonic(wchar_t letter);
  void RunCall(UINT_PTR id);

  canvas::CardCanvas& canvas_;
  WindowBehaviour* behaviour_ = nullptr;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH frame_brush_ = nullptr;
  bool themed_frames_ = false;
  std::unique_ptr<CanvasView> canvas_view_;
  std::array<HWND, 5> boxes_{};
  std::array<HWND, 5> labels_{};
  HWND generate_ = nullptr;
  HWND save_ = nullptr;
  HWND focus_ = nullptr;  // the control that has, or is to get, the focus
  std::map<UINT_PTR, std::function<void()>> calls_;
  UINT_PTR next_call_id_ = 1;
};

}  // namespace app::win32
