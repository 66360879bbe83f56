#pragma once
// Helpers for the saving tests: BMP files of every layout, a scratch folder
// per test, and running a step in a child process under a file size limit.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "canvas/card_canvas.h"
#include "canvas/picture.h"

namespace save_test {

using Bytes = std::vector<std::uint8_t>;
using canvas::Rgb;

// How a BMP file is laid out. Pixels are given top row first.
struct BmpLayout {
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative: rows stored top-down (info layout)
  bool core = false;        // the 12-byte header instead of the 40-byte one
  char second_signature_byte = 'M';
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t gap = 0;             // bytes between the headers and the pixel rows
  std::int64_t pixel_offset = -1;    // overrides the pixel data offset field when >= 0
  std::size_t drop_tail = 0;         // bytes cut from the end of the file
  std::uint8_t padding_value = 0xEE; // fills the row padding, to catch shifted rows
};

// Builds the file. For depths other than 24 the rows are zero bytes.
Bytes BuildBmp(const BmpLayout& layout, const std::vector<Rgb>& pixels);

// A picture with a different colour in every pixel.
std::vector<Rgb> Pattern(std::int32_t width, std::int32_t height, std::uint32_t seed = 1);

// The card composed from the window's initial texts with a fixed tick count.
canvas::CardCanvas ComposedCard();

// A fresh folder for one test, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path (also valid as a GBK path: it is ASCII).
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

// The whole file; empty for a folder or a missing file.
Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);
bool Exists(const std::string& path);

// Runs `step` in a child process whose files may grow to at most
// `file_size_limit` bytes, with SIGXFSZ ignored so that a write beyond the
// limit fails instead of ending the child. Returns what `step` returned
// (0 to 255), or -1 if the child did not end normally.
int RunWithFileSizeLimit(std::uint64_t file_size_limit, const std::function<int()>& step);

// Runs a shell command; true when it exits with 0.
bool RunCommand(const std::string& command);

}  // namespace save_test
