#pragma once
// 窗口 in Qt Widgets: the controls at their places, the window's
// own keyboard handling (Tab, Shift+Tab, Esc, Alt mnemonics) ahead of the
// boxes' key-down handlers, and the events forwarded to WindowBehaviour.
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "app/qt/canvas_view.h"
#include "app/qt/gbk_line_edit.h"
#include "app/toolkit.h"
#include "app/window_behaviour.h"
#include "app/window_layout.h"

namespace app::qt {

class MainWindow final : public QWidget {
 public:
  explicit MainWindow(canvas::CardCanvas& canvas);

  // Where the events go; set before the window handles any.
  void SetBehaviour(WindowBehaviour* behaviour) { behaviour_ = behaviour; }

  GbkLineEdit* BoxWidget(Box box) const { return boxes_[static_cast<std::size_t>(box)]; }
  QPushButton* GenerateButton() const { return generate_; }
  QPushButton* SaveButton() const { return save_; }
  CanvasView* Canvas() const { return canvas_view_; }
  QLabel* Label(std::size_t index) const { return labels_[index]; }
  QWidget* ControlWidget(Control control) const;

  // Centres the window on its screen by its nominal outer size.
  void CentreOnScreen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Step 1 of a key-down: true when the window consumed the key.
  bool HandleWindowKey(const QKeyEvent& event);
  void MoveFocus(bool forward);
  bool ClickMnemonic(int qt_key);
  int BoxIndex(const QObject* watched) const;

  WindowBehaviour* behaviour_ = nullptr;
  CanvasView* canvas_view_ = nullptr;
  std::array<QLabel*, 5> labels_{};
  std::array<GbkLineEdit*, 5> boxes_{};
  QPushButton* generate_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace app::qt
