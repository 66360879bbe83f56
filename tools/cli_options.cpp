#include "tools/cli_options.h"

#include <algorithm>
#include <charconv>

#include "card/initial_texts.h"
#include "platform/gbk.h"

namespace cli {

std::optional<long long> ParseInteger(const std::string& text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> ParseRenderOptions(const Args& args, RenderOptions& out,
                                              const std::vector<std::string>& extra_value_options,
                                              std::vector<std::pair<std::string, std::string>>* extra) {
  out.inputs = card::CardInputs{card::kInitialNickname, card::kInitialQqNumber, card::kInitialSignature,
                                card::kInitialImpression, ""};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    std::string* text = a == "--nickname"     ? &out.inputs.nickname
                        : a == "--qq"         ? &out.inputs.qq_number
                        : a == "--signature"  ? &out.inputs.signature
                        : a == "--impression" ? &out.inputs.impression
                        : a == "--avatar"     ? &out.inputs.avatar_path
                                              : nullptr;
    if (text) {
      auto v = value();
      if (!v) return a + " needs a value";
      *text = platform::GbkFromUtf8(*v);
    } else if (a == "--ticks") {
      auto v = value();
      auto n = v ? ParseInteger(*v) : std::nullopt;
      if (!n || *n < 0 || *n > 0xFFFFFFFFLL) return "--ticks needs a number from 0 to 4294967295";
      out.ticks = static_cast<std::uint32_t>(*n);
    } else if (std::find(extra_value_options.begin(), extra_value_options.end(), a) != extra_value_options.end()) {
      auto v = value();
      if (!v) return a + " needs a value";
      if (extra) extra->emplace_back(a, *v);
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option " + a;
    } else {
      out.positional.push_back(a);
    }
  }
  return std::nullopt;
}

}  // namespace cli
