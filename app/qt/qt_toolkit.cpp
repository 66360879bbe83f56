#include "app/qt/qt_toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QIcon>
#include <QPushButton>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include "app/qt/theme.h"
#include "platform/gbk.h"

namespace app::qt {
namespace {

QString FromGbk(std::string_view gbk) { return QString::fromStdString(platform::Utf8FromGbk(gbk)); }
std::string ToGbk(const QString& text) { return platform::GbkFromUtf8(text.toUtf8().toStdString()); }

void ShowMessageBox(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);  // owned by no window; no window takes input
  box.setTextFormat(Qt::PlainText);
  box.setEscapeButton(QMessageBox::Ok);  // Esc and the close button count as OK
  if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());  // a plain OK button
  box.exec();
}

std::optional<QString> ChooseWithFileDialog(const QtFileDialogRequest& request) {
  QWidget* owner = QApplication::activeWindow();
  QFileDialog dialog(owner, request.title, request.initial_folder);
  // Qt's own dialog, so that the application's theme reaches it too.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);  // must exist, one file
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setNameFilters(request.name_filters);
  if (request.selected_filter >= 0 && request.selected_filter < request.name_filters.size())
    dialog.selectNameFilter(request.name_filters.at(request.selected_filter));
  dialog.setDirectory(request.initial_folder);
  if (!request.initial_file_name.isEmpty()) dialog.selectFile(request.initial_file_name);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first();
}

}  // namespace

QString CaseBlindPattern(const QString& pattern) {
  QString out;
  for (const QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      out += QLatin1Char('[');
      out += c.toLower();
      out += c.toUpper();
      out += QLatin1Char(']');
    } else {
      out += c;
    }
  }
  return out;
}

QString NameFilter(const FileType& type) {
  QStringList patterns;
  for (const std::string& pattern : type.patterns) patterns << CaseBlindPattern(QString::fromStdString(pattern));
  return FromGbk(type.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QtFileDialogRequest ToQt(const FileDialogRequest& request) {
  QtFileDialogRequest out;
  out.title = FromGbk(request.title);
  out.initial_folder = FromGbk(request.initial_folder);
  out.initial_file_name = FromGbk(request.initial_file_name);
  for (const FileType& type : request.file_types) out.name_filters << NameFilter(type);
  out.selected_filter = static_cast<int>(request.selected_type);
  return out;
}

QString ShellAddress(const QString& address) {
  return QUrl::fromUserInput(address).toString();
}

SystemServices RealSystemServices() {
  SystemServices services;
  services.show_message = ShowMessageBox;
  services.choose_file = ChooseWithFileDialog;
  services.shell_open = [](const QString& address) {
    QDesktopServices::openUrl(QUrl(ShellAddress(address)));  // the result is not examined
  };
  return services;
}

QtToolkit::QtToolkit(MainWindow& window, SystemServices services)
    : window_(window), services_(std::move(services)) {}

std::string QtToolkit::BoxText(Box box) { return window_.BoxWidget(box)->GbkText(); }

void QtToolkit::SetBoxText(Box box, std::string_view gbk_text) { window_.BoxWidget(box)->SetGbkText(gbk_text); }

void QtToolkit::Focus(Box box) { window_.BoxWidget(box)->setFocus(Qt::OtherFocusReason); }

void QtToolkit::SelectBytes(Box box, std::size_t start, std::size_t length) {
  window_.BoxWidget(box)->SelectGbkBytes(start, length);
}

void QtToolkit::ShowMessage(std::string_view caption, std::string_view text) {
  if (!services_.show_message) return;
  QString shown = FromGbk(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));  // Qt breaks lines at LF
  services_.show_message(FromGbk(caption), shown);
}

std::optional<std::string> QtToolkit::ChooseFile(const FileDialogRequest& request) {
  if (!services_.choose_file) return std::nullopt;
  const std::optional<QString> chosen = services_.choose_file(ToQt(request));
  if (!chosen) return std::nullopt;
  std::string gbk = ToGbk(*chosen);
  // A path that GBK cannot spell names no file the program could open: a cancel.
  if (FromGbk(gbk) != *chosen) return std::nullopt;
  return gbk;
}

void QtToolkit::ShellOpen(std::string_view address) {
  if (services_.shell_open) services_.shell_open(FromGbk(address));
}

void QtToolkit::CallLater(int milliseconds, std::function<void()> call) {
  QTimer::singleShot(milliseconds, &window_, std::move(call));
}

void QtToolkit::ApplyVisualTheme(int scheme) { qt::ApplyVisualTheme(scheme); }

}  // namespace app::qt
