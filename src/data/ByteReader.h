// Little-endian reads at 1-based byte positions of a file held in memory. Every read checks that
// it lies inside the file, so no reader can step outside the bytes it was given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Errors.h"

namespace tolmek {

// The error of a read at a position before the first byte.
constexpr const char* kBadRecordNumber = "Bad record number";

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }

  uint8_t Byte(int64_t position) const {
    Require(position, 1);
    return At(position);
  }

  int16_t Int16(int64_t position) const {
    Require(position, 2);
    return Int16Unchecked(position);
  }

  // A read that the caller has checked with one Int16 at the far end of its range.
  int16_t Int16Unchecked(int64_t position) const {
    return static_cast<int16_t>(static_cast<uint16_t>(At(position) | (At(position + 1) << 8)));
  }

  int32_t Int32(int64_t position) const {
    Require(position, 4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | At(position + i);
    return static_cast<int32_t>(value);
  }

  // The bytes as stored, without any conversion.
  std::string Text(int64_t position, int64_t length) const {
    Require(position, length);
    return std::string(
        bytes_.substr(static_cast<size_t>(position - 1), static_cast<size_t>(length)));
  }

 private:
  void Require(int64_t position, int64_t length) const {
    if (position < 1) throw ErrorText(kBadRecordNumber);
    if (length < 0 || position - 1 > Size() - length) throw ErrorText(errors::kInputPastEnd);
  }
  uint8_t At(int64_t position) const {
    return static_cast<uint8_t>(bytes_[static_cast<size_t>(position - 1)]);
  }

  std::string_view bytes_;
};

}  // namespace tolmek
