#pragma once
// LZW decompression as GIF uses it: variable-width codes packed from the least
// significant bit, a clear code and an end code, at most 12-bit codes and
// 4096 table entries. Fixed-size tables, so hostile data cannot make it grow.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace canvas {

class LzwDecoder {
 public:
  static constexpr int kMaxCodeBits = 12;
  static constexpr std::size_t kMaxCodes = std::size_t{1} << kMaxCodeBits;
  static constexpr int kMinInitialCodeSize = 2;
  static constexpr int kMaxInitialCodeSize = 8;

  enum class Status {
    Running,    // more values may follow
    EndCode,    // the end code arrived
    DataEnded,  // the codes ran out before the end code
    BadCode,    // a code that names no table entry yet
  };

  // `initial_code_size` is the byte that precedes GIF image data: values are
  // below 2^initial_code_size. Nothing for sizes outside 2..8.
  static std::optional<LzwDecoder> Create(int initial_code_size, std::span<const std::uint8_t> codes);

  // Fills `out` with the next decoded values and returns how many it wrote;
  // fewer than out.size() only once Status() is no longer Running.
  std::size_t Read(std::span<std::uint8_t> out);
  Status GetStatus() const { return status_; }

 private:
  LzwDecoder(int initial_code_size, std::span<const std::uint8_t> codes);
  void ResetTable();

  static constexpr std::uint16_t kNoCode = 0xFFFF;

  std::span<const std::uint8_t> codes_;
  std::size_t byte_pos_ = 0;  // bytes counted into bit_count_
  std::uint64_t bit_buffer_ = 0;
  int bit_count_ = 0;

  int initial_code_size_;
  std::uint16_t clear_code_;
  std::uint16_t end_code_;
  std::uint16_t next_code_ = 0;
  int code_bits_ = 0;
  std::uint16_t previous_ = kNoCode;

  // Entry k is the string of entry prefix_[k] followed by suffix_[k]; first_
  // is its first value and length_ its length, so a string is written back to
  // front straight into the output.
  std::array<std::uint16_t, kMaxCodes> prefix_{};
  std::array<std::uint8_t, kMaxCodes> suffix_{};
  std::array<std::uint8_t, kMaxCodes> first_{};
  std::array<std::uint16_t, kMaxCodes> length_{};

  // A string that did not fit the last output, last value first; read out
  // from the back.
  std::array<std::uint8_t, kMaxCodes> pending_{};
  std::size_t pending_size_ = 0;

  Status status_ = Status::Running;
};

}  // namespace canvas
