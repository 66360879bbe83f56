#include <fontconfig/fontconfig.h>

#include <cstdio>

#include "platform/ui_font.h"

namespace platform {
namespace {

// Classic desktop UI look: this face has one-bit bitmap strikes at 12 and 13 px.
constexpr const char* kPreferredFamily = "WenQuanYi Zen Hei Sharp";

FontLocation Match(FcConfig* config, FcPattern* pattern, bool require_family, const char* family) {
  FontLocation found;
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  if (!match) return found;
  FcChar8* file = nullptr;
  FcChar8* matched_family = nullptr;
  int index = 0;
  bool family_ok = !require_family ||
                   (FcPatternGetString(match, FC_FAMILY, 0, &matched_family) == FcResultMatch &&
                    FcStrCmpIgnoreCase(matched_family, reinterpret_cast<const FcChar8*>(family)) == 0);
  if (family_ok && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    found.path = reinterpret_cast<const char*>(file);
    found.face_index = index;
  }
  FcPatternDestroy(match);
  return found;
}

FontLocation FindFont(FcConfig* config) {
  FcPattern* preferred = FcPatternCreate();
  FcPatternAddString(preferred, FC_FAMILY, reinterpret_cast<const FcChar8*>(kPreferredFamily));
  FontLocation found = Match(config, preferred, true, kPreferredFamily);
  FcPatternDestroy(preferred);
  if (!found.path.empty()) return found;

  FcPattern* any_chinese = FcPatternCreate();
  FcPatternAddString(any_chinese, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  found = Match(config, any_chinese, false, nullptr);
  FcPatternDestroy(any_chinese);
  std::fprintf(stderr, "showcard: font \"%s\" not found; using %s\n", kPreferredFamily,
               found.path.empty() ? "no font at all (texts will not show)" : found.path.c_str());
  return found;
}

// A private configuration, freed once the file name is known, leaves the
// process-wide one to whoever else uses fontconfig (the toolkit).
FontLocation LookUp() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return {};
  FontLocation found = FindFont(config);
  FcConfigDestroy(config);
  return found;
}

}  // namespace

const FontLocation& DefaultUiFont() {
  static const FontLocation font = LookUp();
  return font;
}

}  // namespace platform
