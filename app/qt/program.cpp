#include "app/qt/program.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QScreen>
#include <QStyleFactory>
#include <cmath>

#include "app/run_directory.h"
#include "card/card_background.h"

namespace app::qt {
namespace {

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Program::Program(ProgramSetup setup) {
  canvas_ = std::make_unique<canvas::CardCanvas>(card::CardBackgroundBytes(),
                                                 setup.dpi > 0 ? setup.dpi : ScreenDpi());
  window_ = std::make_unique<MainWindow>(*canvas_);
  toolkit_ = std::make_unique<QtToolkit>(*window_, std::move(setup.services));
  behaviour_ = std::make_unique<WindowBehaviour>(
      *toolkit_, *canvas_, setup.ticks ? *setup.ticks : platform::SystemTicks(), std::move(setup.run_directory),
      setup.separator, std::move(setup.saver));
  window_->SetBehaviour(behaviour_.get());
}

Program::~Program() {
  window_->SetBehaviour(nullptr);
  // The window goes first: its canvas view lets go of the canvas, and the
  // queued calls bound to it die with it.
  window_.reset();
}

void Program::Start() {
  window_->CentreOnScreen();
  behaviour_->OnCreated();
  window_->show();
  window_->activateWindow();
}

void SetUpApplication() {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  // The platform's default dialog font: 9 points, 12 pixels at 96 dpi, the
  // classic size the window's 24-pixel controls are laid out for.
  QFont font(QStringLiteral("WenQuanYi Zen Hei Sharp"));
  font.setFamilies({QStringLiteral("WenQuanYi Zen Hei Sharp"), QStringLiteral("WenQuanYi Zen Hei"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif")});
  font.setPixelSize(12);
  QApplication::setFont(font);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/showcard/showcard.png")));
  QApplication::setApplicationName(QStringLiteral("showcard"));
  QGuiApplication::setDesktopFileName(QStringLiteral("showcard"));
}

int RunShowcard(int argc, char** argv) {
  // 1. The run directory, made the current folder.
  std::string run_directory = DetermineRunDirectory();
  EnterRunDirectory(run_directory);

  QApplication application(argc, argv);
  SetUpApplication();

  // 2. The window, created hidden; its created event runs RunStartUp; shown.
  ProgramSetup setup;
  setup.run_directory = std::move(run_directory);
  setup.services = RealSystemServices();
  setup.saver = DefaultCardSaver();
  Program program(std::move(setup));
  program.Start();

  // 3. The event loop, until the window is closed.
  return QApplication::exec();
}

}  // namespace app::qt
