#pragma once
// The Toolkit of the window behaviour, done with Win32: box texts converted
// between GBK and UTF-16 at this boundary, message boxes owned by no window,
// the system's file-open dialog and the shell's "open".
#include "app/toolkit.h"
#include "app/win32/main_window.h"

namespace app::win32 {

class Win32Toolkit final : public Toolkit {
 public:
  explicit Win32Toolkit(MainWindow& window) : window_(window) {}

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
};

// The filter string of the file-open dialog: description, NUL, patterns
// joined by ";", NUL, for each type, and a closing NUL.
std::wstring DialogFilter(const std::vector<FileType>& types);

}  // namespace app::win32
