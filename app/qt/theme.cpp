#include "app/qt/theme.h"

#include <QApplication>

namespace app::qt {

QString VisualThemeStyleSheet(int /*scheme: only 3 is used*/) {
  return QStringLiteral(R"(
QPushButton {
  color: #000000;
  border: 1px solid #8D8FAA;
  border-radius: 3px;
  padding: 2px 6px;
  min-height: 16px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
      stop:0 #FFFFFF, stop:0.45 #F1F1F6, stop:1 #D8D8E4);
}
QPushButton:hover {
  border-color: #E9A53E;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
      stop:0 #FFFFFF, stop:0.45 #F7F5EC, stop:1 #E8E2CC);
}
QPushButton:focus {
  border-color: #6C82C7;
}
QPushButton:pressed {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
      stop:0 #D6D6E2, stop:1 #F1F1F6);
}
QPushButton:disabled {
  color: #A0A0A0;
  border-color: #C6C5D7;
  background: #F4F4F4;
}
QLineEdit, QAbstractSpinBox {
  color: #000000;
  background: #FFFFFF;
  border: 1px solid #C6C5D7;
  padding: 1px;
  selection-color: #FFFFFF;
  selection-background-color: #3169C6;
}
QLineEdit:read-only, QAbstractSpinBox:read-only {
  background: palette(window);
}
QLineEdit:disabled, QAbstractSpinBox:disabled {
  background: palette(window);
  border-color: #CFCFCF;
}
QComboBox {
  color: #000000;
  border: 1px solid #C6C5D7;
  border-radius: 0px;
  padding: 1px 18px 1px 3px;
  background: #FFFFFF;
}
QComboBox:disabled {
  border-color: #CFCFCF;
  background: palette(window);
}
QComboBox::drop-down {
  subcontrol-origin: padding;
  subcontrol-position: top right;
  width: 16px;
  border-left: 1px solid #C6C5D7;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
      stop:0 #FFFFFF, stop:1 #D8D8E4);
}
QComboBox::down-arrow {
  image: url(:/showcard/theme/down-arrow.png);
}
QComboBox::down-arrow:disabled {
  image: url(:/showcard/theme/down-arrow-disabled.png);
}
QComboBox QAbstractItemView {
  border: 1px solid #C6C5D7;
  background: #FFFFFF;
  selection-color: #FFFFFF;
  selection-background-color: #3169C6;
}
QGroupBox {
  border: 1px solid #C6C5D7;
  border-radius: 3px;
  margin-top: 8px;
}
QGroupBox::title {
  subcontrol-origin: margin;
  left: 8px;
  padding: 0px 2px;
}
)");
}

void ApplyVisualTheme(int scheme) {
  if (!qApp) return;
  qApp->setStyleSheet(QString());  // a theme that is on goes off first
  qApp->setStyleSheet(VisualThemeStyleSheet(scheme));
}

}  // namespace app::qt
