#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/ui_font.h"

namespace platform {
namespace {

// Font files in the Windows font folder, best first. The classic Chinese UI
// font has crisp bitmap strikes at 12 and 13 px; WenQuanYi Zen Hei Sharp
// (face 2 of its collection) looks the same way where it has been installed.
struct Candidate {
  const char* file;
  int face_index;
};
constexpr Candidate kCandidates[] = {
    {"simsun.ttc", 0},
    {"wqy-zenhei.ttc", 2},
    {"msyh.ttc", 0},
    {"simhei.ttf", 0},
    {"msyh.ttf", 0},
};

FontLocation LookUp() {
  // The path goes to FreeType, which opens it with the C library, so it is
  // kept in the system's ANSI code page.
  char windows_folder[MAX_PATH];
  const UINT n = GetWindowsDirectoryA(windows_folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  const std::string fonts = std::string(windows_folder, n) + "\\Fonts\\";
  for (const Candidate& c : kCandidates) {
    const std::string path = fonts + c.file;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return {path, c.face_index};
  }
  std::fprintf(stderr, "showcard: no Chinese font in %s (texts will not show)\n", fonts.c_str());
  return {};
}

}  // namespace

const FontLocation& DefaultUiFont() {
  static const FontLocation font = LookUp();
  return font;
}

}  // namespace platform
