#pragma once
// The window program's own texts, as GBK bytes; the initial box texts and the
// publisher's domain come from card/initial_texts.h.
#include <string>

#include "card/initial_texts.h"

namespace app {

// "Pinwell 禾木小站 hemu.example"
inline const std::string kWindowCaption = "Pinwell \xBA\xCC\xC4\xBE\xD0\xA1\xD5\xBE " + card::kPublisherDomain;

// The home page, a bare host name without a scheme.
inline const std::string kHomePageAddress = card::kPublisherDomain;

// CreditBox: caption "Hemu.Example"; text "本软件由 KW-T（581264079）制作",
// CR LF, "禾木小站  Hemu.Example".
inline const std::string kCreditCaption = "Hemu.Example";
inline const std::string kCreditText =
    "\xB1\xBE\xC8\xED\xBC\xFE\xD3\xC9 " + card::kInitialNickname + "\xA3\xA8" + card::kInitialQqNumber +
    "\xA3\xA9\xD6\xC6\xD7\xF7\r\n" + card::kInitialSignature;

// Labels: "昵称：", "Q  Q：", "签名：", "印象：", "QQ秀：".
inline const std::string kNicknameLabel = "\xEA\xC7\xB3\xC6\xA3\xBA";
inline const std::string kQqNumberLabel = "Q  Q\xA3\xBA";
inline const std::string kSignatureLabel = "\xC7\xA9\xC3\xFB\xA3\xBA";
inline const std::string kImpressionLabel = "\xD3\xA1\xCF\xF3\xA3\xBA";
inline const std::string kAvatarPathLabel = "QQ\xD0\xE3\xA3\xBA";

// Buttons: "生成(&A)", "保存(&S)".
inline const std::string kGenerateText = "\xC9\xFA\xB3\xC9(&A)";
inline const std::string kSaveText = "\xB1\xA3\xB4\xE6(&S)";

// The picker's one file type: "图片文件（*.jpg，*.gif，*.bmp）".
inline const std::string kPictureFileTypeDescription =
    "\xCD\xBC\xC6\xAC\xCE\xC4\xBC\xFE\xA3\xA8*.jpg\xA3\xAC*.gif\xA3\xAC*.bmp\xA3\xA9";

}  // namespace app
