#include "canvas/lzw_decoder.h"

#include <bit>
#include <cstring>

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
    length_[k] = 1;
  }
  ResetTable();
}

void LzwDecoder::ResetTable() {
  next_code_ = static_cast<std::uint16_t>(end_code_ + 1);
  code_bits_ = initial_code_size_ + 1;
  previous_ = kNoCode;
}

namespace {

// The decoder's position in the codes, held in locals while a Read runs:
// the output is bytes, which may alias anything, so members would be
// reloaded after every value written.
struct BitReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;        // bytes counted into count
  std::uint64_t buffer;   // bits above count are zero or the codes that follow
  int count;

  // Tops the buffer up to at least 57 bits, or to the end of the codes.
  void Refill() {
    if (size - pos >= 8) {
      // Eight bytes, little-endian as GIF packs its codes; whole ones are
      // counted, the rest are already the right bits for the next refill.
      std::uint64_t next = 0;
      if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&next, data + pos, 8);
      } else {
        for (int i = 7; i >= 0; --i) next = (next << 8) | data[pos + static_cast<std::size_t>(i)];
      }
      buffer |= next << count;
      pos += static_cast<std::size_t>((63 - count) >> 3);
      count |= 56;
      return;
    }
    for (; count <= 56 && pos < size; count += 8) buffer |= static_cast<std::uint64_t>(data[pos++]) << count;
  }
};

}  // namespace

std::size_t LzwDecoder::Read(std::span<std::uint8_t> out) {
  std::uint8_t* dst = out.data();
  std::uint8_t* const end = dst + out.size();
  while (pending_size_ > 0 && dst != end) *dst++ = pending_[--pending_size_];

  BitReader bits{codes_.data(), codes_.size(), byte_pos_, bit_buffer_, bit_count_};
  int code_bits = code_bits_;
  std::uint16_t next_code = next_code_;
  std::uint16_t previous = previous_;
  std::uint16_t* const prefix = prefix_.data();
  std::uint8_t* const suffix = suffix_.data();
  std::uint8_t* const first = first_.data();
  std::uint16_t* const length = length_.data();
  const std::uint16_t clear_code = clear_code_;
  const std::uint16_t end_code = end_code_;
  Status status = status_;

  while (dst != end && status == Status::Running) {
    if (bits.count < code_bits) {
      bits.Refill();
      if (bits.count < code_bits) {
        status = Status::DataEnded;
        break;
      }
    }
    const auto code = static_cast<std::uint16_t>(bits.buffer & ((1u << code_bits) - 1u));
    bits.buffer >>= code_bits;
    bits.count -= code_bits;

    if (code == clear_code) {
      next_code = static_cast<std::uint16_t>(end_code + 1);
      code_bits = initial_code_size_ + 1;
      previous = kNoCode;
      continue;
    }
    if (code == end_code) {
      status = Status::EndCode;
      break;
    }
    // A code may name the entry about to be made (previous string plus its own
    // first value), never one beyond; right after a clear only values qualify.
    const bool names_next = code == next_code && previous != kNoCode && next_code < kMaxCodes;
    if (code > next_code || (code == next_code && !names_next)) {
      status = Status::BadCode;
      break;
    }
    if (previous != kNoCode && next_code < kMaxCodes) {
      prefix[next_code] = previous;
      suffix[next_code] = names_next ? first[previous] : first[code];
      first[next_code] = first[previous];
      length[next_code] = static_cast<std::uint16_t>(length[previous] + 1);
      ++next_code;
      // Once the table is full the width stays at 12 bits until a clear.
      if (next_code == (1u << code_bits) && code_bits < kMaxCodeBits) ++code_bits;
    }
    previous = code;

    // Every entry's prefix is an older entry, so the walk ends at a value.
    const std::size_t n = length[code];
    std::uint16_t c = code;
    if (n <= static_cast<std::size_t>(end - dst)) {
      std::uint8_t* p = dst + n - 1;
      for (; c > end_code; c = prefix[c]) *p-- = suffix[c];
      *p = static_cast<std::uint8_t>(c);
      dst += n;
    } else {
      for (; c > end_code; c = prefix[c]) pending_[pending_size_++] = suffix[c];
      pending_[pending_size_++] = static_cast<std::uint8_t>(c);
      while (dst != end) *dst++ = pending_[--pending_size_];
    }
  }

  byte_pos_ = bits.pos;
  bit_buffer_ = bits.buffer;
  bit_count_ = bits.count;
  code_bits_ = code_bits;
  next_code_ = next_code;
  previous_ = previous;
  status_ = status;
  return static_cast<std::size_t>(dst - out.data());
}

}  // namespace canvas
