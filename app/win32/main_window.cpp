#include "app/win32/main_window.h"

#include <commctrl.h>

#include <string>

#include "app/app_texts.h"
#include "app/win32/byte_limit.h"
#include "app/win32/dialog_font.h"
#include "app/win32/key_codes.h"
#include "platform/gbk_windows.h"

namespace app::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ShowcardMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT kRunCallMessage = WM_APP + 1;
constexpr int kGenerateId = 100;
constexpr int kSaveId = 101;
constexpr COLORREF kThemeFrameColor = 0xD7C5C6;  // scheme 3's frame colour, #C6C5D7
constexpr int kIconResource = 1;

std::wstring Wide(const std::string& gbk) { return platform::WideFromGbk(gbk); }

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, const Rect& r,
           int id = 0) {
  return CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.x, r.y, r.width,
                         r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace

MainWindow::MainWindow(canvas::CardCanvas& canvas) : canvas_(canvas) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &MainWindow::Proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // the dialog face colour
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);

  // The client area the controls need; the frame around it is the system's.
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  hwnd_ = CreateWindowExW(0, kClassName, Wide(kWindowCaption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this);

  font_ = CreateDialogFont();
  frame_brush_ = CreateSolidBrush(kThemeFrameColor);
  auto with_font = [this](HWND control) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
  };

  // Win32 stacks the first-created sibling on top: boxes before their labels.
  canvas_view_ = std::make_unique<CanvasView>(canvas_, hwnd_, kCanvasRect.x, kCanvasRect.y);
  generate_ = with_font(Child(hwnd_, L"BUTTON", Wide(*kGenerateButton.text),
                              WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, kGenerateButton.rect, kGenerateId));
  save_ = with_font(
      Child(hwnd_, L"BUTTON", Wide(*kSaveButton.text), WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, kSaveButton.rect,
            kSaveId));
  for (const BoxSpec& entry : kBoxes) {
    const auto index = static_cast<std::size_t>(entry.box);
    HWND box = with_font(Child(hwnd_, L"EDIT", Wide(*entry.initial_text), WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL |
                                                                              ES_LEFT, entry.rect));
    SendMessageW(box, EM_SETSEL, 0, 0);  // caret at the start, nothing selected
    SetWindowSubclass(box, &MainWindow::BoxProc, index, reinterpret_cast<DWORD_PTR>(this));
    boxes_[index] = box;
  }
  for (std::size_t i = 0; i < kLabels.size(); ++i)
    labels_[i] = with_font(Child(hwnd_, L"STATIC", Wide(*kLabels[i].text),
                                 SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, kLabels[i].rect));
}

MainWindow::~MainWindow() {
  canvas_view_.reset();
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
  if (frame_brush_) DeleteObject(frame_brush_);
}

void MainWindow::CentreOnScreen() {
  // By the window's stated outer size, as the layout gives it, whatever the
  // frame of this Windows version adds.
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (focus_) SetFocus(focus_);
}

void MainWindow::FocusControl(HWND control) {
  focus_ = control;
  SetFocus(control);
}

void MainWindow::SetThemedFrames(bool on) {
  themed_frames_ = on;
  for (HWND box : boxes_)
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MainWindow::CallLater(int milliseconds, std::function<void()> call) {
  const UINT_PTR id = next_call_id_++;
  calls_[id] = std::move(call);
  if (milliseconds <= 0)
    PostMessageW(hwnd_, kRunCallMessage, id, 0);
  else
    SetTimer(hwnd_, id, static_cast<UINT>(milliseconds), nullptr);
}

void MainWindow::RunCall(UINT_PTR id) {
  const auto found = calls_.find(id);
  if (found == calls_.end()) return;
  std::function<void()> call = std::move(found->second);
  calls_.erase(found);
  call();
}

int MainWindow::RunEventLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (HandleWindowKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

HWND MainWindow::ControlHandle(Control control) const {
  switch (control) {
    case Control::Generate: return generate_;
    case Control::Save: return save_;
    case Control::Nickname: return BoxHandle(Box::Nickname);
    case Control::QqNumber: return BoxHandle(Box::QqNumber);
    case Control::Signature: return BoxHandle(Box::Signature);
    case Control::Impression: return BoxHandle(Box::Impression);
    case Control::AvatarPath: return BoxHandle(Box::AvatarPath);
  }
  return nullptr;
}

bool MainWindow::HandleWindowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  const int modifiers = CurrentModifierState();
  const auto key = static_cast<int>(message.wParam);
  if (key == VK_TAB && (modifiers == 0 || modifiers == 2)) {
    MoveFocus(modifiers == 0);
    return true;
  }
  if (key == VK_ESCAPE && modifiers == 0) {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    return true;
  }
  if ((modifiers & 4) && key >= 'A' && key <= 'Z') return ClickMnemonic(static_cast<wchar_t>(key));
  return false;  // Enter and every other key go on
}

void MainWindow::MoveFocus(bool forward) {
  const int count = static_cast<int>(kTabOrder.size());
  const HWND focused = GetFocus();
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (ControlHandle(kTabOrder[static_cast<std::size_t>(i)]) == focused) index = i;
  for (int step = 0; step < count; ++step) {
    index = index < 0 ? (forward ? 0 : count - 1) : (index + (forward ? 1 : count - 1)) % count;
    HWND control = ControlHandle(kTabOrder[static_cast<std::size_t>(index)]);
    if (IsWindowVisible(control) && IsWindowEnabled(control)) {
      FocusControl(control);
      // As the system's dialogs do, an edit box reached by Tab shows its
      // whole text selected.
      for (HWND box : boxes_)
        if (box == control) SendMessageW(box, EM_SETSEL, 0, -1);
      return;
    }
  }
}

bool MainWindow::ClickMnemonic(wchar_t letter) {
  for (HWND button : {generate_, save_}) {
    if (!IsWindowVisible(button) || !IsWindowEnabled(button)) continue;
    const std::wstring text = WindowText(button);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != L'&') continue;
      if (text[i + 1] == L'&') {  // "&&" is a plain "&"
        ++i;
        continue;
      }
      if (static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
              CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(text[i + 1]))))) == letter) {
        // The clicked event, as a click would raise it; the focus stays.
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return true;
      }
    }
  }
  return false;
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && behaviour_) {
        if (LOWORD(wparam) == kGenerateId) behaviour_->OnGenerateClicked();
        if (LOWORD(wparam) == kSaveId) behaviour_->OnSaveClicked();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Like a dialog: the focus leaves with the window and comes back to
      // the same control.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused && IsChild(hwnd_, focused)) focus_ = focused;
      } else if (focus_) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CTLCOLOREDIT: {
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_TIMER:
      KillTimer(hwnd_, wparam);
      RunCall(wparam);
      return 0;
    case kRunCallMessage:
      RunCall(wparam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      calls_.clear();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::BoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                     DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &MainWindow::BoxProc, id);
  return self->HandleBox(static_cast<Box>(id), hwnd, message, wparam, lparam);
}

LRESULT MainWindow::HandleBox(Box box, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // The box's key-down event runs before the box sees the key.
      if (behaviour_) behaviour_->OnKeyDown(box, HandlerKeyCode(static_cast<int>(wparam)), CurrentModifierState());
      if (!IsWindow(hwnd)) return 0;
      break;
    case WM_LBUTTONUP:
      // Raised before the box handles the release, which it gets once the
      // dialog has closed.
      if (box == Box::AvatarPath && behaviour_) behaviour_->OnAvatarPathLeftButtonUp();
      if (!IsWindow(hwnd)) return 0;
      break;
    case WM_CHAR:
      if (wparam >= 32 && !AcceptTypedCharacter(box, hwnd, static_cast<wchar_t>(wparam))) return 0;
      break;
    case WM_PASTE:
      if (kBoxes[static_cast<std::size_t>(box)].byte_limit > 0) {
        PasteWithinLimit(box, hwnd);
        return 0;
      }
      break;
    case WM_NCPAINT:
      if (themed_frames_) {
        PaintFrame(hwnd);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

bool MainWindow::AcceptTypedCharacter(Box box, HWND hwnd, wchar_t c) {
  const BoxSpec& entry = kBoxes[static_cast<std::size_t>(box)];
  // Only typed characters are filtered; pasted text is not.
  if (entry.digits_only && !QqFilterAccepts(c)) return false;
  if (entry.byte_limit <= 0) return true;
  DWORD start = 0, end = 0;
  SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return InsertionFits(WindowText(hwnd), start, end, std::wstring_view(&c, 1),
                       static_cast<std::size_t>(entry.byte_limit));
}

void MainWindow::PasteWithinLimit(Box box, HWND hwnd) {
  std::wstring pasted;
  if (!OpenClipboard(hwnd)) return;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      pasted = text;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  // A one-line box takes the text up to its first line break.
  pasted = pasted.substr(0, pasted.find_first_of(L"\r\n"));
  DWORD start = 0, end = 0;
  SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring current = WindowText(hwnd);
  const std::size_t limit = static_cast<std::size_t>(kBoxes[static_cast<std::size_t>(box)].byte_limit);
  const std::wstring kept = current.substr(0, start) + current.substr(std::min<std::size_t>(end, current.size()));
  const std::size_t kept_bytes = platform::GbkFromWide(kept).size();
  const std::size_t room = kept_bytes < limit ? limit - kept_bytes : 0;
  // Pasted text is cut to what fits.
  const std::wstring fitting = pasted.substr(0, FittingUnits(pasted, room));
  SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
}

void MainWindow::PaintFrame(HWND hwnd) {
  HDC dc = GetWindowDC(hwnd);
  RECT r;
  GetWindowRect(hwnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  FrameRect(dc, &r, frame_brush_);
  ReleaseDC(hwnd, dc);
}

}  // namespace app::win32
