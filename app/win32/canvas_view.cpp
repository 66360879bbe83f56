#include "app/win32/canvas_view.h"

namespace app::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ShowcardCanvas";

void RegisterOnce(HINSTANCE instance, WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

std::vector<std::uint8_t> DibRowsFromRgb(const std::uint8_t* rgb, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> dib(stride * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* src = rgb + static_cast<std::size_t>(y) * width * 3;
    std::uint8_t* dst = dib.data() + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      dst[x * 3 + 0] = src[x * 3 + 2];
      dst[x * 3 + 1] = src[x * 3 + 1];
      dst[x * 3 + 2] = src[x * 3 + 0];
    }
  }
  return dib;
}

CanvasView::CanvasView(canvas::CardCanvas& canvas, HWND parent, int x, int y) : canvas_(canvas) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  RegisterOnce(instance, &CanvasView::Proc);
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                          canvas::CardCanvas::kWidth + 2 * kBorder, canvas::CardCanvas::kHeight + 2 * kBorder,
                          parent, nullptr, instance, this);
  // The canvas keeps its pixels; a change only asks for a repaint.
  canvas_.SetChangeListener([hwnd = hwnd_] { InvalidateRect(hwnd, nullptr, FALSE); });
}

CanvasView::~CanvasView() {
  canvas_.SetChangeListener({});
  if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

LRESULT CALLBACK CanvasView::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CanvasView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == WM_PAINT) {
    self->Paint();
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void CanvasView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT frame{0, 0, canvas::CardCanvas::kWidth + 2 * kBorder, canvas::CardCanvas::kHeight + 2 * kBorder};
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const std::vector<std::uint8_t> rows =
      DibRowsFromRgb(canvas_.Pixels(), canvas::CardCanvas::kWidth, canvas::CardCanvas::kHeight);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = canvas::CardCanvas::kWidth;
  info.bmiHeader.biHeight = -canvas::CardCanvas::kHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, kBorder, kBorder, canvas::CardCanvas::kWidth, canvas::CardCanvas::kHeight, 0, 0, 0,
                    canvas::CardCanvas::kHeight, rows.data(), &info, DIB_RGB_COLORS);
  EndPaint(hwnd_, &ps);
}

}  // namespace app::win32
