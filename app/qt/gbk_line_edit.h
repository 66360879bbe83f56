#pragma once
// A single-line edit box that holds Unicode inside Qt and speaks GBK to the
// program: a byte limit counted in GBK bytes (typed input past it is refused,
// pasted input is cut to what fits) and the QQ box's typed-character filter.
#include <QLineEdit>
#include <QValidator>
#include <string>
#include <string_view>

namespace app::qt {

// GBK bytes of a Unicode text (a Chinese character counts 2; a character
// that GBK cannot hold counts as the one "?" it becomes).
std::size_t GbkBytes(const QString& text);

// The position in `text` at which its first `gbk_bytes` bytes end (rounded
// down to a whole character).
int PositionForGbkOffset(const QString& text, std::size_t gbk_bytes);

class GbkLineEdit;

// Keeps a box's text within its byte limit: of an insertion that does not
// fit, only the leading whole characters that fit are kept.
class ByteLimitValidator final : public QValidator {
 public:
  ByteLimitValidator(std::size_t limit, QObject* parent) : QValidator(parent), limit_(limit) {}
  State validate(QString& input, int& pos) const override;
  // The text the box holds now (set by the program, which the limit does not bind).
  void Reset(const QString& text) const { previous_ = text; }

 private:
  std::size_t limit_;
  mutable QString previous_;
};

class GbkLineEdit final : public QLineEdit {
 public:
  explicit GbkLineEdit(QWidget* parent = nullptr);

  // 0: no limit.
  void SetByteLimit(std::size_t bytes);
  std::size_t ByteLimit() const { return byte_limit_; }
  // Typed characters (code 32 and above) limited to "0".."9" and "-".
  void SetDigitsOnly(bool on) { digits_only_ = on; }

  std::string GbkText() const;
  // Replaces the whole text, whatever the limit (as setting a box's text does).
  void SetGbkText(std::string_view gbk);
  // Selects `length` bytes from byte `start`; the caret ends at the selection's end.
  void SelectGbkBytes(std::size_t start, std::size_t length);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  std::size_t byte_limit_ = 0;
  bool digits_only_ = false;
  ByteLimitValidator* validator_ = nullptr;
};

}  // namespace app::qt
