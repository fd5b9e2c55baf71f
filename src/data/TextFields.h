// Walks the bytes of a text measurement file field by field. Every read is bounds-checked here, so
// no reader can step outside the file: a field missing at the end is "Input past end of file", a
// field that is not a number where one is expected is "Type mismatch".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolmek {

class InputFile;

class TextFields {
 public:
  // A field longer than this is not part of any file Tolmek reads: a number field is a type
  // mismatch, a text field a line too long. It bounds what a file without line ends costs.
  static constexpr size_t kMaxFieldLength = 65536;

  explicit TextFields(std::string_view bytes) : bytes_(bytes) {}
  // Reads the file piece by piece as the walk goes on, keeping only the field being read, so a
  // reader that stops early has read little more than what it used.
  explicit TextFields(InputFile& file);

  // A field of the native format: leading blanks skipped; it ends at a comma or at the end of the
  // line, which are consumed. A quoted field may hold commas and ends at the next double quote;
  // whatever follows that quote up to the delimiter is dropped.
  std::string ReadField();

  // A native field that must be a number ("1.5", ".5", "-2E-05").
  double ReadNumberField();

  // A number of the ASCII table: blanks and line ends before it skipped; it ends at a comma, white
  // space or the end of the line. One comma after it is consumed.
  double ReadNumber();

  // The next line without its end (CR LF, LF alone or CR alone); false at the end of the text.
  bool ReadLine(std::string& line);

  // True when nothing but white space and line ends is left.
  bool OnlyWhiteSpaceLeft();

  // Offsets count from the start of the file, also when its beginning is no longer held.
  size_t Position() const { return dropped_ + position_; }
  size_t Size() const { return size_; }
  size_t Remaining() const { return Size() > Position() ? Size() - Position() : 0; }

 private:
  bool AtEnd() { return position_ >= bytes_.size() && !ReadMore(); }
  char Current() const { return bytes_[position_]; }
  // Brings the next piece of the file in, dropping what lies before the field being read (from
  // fieldStart_ on); false at the end of the file. tooLong_ is the error of an overlong field.
  bool ReadMore();
  void BeginField(const char* tooLong) {
    fieldStart_ = position_;
    tooLong_ = tooLong;
  }
  // Moves on over the bytes for which keep holds, reading on where the piece in hand ends.
  template <typename Keep>
  void Advance(Keep keep) {
    do {
      const char* data = bytes_.data();
      const size_t size = bytes_.size();
      size_t at = position_;
      while (at < size && keep(data[at])) ++at;
      position_ = at;
      if (at < size) return;
    } while (ReadMore());
  }
  std::string ReadFieldOr(const char* tooLong);
  void SkipBlanks();
  void SkipWhiteSpace();
  // Moves to the next comma or line end (or the end) and consumes that delimiter.
  void SkipToDelimiter();
  void ConsumeDelimiter();

  std::string_view bytes_;
  size_t position_ = 0;
  size_t size_ = bytes_.size();
  InputFile* file_ = nullptr;
  std::string held_;  // the piece of the file in bytes_, when reading from a file
  size_t dropped_ = 0;
  size_t fieldStart_ = 0;
  const char* tooLong_ = nullptr;
};

}  // namespace tolmek
