#pragma once
// 画板: shows the card canvas's pixels inside a one-pixel border and repaints
// whenever they change.
#include <QWidget>

#include "canvas/card_canvas.h"

namespace app::qt {

class CanvasView final : public QWidget {
 public:
  static constexpr int kBorder = 1;

  CanvasView(canvas::CardCanvas& canvas, QWidget* parent);
  ~CanvasView() override;

  // What the view shows inside its border, as an image (for tests).
  QImage CardImage() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  canvas::CardCanvas& canvas_;
};

}  // namespace app::qt
