#include "TextFields.h"

#include <algorithm>

#include "Errors.h"
#include "FileIO.h"
#include "NumberText.h"

namespace tolmek {

namespace {

constexpr size_t kPieceSize = 65536;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsWhiteSpace(char c) {
  return IsBlank(c) || IsLineEnd(c);
}
// A byte within a native field: the field ends at a comma or a line end.
bool IsFieldByte(char c) {
  return c != ',' && !IsLineEnd(c);
}
// A byte within a number of the ASCII table, which ends at a comma or white space.
bool IsNumberByte(char c) {
  return c != ',' && !IsWhiteSpace(c);
}

double NumberOrMismatch(std::string_view text) {
  const auto number = ParseNumber(text);
  if (!number) throw ErrorText(errors::kTypeMismatch);
  return *number;
}

}  // namespace

TextFields::TextFields(InputFile& file) : size_(static_cast<size_t>(file.Size())), file_(&file) {}

bool TextFields::ReadMore() {
  if (!file_) return false;
  if (tooLong_ && position_ - fieldStart_ >= kMaxFieldLength) throw ErrorText(tooLong_);
  const size_t keepFrom = tooLong_ ? fieldStart_ : position_;
  held_.erase(0, keepFrom);
  dropped_ += keepFrom;
  position_ -= keepFrom;
  fieldStart_ -= std::min(fieldStart_, keepFrom);
  const size_t got = file_->ReadMore(held_, kPieceSize);
  bytes_ = held_;
  return got > 0;
}

void TextFields::SkipBlanks() {
  tooLong_ = nullptr;
  Advance(IsBlank);
}

void TextFields::SkipWhiteSpace() {
  tooLong_ = nullptr;
  Advance(IsWhiteSpace);
}

void TextFields::ConsumeDelimiter() {
  if (AtEnd()) return;
  if (Current() == ',') {
    ++position_;
  } else if (Current() == '\r') {
    ++position_;
    if (!AtEnd() && Current() == '\n') ++position_;
  } else if (Current() == '\n') {
    ++position_;
  }
}

void TextFields::SkipToDelimiter() {
  Advance(IsFieldByte);
  ConsumeDelimiter();
}

std::string TextFields::ReadField() {
  return ReadFieldOr(errors::kLineTooLong);
}

std::string TextFields::ReadFieldOr(const char* tooLong) {
  SkipBlanks();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  if (Current() == '"') {
    // A quoted field never runs past its line, so an unclosed quote costs one field, not the file.
    ++position_;
    BeginField(tooLong);
    while (!AtEnd() && Current() != '"' && !IsLineEnd(Current())) ++position_;
    std::string text(bytes_.substr(fieldStart_, position_ - fieldStart_));
    SkipToDelimiter();
    return text;
  }
  BeginField(tooLong);
  Advance(IsFieldByte);
  std::string text = Trim(bytes_.substr(fieldStart_, position_ - fieldStart_));
  ConsumeDelimiter();
  return text;
}

double TextFields::ReadNumberField() {
  SkipBlanks();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  if (Current() == '"') return NumberOrMismatch(ReadFieldOr(errors::kTypeMismatch));
  // The common unquoted field is parsed where it lies, without a string of its own (and before
  // the delimiter is consumed, which may bring the next piece of the file in).
  BeginField(errors::kTypeMismatch);
  Advance(IsFieldByte);
  const double value = NumberOrMismatch(bytes_.substr(fieldStart_, position_ - fieldStart_));
  ConsumeDelimiter();
  return value;
}

double TextFields::ReadNumber() {
  SkipWhiteSpace();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  BeginField(errors::kTypeMismatch);
  Advance(IsNumberByte);
  const std::string_view token = bytes_.substr(fieldStart_, position_ - fieldStart_);
  if (token.empty()) throw ErrorText(errors::kTypeMismatch);
  const double value = NumberOrMismatch(token);
  SkipBlanks();
  if (!AtEnd() && Current() == ',') ++position_;
  return value;
}

bool TextFields::ReadLine(std::string& line) {
  tooLong_ = nullptr;
  if (AtEnd()) return false;
  BeginField(errors::kLineTooLong);
  Advance([](char c) { return !IsLineEnd(c); });
  line.assign(bytes_.substr(fieldStart_, position_ - fieldStart_));
  ConsumeDelimiter();
  return true;
}

bool TextFields::OnlyWhiteSpaceLeft() {
  SkipWhiteSpace();
  return AtEnd();
}

}  // namespace tolmek
