#pragma once
// The main window 窗口 as it is laid out: client-area pixels, initial
// texts (GBK) and limits. Every front end builds its window from this.
#include <array>
#include <cstdint>
#include <string>

#include "app/app_texts.h"
#include "app/toolkit.h"
#include "card/initial_texts.h"

namespace app {

struct Rect {
  int x, y, width, height;
};

// The window's outer size (frame and caption bar included) and the
// client area the controls need inside it.
inline constexpr int kOuterWidth = 507;
inline constexpr int kOuterHeight = 205;
inline constexpr int kClientWidth = 501;
inline constexpr int kClientHeight = 177;

inline constexpr Rect kCanvasRect{8, 6, 275, 161};  // 画板, 1-pixel border around 273 x 159

struct LabelSpec {
  Rect rect;
  const std::string* text;
};

struct BoxSpec {
  Box box;
  Rect rect;
  const std::string* initial_text;
  int byte_limit;     // 0: no limit
  bool digits_only;   // typed characters limited to "0".."9" and "-"
};

struct ButtonSpec {
  Rect rect;
  const std::string* text;  // with the "&" mnemonic
};

// 标签1 .. 标签5
inline const std::array<LabelSpec, 5> kLabels{{
    {{296, 8, 72, 24}, &kNicknameLabel},
    {{296, 38, 72, 24}, &kQqNumberLabel},
    {{296, 64, 72, 24}, &kSignatureLabel},
    {{296, 90, 72, 24}, &kImpressionLabel},
    {{297, 115, 72, 24}, &kAvatarPathLabel},
}};

inline const std::string kEmptyText;

// The edit boxes, in the order of Box.
inline const std::array<BoxSpec, 5> kBoxes{{
    {Box::Nickname, {331, 8, 96, 24}, &card::kInitialNickname, 12, false},
    {Box::QqNumber, {331, 36, 96, 24}, &card::kInitialQqNumber, 10, true},
    {Box::Signature, {331, 63, 157, 24}, &card::kInitialSignature, 0, false},
    {Box::Impression, {331, 89, 157, 24}, &card::kInitialImpression, 0, false},
    {Box::AvatarPath, {331, 116, 157, 24}, &kEmptyText, 0, false},
}};

inline const ButtonSpec kGenerateButton{{294, 144, 90, 24}, &kGenerateText};  // 生成
inline const ButtonSpec kSaveButton{{402, 144, 90, 24}, &kSaveText};          // 保存

// The tab order, wrapping at both ends: 生成, 保存, then the five boxes.
enum class Control { Generate, Save, Nickname, QqNumber, Signature, Impression, AvatarPath };
inline constexpr std::array<Control, 7> kTabOrder{Control::Generate,  Control::Save,
                                                  Control::Nickname,  Control::QqNumber,
                                                  Control::Signature, Control::Impression,
                                                  Control::AvatarPath};

// The character filter of 编辑框_QQ for one typed character (code >= 32).
inline constexpr bool QqFilterAccepts(char32_t c) { return (c >= U'0' && c <= U'9') || c == U'-'; }

// The key code the handlers compare with.
inline constexpr int kKeyEnter = 13;

}  // namespace app
