#include "app/qt/gbk_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "app/window_layout.h"
#include "platform/gbk.h"

namespace app::qt {
namespace {

// GBK bytes of one code point.
std::size_t CodePointBytes(char32_t cp) {
  if (cp < 0x80) return 1;
  const QString one = QString::fromUcs4(&cp, 1);
  return platform::GbkLength(one.toUtf8().toStdString());
}

// Calls f(position, length_in_utf16, code_point) for each code point.
template <typename F>
void ForEachCodePoint(const QString& text, F&& f) {
  for (int i = 0; i < text.size();) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      if (!f(i, 2, QChar::surrogateToUcs4(c, text.at(i + 1)))) return;
      i += 2;
    } else {
      if (!f(i, 1, static_cast<char32_t>(c.unicode()))) return;
      i += 1;
    }
  }
}

}  // namespace

std::size_t GbkBytes(const QString& text) {
  std::size_t bytes = 0;
  ForEachCodePoint(text, [&](int, int, char32_t cp) {
    bytes += CodePointBytes(cp);
    return true;
  });
  return bytes;
}

int PositionForGbkOffset(const QString& text, std::size_t gbk_bytes) {
  std::size_t bytes = 0;
  int position = 0;
  ForEachCodePoint(text, [&](int i, int length, char32_t cp) {
    const std::size_t width = CodePointBytes(cp);
    if (bytes + width > gbk_bytes) return false;
    bytes += width;
    position = i + length;
    return true;
  });
  return position;
}

QValidator::State ByteLimitValidator::validate(QString& input, int& pos) const {
  const std::size_t bytes = GbkBytes(input);
  if (bytes <= limit_ || bytes <= GbkBytes(previous_)) {
    previous_ = input;
    return Acceptable;
  }
  // The new text is A + I + B where the old one was A + S + B: I was
  // inserted (over the selection S) and the caret stands after it.
  pos = std::clamp(pos, 0, static_cast<int>(input.size()));
  const QString tail = input.mid(pos);
  if (!previous_.endsWith(tail)) return Invalid;
  const QString old_head = previous_.left(previous_.size() - tail.size());
  const QString new_head = input.left(pos);
  int common = 0;
  while (common < old_head.size() && common < new_head.size() && old_head.at(common) == new_head.at(common))
    ++common;
  // Never split a surrogate pair.
  if (common > 0 && new_head.at(common - 1).isHighSurrogate()) --common;
  const QString kept_head = new_head.left(common);
  const QString inserted = new_head.mid(common);
  const std::size_t used = GbkBytes(kept_head) + GbkBytes(tail);
  if (used >= limit_) return Invalid;
  const QString fitting = inserted.left(PositionForGbkOffset(inserted, limit_ - used));
  if (fitting.isEmpty()) return Invalid;
  input = kept_head + fitting + tail;
  pos = static_cast<int>(kept_head.size() + fitting.size());
  previous_ = input;
  return Acceptable;
}

GbkLineEdit::GbkLineEdit(QWidget* parent) : QLineEdit(parent) {}

void GbkLineEdit::SetByteLimit(std::size_t bytes) {
  byte_limit_ = bytes;
  if (validator_) {
    setValidator(nullptr);
    delete validator_;
    validator_ = nullptr;
  }
  if (bytes > 0) {
    validator_ = new ByteLimitValidator(bytes, this);
    validator_->Reset(text());
    setValidator(validator_);
  }
}

std::string GbkLineEdit::GbkText() const { return platform::GbkFromUtf8(text().toUtf8().toStdString()); }

void GbkLineEdit::SetGbkText(std::string_view gbk) {
  const QString text = QString::fromStdString(platform::Utf8FromGbk(gbk));
  if (validator_) {
    // The limit binds the user's input only, so take the validator off meanwhile.
    setValidator(nullptr);
    setText(text);
    validator_->Reset(text);
    setValidator(validator_);
  } else {
    setText(text);
  }
  setCursorPosition(0);  // like a new text in a Windows edit box: caret at the start
}

void GbkLineEdit::SelectGbkBytes(std::size_t start, std::size_t length) {
  const QString current = text();
  const int from = PositionForGbkOffset(current, start);
  const int to = PositionForGbkOffset(current, start + length);
  setSelection(from, to - from);
}

void GbkLineEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).unicode() >= 32 && typed.at(0).unicode() != 127;
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (printable && (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
    // Alt with a character types nothing (the window looked for a mnemonic).
    event->accept();
    return;
  }
  if (printable && digits_only_ && !(mods & Qt::ControlModifier)) {
    QString kept;
    ForEachCodePoint(typed, [&](int i, int length, char32_t cp) {
      if (cp < 32 || QqFilterAccepts(cp)) kept += typed.mid(i, length);
      return true;
    });
    if (kept.isEmpty()) {
      event->accept();  // dropped without a message
      return;
    }
    if (kept != typed) {
      QKeyEvent filtered(event->type(), event->key(), mods, kept, event->isAutoRepeat(),
                         static_cast<quint16>(event->count()));
      QLineEdit::keyPressEvent(&filtered);
      event->setAccepted(filtered.isAccepted());
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void GbkLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (digits_only_ && !event->commitString().isEmpty()) {
    const QString typed = event->commitString();
    QString kept;
    ForEachCodePoint(typed, [&](int i, int length, char32_t cp) {
      if (QqFilterAccepts(cp)) kept += typed.mid(i, length);
      return true;
    });
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

}  // namespace app::qt
