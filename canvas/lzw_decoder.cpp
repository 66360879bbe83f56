#include "canvas/lzw_decoder.h"

namespace canvas {

std::optional<LzwDecoder> LzwDecoder::Create(int initial_code_size, std::span<const std::uint8_t> codes) {
  if (initial_code_size < kMinInitialCodeSize || initial_code_size > kMaxInitialCodeSize) return std::nullopt;
  return LzwDecoder(initial_code_size, codes);
}

LzwDecoder::LzwDecoder(int initial_code_size, std::span<const std::uint8_t> codes)
    : codes_(codes),
      initial_code_size_(initial_code_size),
      clear_code_(static_cast<std::uint16_t>(1u << initial_code_size)),
      end_code_(static_cast<std::uint16_t>(clear_code_ + 1)) {
  // The single-value entries never change; clears only forget the rest.
  for (std::uint16_t k = 0; k < clear_code_; ++k) {
    suffix_[k] = static_cast<std::uint8_t>(k);
    first_[k] = static_cast<std::uint8_t>(k);
  }
  ResetTable();
}

void LzwDecoder::ResetTable() {
  next_code_ = static_cast<std::uint16_t>(end_code_ + 1);
  code_bits_ = initial_code_size_ + 1;
  previous_ = kNoCode;
}

std::optional<std::uint16_t> LzwDecoder::NextCode() {
  while (bit_count_ < code_bits_) {
    if (byte_pos_ >= codes_.size()) return std::nullopt;
    bit_buffer_ |= static_cast<std::uint32_t>(codes_[byte_pos_++]) << bit_count_;
    bit_count_ += 8;
  }
  const auto code = static_cast<std::uint16_t>(bit_buffer_ & ((1u << code_bits_) - 1u));
  bit_buffer_ >>= code_bits_;
  bit_count_ -= code_bits_;
  return code;
}

bool LzwDecoder::DecodeNextCode() {
  for (;;) {
    const std::optional<std::uint16_t> code = NextCode();
    if (!code) {
      status_ = Status::DataEnded;
      return false;
    }
    if (*code == clear_code_) {
      ResetTable();
      continue;
    }
    if (*code == end_code_) {
      status_ = Status::EndCode;
      return false;
    }
    // A code may name the entry about to be made (previous string plus its own
    // first value), never one beyond; right after a clear only values qualify.
    const bool names_next = *code == next_code_ && previous_ != kNoCode && next_code_ < kMaxCodes;
    if (*code > next_code_ || (*code == next_code_ && !names_next)) {
      status_ = Status::BadCode;
      return false;
    }
    if (previous_ != kNoCode && next_code_ < kMaxCodes) {
      const std::uint8_t first = names_next ? first_[previous_] : first_[*code];
      prefix_[next_code_] = previous_;
      suffix_[next_code_] = first;
      first_[next_code_] = first_[previous_];
      ++next_code_;
      // Once the table is full the width stays at 12 bits until a clear.
      if (next_code_ == (1u << code_bits_) && code_bits_ < kMaxCodeBits) ++code_bits_;
    }
    previous_ = *code;

    // Every entry's prefix is an older entry, so the walk ends at a value.
    std::uint16_t c = *code;
    pending_size_ = 0;
    while (c > end_code_) {
      pending_[pending_size_++] = suffix_[c];
      c = prefix_[c];
    }
    pending_[pending_size_++] = static_cast<std::uint8_t>(c);
    return true;
  }
}

std::size_t LzwDecoder::Read(std::span<std::uint8_t> out) {
  std::size_t written = 0;
  while (written < out.size()) {
    if (pending_size_ == 0 && (status_ != Status::Running || !DecodeNextCode())) break;
    out[written++] = pending_[--pending_size_];
  }
  return written;
}

}  // namespace canvas
