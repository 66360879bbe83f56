#include <cstdio>

#include "card/card_background.h"
#include "card/compose_card.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "save/save_card.h"
#include "tools/cli_options.h"

namespace cli {

// save --dir DIR [render options]: composes the card as render does and saves
// it as the Save button does, with DIR as the run directory.
int Save(const Args& args) {
  RenderOptions options;
  std::vector<std::pair<std::string, std::string>> extra;
  if (auto error = ParseRenderOptions(args, options, {"--dir"}, &extra)) {
    std::fprintf(stderr, "showcard-cli save: %s\n", error->c_str());
    return kExitUsage;
  }
  if (extra.empty() || !options.positional.empty()) {
    std::fprintf(stderr, "showcard-cli save: give --dir DIR and no other arguments than the render options\n");
    return kExitUsage;
  }
  // A run directory has no trailing separator ("/" itself becomes "").
  std::string directory = platform::GbkFromUtf8(extra.back().second);
  while (!directory.empty() && directory.back() == platform::kPathSeparator) directory.pop_back();

  canvas::CardCanvas canvas(card::CardBackgroundBytes(), 96);
  card::FixedCardInputs inputs(options.inputs);
  platform::FixedTickCounter fixed(options.ticks.value_or(0));
  platform::TickCounter& ticks = options.ticks ? static_cast<platform::TickCounter&>(fixed) : platform::SystemTicks();
  card::ComposeCard(canvas, inputs, ticks);

  const save::SaveOutcome outcome = save::SaveCard(canvas, directory);
  if (!outcome.saved) {
    // A terminal wants plain line ends.
    std::string message;
    for (char c : platform::Utf8FromGbk(outcome.message))
      if (c != '\r') message += c;
    std::fprintf(stderr, "showcard-cli save: %s\n%s\n", platform::Utf8FromGbk(outcome.caption).c_str(),
                 message.c_str());
    return kExitFailure;
  }
  std::printf("%s\n", platform::Utf8FromGbk(outcome.card_path).c_str());
  return kExitOk;
}

}  // namespace cli
