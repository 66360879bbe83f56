// showcard-cli: composes, decodes, converts and saves cards without a window.
#include <cstdio>
#include <cstring>

#include "tools/cli_options.h"

namespace {

constexpr const char* kUsage =
    "usage: showcard-cli COMMAND [options]\n"
    "\n"
    "  render [--nickname T] [--qq T] [--signature T] [--impression T]\n"
    "         [--avatar PATH] [--ticks N] OUTPUT.bmp\n"
    "      compose the card and write it as a 273x159 24-bit BMP\n"
    "  decode INPUT OUTPUT.png\n"
    "      decode a picture and write it at its natural size as PNG\n"
    "  convert SOURCE TARGET [--quality N] [--grayscale] [--no-optimize] [--smoothing N]\n"
    "      convert a picture file into a JPEG file\n"
    "  save --dir DIR [render options]\n"
    "      compose the card and save it as the next free DIR/IMG<n>.jpg\n"
    "\n"
    "Texts are UTF-8. Left-out texts are the window's initial ones; --ticks fixes\n"
    "the tick counter so that tag colours are reproducible.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return cli::kExitUsage;
  }
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return cli::kExitOk;
  }
  cli::Args args(argv + 2, argv + argc);
  for (const auto& a : args)
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return cli::kExitOk;
    }
  if (command == "render") return cli::Render(args);
  if (command == "decode") return cli::Decode(args);
  if (command == "convert") return cli::Convert(args);
  if (command == "save") return cli::Save(args);
  std::fprintf(stderr, "showcard-cli: unknown command \"%s\"\n\n%s", command.c_str(), kUsage);
  return cli::kExitUsage;
}
