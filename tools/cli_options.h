#pragma once
// Small helpers shared by the showcard-cli commands.
#include <optional>
#include <string>
#include <vector>

#include "card/card_inputs.h"

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Arguments after the command name.
using Args = std::vector<std::string>;

// The card texts and tick counter a render-like command was given. Texts
// arrive as UTF-8 and are held as GBK; left-out texts are the window's.
struct RenderOptions {
  card::CardInputs inputs;
  std::optional<std::uint32_t> ticks;
  std::vector<std::string> positional;
};

// Parses --nickname, --qq, --signature, --impression, --avatar, --ticks and
// collects the rest as positional arguments. Returns an error text on bad usage.
std::optional<std::string> ParseRenderOptions(const Args& args, RenderOptions& out,
                                              const std::vector<std::string>& extra_value_options = {},
                                              std::vector<std::pair<std::string, std::string>>* extra = nullptr);

std::optional<long long> ParseInteger(const std::string& text);

int Render(const Args& args);
int Decode(const Args& args);
int Convert(const Args& args);
int Save(const Args& args);

}  // namespace cli
