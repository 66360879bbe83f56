#pragma once
// What the window behaviour needs from a windowing toolkit. The Qt front end
// (app/qt/) implements it, tests use a fake, and a native Windows front end can
// implement it later. All texts are GBK byte strings.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The five edit boxes of the main window.
enum class Box {
  Nickname,    // 编辑框_昵称
  QqNumber,    // 编辑框_QQ
  Signature,   // 编辑框_签名
  Impression,  // 编辑框_印象
  AvatarPath,  // 编辑框_URL
};

// One file type of the file-open dialog: its description and name patterns.
struct FileType {
  std::string description;            // GBK
  std::vector<std::string> patterns;  // "*.jpg" ...; matched in either letter case
};

// How the avatar picker's file-open dialog is to be shown.
struct FileDialogRequest {
  std::string title;              // empty: the toolkit's default title
  std::string initial_folder;     // GBK path
  std::string initial_file_name;  // GBK path, may be empty
  std::vector<FileType> file_types;
  std::size_t selected_type = 0;
  // Open an existing single file; the file and its folder must exist;
  // no read-only check box. These are fixed for the one dialog the program has.
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // A fresh copy of the box's text.
  virtual std::string BoxText(Box box) = 0;
  // Replaces the whole text; runs no handler.
  virtual void SetBoxText(Box box, std::string_view gbk_text) = 0;
  // Gives the box the keyboard focus.
  virtual void Focus(Box box) = 0;
  // Selects `length` bytes from byte `start` of the box's text (both on
  // character boundaries); the caret stands at the selection's end, in view.
  virtual void SelectBytes(Box box, std::size_t start, std::size_t length) = 0;

  // A message box with one OK button and no icon, owned by no window; returns
  // once it is dismissed. `text` may hold CR LF line breaks.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
  // The modal file-open dialog: the chosen file's full path, or nothing when
  // the user cancelled or the dialog could not be shown.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // The shell's "open" on an address (a bare web host name opens the browser).
  virtual void ShellOpen(std::string_view address) = 0;
  // Runs `call` on the main thread after at least `milliseconds`, from the
  // event loop; never runs it from within this call.
  virtual void CallLater(int milliseconds, std::function<void()> call) = 0;
  // Switches the visual theme on (colour scheme 3) for the program's
  // windows, message boxes and file dialog included.
  virtual void ApplyVisualTheme(int scheme) = 0;
};

}  // namespace app
