#pragma once
// Every decoder reads its input through this: reads past the end fail cleanly,
// they never yield silent zeroes.
#include <cstdint>
#include <optional>
#include <span>

namespace canvas {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return data_.size() - position_; }
  std::size_t Size() const { return data_.size(); }
  bool AtEnd() const { return position_ >= data_.size(); }

  std::optional<std::uint8_t> ReadU8() {
    if (Remaining() < 1) return std::nullopt;
    return data_[position_++];
  }
  std::optional<std::uint16_t> ReadLe16() {
    if (Remaining() < 2) return std::nullopt;
    auto v = static_cast<std::uint16_t>(data_[position_] | (data_[position_ + 1] << 8));
    position_ += 2;
    return v;
  }
  std::optional<std::uint32_t> ReadLe32() {
    if (Remaining() < 4) return std::nullopt;
    std::uint32_t v = static_cast<std::uint32_t>(data_[position_]) |
                      (static_cast<std::uint32_t>(data_[position_ + 1]) << 8) |
                      (static_cast<std::uint32_t>(data_[position_ + 2]) << 16) |
                      (static_cast<std::uint32_t>(data_[position_ + 3]) << 24);
    position_ += 4;
    return v;
  }
  std::optional<std::int32_t> ReadLeS32() {
    auto v = ReadLe32();
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }
  // Moves on by `count` bytes; false (and no move) if they are not there.
  bool Skip(std::size_t count) {
    if (Remaining() < count) return false;
    position_ += count;
    return true;
  }
  bool Seek(std::size_t offset) {
    if (offset > data_.size()) return false;
    position_ = offset;
    return true;
  }
  // The next `count` bytes, consumed; nothing if they are not all there.
  std::optional<std::span<const std::uint8_t>> ReadBytes(std::size_t count) {
    if (Remaining() < count) return std::nullopt;
    auto s = data_.subspan(position_, count);
    position_ += count;
    return s;
  }
  // A reader over [offset, offset + size) of the whole data, if it lies inside.
  std::optional<ByteReader> SubReader(std::size_t offset, std::size_t size) const {
    if (offset > data_.size() || size > data_.size() - offset) return std::nullopt;
    return ByteReader(data_.subspan(offset, size));
  }
  std::span<const std::uint8_t> Rest() const { return data_.subspan(position_); }
  std::span<const std::uint8_t> Data() const { return data_; }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
};

}  // namespace canvas
