#include "save_test_support.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "card/card_background.h"
#include "card/card_inputs.h"
#include "card/compose_card.h"
#include "card/initial_texts.h"
#include "platform/tick_counter.h"

namespace save_test {
namespace {

void PutLe16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  PutLe16(b, at, v);
  PutLe16(b, at + 2, v >> 16);
}

}  // namespace

Bytes BuildBmp(const BmpLayout& layout, const std::vector<Rgb>& pixels) {
  const std::size_t header_size = layout.core ? 12 : 40;
  const std::size_t offset = 14 + header_size + layout.gap;
  // A nonsensical size in the header still gets a file: no rows then.
  const std::int64_t width = std::max<std::int64_t>(layout.width, 0);
  const std::int64_t rows = width == 0 ? 0 : std::abs(static_cast<std::int64_t>(layout.height));
  const std::size_t stride = static_cast<std::size_t>((width * layout.bits + 31) / 32 * 4);
  Bytes b(offset + stride * static_cast<std::size_t>(rows), 0);
  b[0] = 'B';
  b[1] = static_cast<std::uint8_t>(layout.second_signature_byte);
  PutLe32(b, 2, static_cast<std::uint32_t>(b.size()));
  PutLe32(b, 10, static_cast<std::uint32_t>(layout.pixel_offset >= 0 ? layout.pixel_offset : offset));
  PutLe32(b, 14, static_cast<std::uint32_t>(header_size));
  if (layout.core) {
    PutLe16(b, 18, static_cast<std::uint32_t>(layout.width));
    PutLe16(b, 20, static_cast<std::uint32_t>(layout.height));
    PutLe16(b, 22, 1);
    PutLe16(b, 24, layout.bits);
  } else {
    PutLe32(b, 18, static_cast<std::uint32_t>(layout.width));
    PutLe32(b, 22, static_cast<std::uint32_t>(layout.height));
    PutLe16(b, 26, 1);
    PutLe16(b, 28, layout.bits);
    PutLe32(b, 30, layout.compression);
    PutLe32(b, 34, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(rows)));
  }
  const bool bottom_up = layout.core || layout.height > 0;
  for (std::int64_t k = 0; k < rows; ++k) {
    const std::int64_t y = bottom_up ? rows - 1 - k : k;
    std::uint8_t* row = b.data() + offset + static_cast<std::size_t>(k) * stride;
    if (layout.bits != 24) continue;
    for (std::int64_t x = 0; x < width; ++x) {
      const Rgb& p = pixels.at(static_cast<std::size_t>(y * width + x));
      row[x * 3] = p.b;
      row[x * 3 + 1] = p.g;
      row[x * 3 + 2] = p.r;
    }
    std::fill(row + width * 3, row + stride, layout.padding_value);
  }
  b.resize(b.size() - std::min(layout.drop_tail, b.size()));
  return b;
}

std::vector<Rgb> Pattern(std::int32_t width, std::int32_t height, std::uint32_t seed) {
  std::vector<Rgb> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::uint32_t s = seed;
  for (std::int32_t i = 0; i < width * height; ++i) {
    s = s * 1664525u + 1013904223u;
    pixels.push_back(Rgb{static_cast<std::uint8_t>(s >> 24), static_cast<std::uint8_t>(s >> 16),
                         static_cast<std::uint8_t>(s >> 8)});
  }
  return pixels;
}

canvas::CardCanvas ComposedCard() {
  canvas::CardCanvas canvas(card::CardBackgroundBytes(), 96);
  card::FixedCardInputs inputs(card::CardInputs{card::kInitialNickname, card::kInitialQqNumber,
                                                card::kInitialSignature, card::kInitialImpression, ""});
  platform::FixedTickCounter ticks(12345);
  card::ComposeCard(canvas, inputs, ticks);
  return canvas;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "showcard-save-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

Bytes ReadFile(const std::string& path) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) return {};
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::symlink_status(path, ignored).type() != std::filesystem::file_type::not_found;
}

int RunWithFileSizeLimit(std::uint64_t file_size_limit, const std::function<int()>& step) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{file_size_limit, file_size_limit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(255);
    const int result = step();
    // _exit: the parent's test framework must not run its exit code here.
    ::_exit(result & 0xFF);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

}  // namespace save_test
