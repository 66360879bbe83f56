#include "card/compose_card.h"

#include "card/card_background.h"
#include "card/split_text.h"
#include "card/tag_color.h"
#include "platform/files.h"

namespace card {
namespace {

constexpr canvas::ColorRef kNameColor = 0xE96F15;
constexpr canvas::ColorRef kSignatureColor = 0x808080;
constexpr canvas::ColorRef kDayCountColor = 0x000000;
// "7565天" and "88天"
constexpr std::string_view kFirstDayCount = "7565\xCC\xEC";
constexpr std::string_view kSecondDayCount = "88\xCC\xEC";
constexpr std::int32_t kTextLeft = 88;
constexpr std::int32_t kTagTop = 77;
// Tags advance by this much per byte, whatever the glyphs' real widths.
constexpr std::int32_t kTagAdvancePerByte = 8;

}  // namespace

void ComposeCard(canvas::CardCanvas& canvas, CardInputSource& inputs,
                 platform::TickCounter& ticks) {
  // Wipes the previous card at once, so no separate wait for a repaint.
  canvas.SetBackgroundPicture(CardBackgroundBytes());

  canvas.SetFontSize(9);
  canvas.SetTextColor(kNameColor);
  std::string name_line = inputs.Nickname();
  name_line += '(';
  name_line += inputs.QqNumber();
  name_line += ')';
  canvas.WriteTextAt(kTextLeft, 5, name_line);

  canvas.SetTextColor(kSignatureColor);
  canvas.WriteTextAt(kTextLeft, 21, inputs.Signature());

  canvas.SetFontSize(10);
  canvas.SetTextColor(kDayCountColor);
  canvas.WriteTextAt(105, 58, kFirstDayCount);
  canvas.WriteTextAt(173, 58, kSecondDayCount);

  const std::vector<std::string> pieces = SplitText(inputs.Impression(), kTagDelimiter);
  std::int64_t bytes_before = 0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    canvas.SetTextColor(PickTagColor(ticks));
    const auto x = static_cast<std::int32_t>(kTextLeft + kTagAdvancePerByte * bytes_before);
    if (k + 1 < pieces.size())
      canvas.WriteTextAt(x, kTagTop, pieces[k] + std::string(kTagDelimiter));
    else
      canvas.WriteTextAt(x, kTagTop, pieces[k]);
    bytes_before += static_cast<std::int64_t>(pieces[k].size());
    if (bytes_before > (std::int64_t{1} << 28)) bytes_before = std::int64_t{1} << 28;  // far off the card anyway
  }

  const platform::Bytes avatar = platform::ReadWholeFile(inputs.AvatarPath());
  canvas.DrawPictureBytes(avatar, 5, 5, 78, 128);
}

}  // namespace card
