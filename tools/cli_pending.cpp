#include <cstdio>

#include "tools/cli_options.h"

// Saving commands arrive with the saving library.
namespace cli {

int Convert(const Args&) {
  std::fprintf(stderr, "showcard-cli convert: not available in this build\n");
  return kExitFailure;
}
int Save(const Args&) {
  std::fprintf(stderr, "showcard-cli save: not available in this build\n");
  return kExitFailure;
}

}  // namespace cli
