#pragma once
#include <string>

namespace platform {

// A font file and the face inside it.
struct FontLocation {
  std::string path;
  int face_index = 0;
};

// The face that stands in for the system's default UI font: a CJK face with
// crisp bitmap strikes at the classic UI sizes. Falls back to any font for
// zh-cn (warning once on stderr); empty path when there is none at all.
// Looked up once per process.
const FontLocation& DefaultUiFont();

}  // namespace platform
