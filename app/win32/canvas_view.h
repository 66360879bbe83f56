#pragma once
// 画板: a child window that shows the canvas pixels inside a one-pixel border.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "canvas/card_canvas.h"

namespace app::win32 {

// The canvas pixels (RGB rows, top first) as the rows of a top-down 24-bit
// DIB: blue, green, red, each row padded to a multiple of 4 bytes.
std::vector<std::uint8_t> DibRowsFromRgb(const std::uint8_t* rgb, int width, int height);

class CanvasView {
 public:
  static constexpr int kBorder = 1;

  CanvasView(canvas::CardCanvas& canvas, HWND parent, int x, int y);
  ~CanvasView();
  CanvasView(const CanvasView&) = delete;
  CanvasView& operator=(const CanvasView&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();

  canvas::CardCanvas& canvas_;
  HWND hwnd_ = nullptr;
};

}  // namespace app::win32
