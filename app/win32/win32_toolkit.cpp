#include "app/win32/win32_toolkit.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "platform/gbk_windows.h"

namespace app::win32 {
namespace {

std::wstring Wide(std::string_view gbk) { return platform::WideFromGbk(gbk); }

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The UTF-16 position of a GBK byte offset on a character boundary.
std::size_t UnitsBefore(const std::string& gbk, std::size_t bytes) {
  return platform::WideFromGbk(std::string_view(gbk).substr(0, std::min(bytes, gbk.size()))).size();
}

}  // namespace

std::wstring DialogFilter(const std::vector<FileType>& types) {
  std::wstring filter;
  for (const FileType& type : types) {
    filter += Wide(type.description);
    filter += L'\0';
    for (std::size_t i = 0; i < type.patterns.size(); ++i) {
      if (i > 0) filter += L';';
      filter += Wide(type.patterns[i]);  // the system matches names in either letter case
    }
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

std::string Win32Toolkit::BoxText(Box box) { return platform::GbkFromWide(WindowText(window_.BoxHandle(box))); }

void Win32Toolkit::SetBoxText(Box box, std::string_view gbk_text) {
  SetWindowTextW(window_.BoxHandle(box), Wide(gbk_text).c_str());
}

void Win32Toolkit::Focus(Box box) { window_.FocusControl(window_.BoxHandle(box)); }

void Win32Toolkit::SelectBytes(Box box, std::size_t start, std::size_t length) {
  const std::string text = BoxText(box);
  const auto from = static_cast<WPARAM>(UnitsBefore(text, start));
  const auto to = static_cast<LPARAM>(UnitsBefore(text, start + length));
  HWND hwnd = window_.BoxHandle(box);
  SendMessageW(hwnd, EM_SETSEL, from, to);  // the caret stands at the end
  SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

void Win32Toolkit::ShowMessage(std::string_view caption, std::string_view text) {
  // Owned by no window, and modal for all of the program's windows.
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_TASKMODAL);
  // The program's windows were disabled while the box was up, so the system
  // found none to activate when it closed: the main window takes the
  // keyboard back, with the focus where it was.
  if (IsWindowVisible(window_.Handle())) SetForegroundWindow(window_.Handle());
}

std::optional<std::string> Win32Toolkit::ChooseFile(const FileDialogRequest& request) {
  const std::wstring filter = DialogFilter(request.file_types);
  const std::wstring folder = Wide(request.initial_folder);
  const std::wstring title = Wide(request.title);
  std::vector<wchar_t> file(4096, L'\0');
  const std::wstring initial = Wide(request.initial_file_name);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_.Handle();  // modal to the main window
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.selected_type + 1);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  // Browsing may change the current folder, as the platform's dialog does.
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return platform::GbkFromWide(file.data());
}

void Win32Toolkit::ShellOpen(std::string_view address) {
  ShellExecuteW(nullptr, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Toolkit::CallLater(int milliseconds, std::function<void()> call) {
  window_.CallLater(milliseconds, std::move(call));
}

void Win32Toolkit::ApplyVisualTheme(int /*scheme*/) {
  // The manifest gives every window of the program the themed controls; the
  // scheme's own edit box frame colour is drawn by the window.
  window_.SetThemedFrames(true);
}

}  // namespace app::win32
