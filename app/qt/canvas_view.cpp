#include "app/qt/canvas_view.h"

#include <QImage>
#include <QPainter>

namespace app::qt {

CanvasView::CanvasView(canvas::CardCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setFixedSize(canvas::CardCanvas::kWidth + 2 * kBorder, canvas::CardCanvas::kHeight + 2 * kBorder);
  setFocusPolicy(Qt::NoFocus);  // not a tab stop
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.SetChangeListener([this] { update(); });
}

CanvasView::~CanvasView() { canvas_.SetChangeListener({}); }

QImage CanvasView::CardImage() const {
  const QImage view(canvas_.Pixels(), canvas::CardCanvas::kWidth, canvas::CardCanvas::kHeight,
                    canvas::CardCanvas::kWidth * 3, QImage::Format_RGB888);
  return view.copy();  // the canvas keeps its own pixels
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QColor(0, 0, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, width() - 1, height() - 1);
  const QImage view(canvas_.Pixels(), canvas::CardCanvas::kWidth, canvas::CardCanvas::kHeight,
                    canvas::CardCanvas::kWidth * 3, QImage::Format_RGB888);
  painter.drawImage(kBorder, kBorder, view);
}

}  // namespace app::qt
