#include <cstdio>

#include "canvas/take_snapshot.h"
#include "card/card_background.h"
#include "card/compose_card.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "tools/cli_options.h"

namespace cli {

int Render(const Args& args) {
  RenderOptions options;
  if (auto error = ParseRenderOptions(args, options)) {
    std::fprintf(stderr, "showcard-cli render: %s\n", error->c_str());
    return kExitUsage;
  }
  if (options.positional.size() != 1) {
    std::fprintf(stderr, "showcard-cli render: give exactly one OUTPUT.bmp\n");
    return kExitUsage;
  }
  canvas::CardCanvas canvas(card::CardBackgroundBytes(), 96);
  card::FixedCardInputs inputs(options.inputs);
  platform::FixedTickCounter fixed(options.ticks.value_or(0));
  platform::TickCounter& ticks = options.ticks ? static_cast<platform::TickCounter&>(fixed) : platform::SystemTicks();
  card::ComposeCard(canvas, inputs, ticks);

  const std::string& output = options.positional[0];
  if (!platform::WriteWholeFile(platform::GbkFromUtf8(output), canvas::TakeSnapshot(canvas, 0, 0))) {
    std::fprintf(stderr, "showcard-cli render: cannot write %s\n", output.c_str());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace cli
