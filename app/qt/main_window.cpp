#include "app/qt/main_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "app/qt/key_codes.h"
#include "platform/gbk.h"

namespace app::qt {
namespace {

QString FromGbk(const std::string& gbk) { return QString::fromStdString(platform::Utf8FromGbk(gbk)); }

void Place(QWidget* widget, const Rect& rect) { widget->setGeometry(rect.x, rect.y, rect.width, rect.height); }

}  // namespace

MainWindow::MainWindow(canvas::CardCanvas& canvas)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setObjectName("窗口");
  setWindowTitle(FromGbk(kWindowCaption));
  setFixedSize(kClientWidth, kClientHeight);  // fixed frame, no maximise

  canvas_view_ = new CanvasView(canvas, this);
  canvas_view_->setObjectName("画板");
  canvas_view_->move(kCanvasRect.x, kCanvasRect.y);

  // Labels first, so that each edit box lies above its label.
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    auto* label = new QLabel(FromGbk(*kLabels[i].text), this);
    label->setObjectName(QString("标签%1").arg(i + 1));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(false);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setFocusPolicy(Qt::NoFocus);
    Place(label, kLabels[i].rect);
    labels_[i] = label;
  }

  static const char* const kBoxNames[] = {"编辑框_昵称", "编辑框_QQ", "编辑框_签名", "编辑框_印象", "编辑框_URL"};
  for (const BoxSpec& entry : kBoxes) {
    const auto index = static_cast<std::size_t>(entry.box);
    auto* box = new GbkLineEdit(this);
    box->setObjectName(kBoxNames[index]);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    box->setFrame(true);
    box->setContextMenuPolicy(Qt::DefaultContextMenu);
    box->SetByteLimit(static_cast<std::size_t>(entry.byte_limit));
    box->SetDigitsOnly(entry.digits_only);
    box->SetGbkText(*entry.initial_text);
    box->setCursorPosition(0);  // caret at the start, nothing selected
    box->setFocusPolicy(Qt::StrongFocus);
    Place(box, entry.rect);
    box->installEventFilter(this);
    boxes_[index] = box;
  }

  auto make_button = [this](const ButtonSpec& entry, const char* name) {
    auto* button = new QPushButton(FromGbk(*entry.text), this);
    button->setObjectName(name);
    // The window finds mnemonics itself, before any control sees the key, so Qt's own
    // shortcut for the "&" letter is taken off; the letter stays underlined.
    button->setShortcut(QKeySequence());
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    Place(button, entry.rect);
    button->installEventFilter(this);
    return button;
  };
  generate_ = make_button(kGenerateButton, "生成");
  save_ = make_button(kSaveButton, "保存");
  connect(generate_, &QPushButton::clicked, this, [this] {
    if (behaviour_) behaviour_->OnGenerateClicked();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    if (behaviour_) behaviour_->OnSaveClicked();
  });

  // Qt's focus chain in the same order, for anything that walks it.
  QWidget* previous = nullptr;
  for (Control control : kTabOrder) {
    QWidget* widget = ControlWidget(control);
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  installEventFilter(this);  // keys while no control has the focus
}

QWidget* MainWindow::ControlWidget(Control control) const {
  switch (control) {
    case Control::Generate: return generate_;
    case Control::Save: return save_;
    case Control::Nickname: return BoxWidget(Box::Nickname);
    case Control::QqNumber: return BoxWidget(Box::QqNumber);
    case Control::Signature: return BoxWidget(Box::Signature);
    case Control::Impression: return BoxWidget(Box::Impression);
    case Control::AvatarPath: return BoxWidget(Box::AvatarPath);
  }
  return nullptr;
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  // left = (screen width - 507) / 2, top = (screen height - 205) / 2, truncating.
  move(area.x() + (area.width() - kOuterWidth) / 2, area.y() + (area.height() - kOuterHeight) / 2);
}

int MainWindow::BoxIndex(const QObject* watched) const {
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    if (boxes_[i] == watched) return static_cast<int>(i);
  return -1;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A key the window gets itself reaches it only when no control took it
    // first; the controls' own keys were filtered on the way in.
    if (watched == this && focusWidget() && focusWidget() != this) return false;
    // 1. The window's own keyboard handling.
    if (HandleWindowKey(*key)) return true;
    // 2. The key-down event of the control with the focus.
    const int index = BoxIndex(watched);
    if (index >= 0 && behaviour_)
      behaviour_->OnKeyDown(static_cast<Box>(index), VirtualKeyCode(*key), ModifierState(*key));
    // 3. The key reaches the control.
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease && watched == BoxWidget(Box::AvatarPath)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // Raised before the box handles the release, which it gets once the
    // dialog has closed.
    if (mouse->button() == Qt::LeftButton && behaviour_) behaviour_->OnAvatarPathLeftButtonUp();
    return false;
  }
  return QWidget::eventFilter(watched, event);
}

bool MainWindow::HandleWindowKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  const int key = event.key();
  if (key == Qt::Key_Tab && mods == Qt::NoModifier) {
    MoveFocus(true);
    return true;
  }
  if ((key == Qt::Key_Backtab && (mods == Qt::ShiftModifier || mods == Qt::NoModifier)) ||
      (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
    MoveFocus(false);
    return true;
  }
  if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
    close();
    return true;
  }
  if ((mods & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) return ClickMnemonic(key);
  return false;  // Enter and every other key go on
}

void MainWindow::MoveFocus(bool forward) {
  const int count = static_cast<int>(kTabOrder.size());
  int current = -1;
  for (int i = 0; i < count; ++i)
    if (ControlWidget(kTabOrder[static_cast<std::size_t>(i)]) == focusWidget()) current = i;
  int index = current;
  for (int step = 0; step < count; ++step) {
    if (index < 0)
      index = forward ? 0 : count - 1;
    else
      index = (index + (forward ? 1 : count - 1)) % count;
    QWidget* widget = ControlWidget(kTabOrder[static_cast<std::size_t>(index)]);
    if (widget->isVisible() && widget->isEnabled()) {
      widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

bool MainWindow::ClickMnemonic(int qt_key) {
  const QChar letter(QLatin1Char(static_cast<char>('A' + (qt_key - Qt::Key_A))));
  for (QPushButton* button : {generate_, save_}) {
    if (!button->isVisible() || !button->isEnabled()) continue;
    const QString text = button->text();
    for (int i = 0; i + 1 < text.size(); ++i) {
      if (text.at(i) != QLatin1Char('&')) continue;
      if (text.at(i + 1) == QLatin1Char('&')) {  // "&&" is a plain "&"
        ++i;
        continue;
      }
      if (text.at(i + 1).toUpper() == letter) {
        button->click();
        return true;
      }
    }
  }
  return false;
}

}  // namespace app::qt
