#include "TextFields.h"

#include "Errors.h"
#include "NumberText.h"

namespace tolmek {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsWhiteSpace(char c) {
  return IsBlank(c) || IsLineEnd(c);
}

double NumberOrMismatch(std::string_view text) {
  const auto number = ParseNumber(text);
  if (!number) throw ErrorText(errors::kTypeMismatch);
  return *number;
}

}  // namespace

void TextFields::SkipBlanks() {
  while (!AtEnd() && IsBlank(Current())) ++position_;
}

void TextFields::SkipWhiteSpace() {
  while (!AtEnd() && IsWhiteSpace(Current())) ++position_;
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
  while (!AtEnd() && Current() != ',' && !IsLineEnd(Current())) ++position_;
  ConsumeDelimiter();
}

std::string TextFields::ReadField() {
  SkipBlanks();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  if (Current() == '"') {
    // A quoted field never runs past its line, so an unclosed quote costs one field, not the file.
    const size_t start = ++position_;
    while (!AtEnd() && Current() != '"' && !IsLineEnd(Current())) ++position_;
    std::string text(bytes_.substr(start, position_ - start));
    SkipToDelimiter();
    return text;
  }
  const size_t start = position_;
  while (!AtEnd() && Current() != ',' && !IsLineEnd(Current())) ++position_;
  std::string text = Trim(bytes_.substr(start, position_ - start));
  ConsumeDelimiter();
  return text;
}

double TextFields::ReadNumberField() {
  SkipBlanks();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  if (Current() == '"') return NumberOrMismatch(ReadField());
  // The common unquoted field is parsed where it lies, without a string of its own.
  const size_t start = position_;
  while (!AtEnd() && Current() != ',' && !IsLineEnd(Current())) ++position_;
  const std::string_view field = bytes_.substr(start, position_ - start);
  ConsumeDelimiter();
  return NumberOrMismatch(field);
}

double TextFields::ReadNumber() {
  SkipWhiteSpace();
  if (AtEnd()) throw ErrorText(errors::kInputPastEnd);
  const size_t start = position_;
  while (!AtEnd() && Current() != ',' && !IsWhiteSpace(Current())) ++position_;
  const std::string_view token = bytes_.substr(start, position_ - start);
  if (token.empty()) throw ErrorText(errors::kTypeMismatch);
  const double value = NumberOrMismatch(token);
  SkipBlanks();
  if (!AtEnd() && Current() == ',') ++position_;
  return value;
}

bool TextFields::OnlyWhiteSpaceLeft() {
  SkipWhiteSpace();
  return AtEnd();
}

}  // namespace tolmek
