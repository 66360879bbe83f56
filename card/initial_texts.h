#pragma once
// The texts the window starts with, as GBK bytes, and the publisher's details.
#include <string>

namespace card {

// "KW-T"
inline const std::string kInitialNickname = "KW-T";
inline const std::string kInitialQqNumber = "581264079";
// "禾木小站  Hemu.Example" (two blanks)
inline const std::string kInitialSignature = "\xBA\xCC\xC4\xBE\xD0\xA1\xD5\xBE  Hemu.Example";
// "『请添加QQ581264079！』 " (24 bytes, the last a blank)
inline const std::string kInitialImpression =
    "\xA1\xBA\xC7\xEB\xCC\xED\xBC\xD3QQ581264079\xA3\xA1\xA1\xBB ";

inline const std::string kPublisherDomain = "hemu.example";

}  // namespace card
