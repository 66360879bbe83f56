#include "app/win32/dialog_font.h"

#include <cwchar>

namespace app::win32 {
namespace {

// Faces with Chinese characters, best first: the classic UI face (SimSun),
// the newer one, and WenQuanYi Zen Hei Sharp where that is installed.
constexpr const wchar_t* kFaces[] = {L"SimSun", L"Microsoft YaHei", L"WenQuanYi Zen Hei Sharp",
                                     L"WenQuanYi Zen Hei"};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(HDC dc, const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

HFONT CreateDialogFont() {
  HDC dc = GetDC(nullptr);
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWidth = 0;
  font.lfCharSet = GB2312_CHARSET;
  for (const wchar_t* face : kFaces) {
    if (FaceInstalled(dc, face)) {
      wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
      break;
    }
  }
  ReleaseDC(nullptr, dc);
  return CreateFontIndirectW(&font);
}

}  // namespace app::win32
