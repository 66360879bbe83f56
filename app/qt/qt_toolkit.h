#pragma once
// app::Toolkit over the Qt main window. Message boxes, the file dialog and the
// shell's "open" go through SystemServices, which tests replace: a real
// QFileDialog or QMessageBox is never driven from a test.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/qt/main_window.h"
#include "app/toolkit.h"

namespace app::qt {

// The file dialog's settings in Qt's terms.
struct QtFileDialogRequest {
  QString title;               // empty: the default title
  QString initial_folder;
  QString initial_file_name;   // full path or empty
  QStringList name_filters;    // "Description (patterns)"
  int selected_filter = 0;
};

struct SystemServices {
  // A message box with one OK button, no icon, owned by no window; returns
  // when dismissed.
  std::function<void(const QString& caption, const QString& text)> show_message;
  // The modal file-open dialog: the chosen file's full path, or nothing.
  std::function<std::optional<QString>(const QtFileDialogRequest& request)> choose_file;
  // The shell's "open" on an address.
  std::function<void(const QString& address)> shell_open;
};

// The real ones: QMessageBox, QFileDialog (Qt's own, so that the theme's
// style sheet reaches it) and QDesktopServices.
SystemServices RealSystemServices();

// Qt's name filter for one file type: the description shown as it is, and
// each pattern matching its extension in either letter case.
QString NameFilter(const FileType& type);
// "*.jpg" -> "*.[jJ][pP][gG]"
QString CaseBlindPattern(const QString& pattern);
QtFileDialogRequest ToQt(const FileDialogRequest& request);
// The address the shell opens for a bare host name: "hemu.example" -> http://hemu.example
QString ShellAddress(const QString& address);

class QtToolkit final : public Toolkit {
 public:
  QtToolkit(MainWindow& window, SystemServices services);

  std::string BoxText(Box box) override;
  void SetBoxText(Box box, std::string_view gbk_text) override;
  void Focus(Box box) override;
  void SelectBytes(Box box, std::size_t start, std::size_t length) override;
  void ShowMessage(std::string_view caption, std::string_view text) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void ShellOpen(std::string_view address) override;
  void CallLater(int milliseconds, std::function<void()> call) override;
  void ApplyVisualTheme(int scheme) override;

 private:
  MainWindow& window_;
  SystemServices services_;
};

}  // namespace app::qt
