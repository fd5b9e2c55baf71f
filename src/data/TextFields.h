// Walks the bytes of a text measurement file field by field. Every read is bounds-checked here, so
// no reader can step outside the file: a field missing at the end is "Input past end of file", a
// field that is not a number where one is expected is "Type mismatch".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolmek {

class TextFields {
 public:
  explicit TextFields(std::string_view bytes) : bytes_(bytes) {}

  // A field of the native format: leading blanks skipped; it ends at a comma or at the end of the
  // line, which are consumed. A quoted field may hold commas and ends at the next double quote;
  // whatever follows that quote up to the delimiter is dropped.
  std::string ReadField();

  // A native field that must be a number ("1.5", ".5", "-2E-05").
  double ReadNumberField();

  // A number of the ASCII table: blanks and line ends before it skipped; it ends at a comma, white
  // space or the end of the line. One comma after it is consumed.
  double ReadNumber();

  // True when nothing but white space and line ends is left.
  bool OnlyWhiteSpaceLeft();

  size_t Position() const { return position_; }
  size_t Size() const { return bytes_.size(); }
  size_t Remaining() const { return bytes_.size() - position_; }

 private:
  bool AtEnd() const { return position_ >= bytes_.size(); }
  char Current() const { return bytes_[position_]; }
  void SkipBlanks();
  void SkipWhiteSpace();
  // Moves to the next comma or line end (or the end) and consumes that delimiter.
  void SkipToDelimiter();
  void ConsumeDelimiter();

  std::string_view bytes_;
  size_t position_ = 0;
};

}  // namespace tolmek
