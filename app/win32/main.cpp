// showcard.exe: the card maker's window program, native Windows front end.
#include <windows.h>

#include <commctrl.h>

#include "app/run_directory.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_toolkit.h"
#include "app/window_behaviour.h"
#include "card/card_background.h"
#include "platform/files.h"
#include "platform/tick_counter.h"

namespace {

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // 1. The run directory, made the current folder.
  std::string run_directory = app::DetermineRunDirectory();
  app::EnterRunDirectory(run_directory);

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  // 2. The window, created hidden; its created event runs RunStartUp; shown.
  canvas::CardCanvas canvas(card::CardBackgroundBytes(), ScreenDpi());
  app::win32::MainWindow window(canvas);
  app::win32::Win32Toolkit toolkit(window);
  app::WindowBehaviour behaviour(toolkit, canvas, platform::SystemTicks(), std::move(run_directory),
                                 platform::kPathSeparator, app::DefaultCardSaver());
  window.SetBehaviour(&behaviour);
  window.CentreOnScreen();
  behaviour.OnCreated();
  window.Show();

  // 3. The event loop, until the window is closed.
  const int code = window.RunEventLoop();
  window.SetBehaviour(nullptr);
  return code;
}
