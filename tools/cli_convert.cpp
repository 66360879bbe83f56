#include <cstdio>

#include "platform/gbk.h"
#include "save/convert_to_jpeg.h"
#include "tools/cli_options.h"

namespace cli {

// convert SOURCE TARGET [--quality N] [--grayscale] [--no-optimize] [--smoothing N]
// A missing path is handed on as absent, for the converter to refuse.
int Convert(const Args& args) {
  std::vector<std::string> paths;
  int quality = 75;
  int smoothing = 0;
  bool grayscale = false;
  bool optimize = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--quality" || a == "--smoothing") {
      auto n = i + 1 < args.size() ? ParseInteger(args[++i]) : std::nullopt;
      if (!n || *n < -1000000 || *n > 1000000) {
        std::fprintf(stderr, "showcard-cli convert: %s needs a whole number\n", a.c_str());
        return kExitUsage;
      }
      (a == "--quality" ? quality : smoothing) = static_cast<int>(*n);
    } else if (a == "--grayscale") {
      grayscale = true;
    } else if (a == "--no-optimize") {
      optimize = false;
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "showcard-cli convert: unknown option %s\n", a.c_str());
      return kExitUsage;
    } else {
      paths.push_back(a);
    }
  }
  if (paths.size() > 2) {
    std::fprintf(stderr, "showcard-cli convert: give SOURCE and TARGET only\n");
    return kExitUsage;
  }
  paths.resize(2);
  const int result = save::ConvertToJpeg(platform::GbkFromUtf8(paths[0]), platform::GbkFromUtf8(paths[1]),
                                         grayscale, quality, optimize, smoothing);
  std::printf("%s\n", save::ConversionResultName(result));
  return result == save::ConversionOk ? kExitOk : kExitFailure;
}

}  // namespace cli
