#pragma once
// The program as a whole: the canvas, 窗口, the toolkit and the behaviour,
// put together once. The entry routine uses the real services; tests build
// one with their own.
#include <memory>
#include <string>

#include "app/qt/main_window.h"
#include "app/qt/qt_toolkit.h"
#include "app/window_behaviour.h"
#include "canvas/card_canvas.h"
#include "platform/files.h"
#include "platform/tick_counter.h"

namespace app::qt {

struct ProgramSetup {
  std::string run_directory;  // GBK, no trailing separator
  char separator = platform::kPathSeparator;
  SystemServices services;
  platform::TickCounter* ticks = nullptr;  // nullptr: the system's counter
  CardSaver saver;                         // empty: the Save button does nothing
  int dpi = 0;                             // 0: the screen's logical dpi
};

class Program {
 public:
  explicit Program(ProgramSetup setup);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The start-up from the created event on: RunStartUp while the window is
  // hidden, then the window is shown, centred and active.
  void Start();

  MainWindow& Window() { return *window_; }
  QtToolkit& Toolkit() { return *toolkit_; }
  WindowBehaviour& Behaviour() { return *behaviour_; }
  canvas::CardCanvas& Canvas() { return *canvas_; }

 private:
  std::unique_ptr<canvas::CardCanvas> canvas_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QtToolkit> toolkit_;
  std::unique_ptr<WindowBehaviour> behaviour_;
};

// The application-wide settings: style, the dialog font, the icon.
void SetUpApplication();

// The entry routine: run directory, current folder, window, event loop.
int RunShowcard(int argc, char** argv);

}  // namespace app::qt
