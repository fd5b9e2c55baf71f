#include "ConsoleFeedback.h"

#include <string_view>

namespace tolmek {

namespace {

// A message box text may hold CR or CR LF line breaks; on the console they become one line each,
// each prefixed unless it names the file already ("leaf.asc: File not found").
std::string ConsoleLines(const std::string& text, const std::string& prefix) {
  std::string result;
  size_t start = 0;
  while (true) {
    const size_t end = text.find_first_of("\r\n", start);
    const std::string_view line = std::string_view(text).substr(start, end - start);
    if (!line.starts_with(prefix)) result += prefix;
    result += line;
    if (end == std::string::npos) return result;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    result += "\n";
  }
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

ConsoleFeedback::ConsoleFeedback(std::FILE* errorStream, bool progressOnTerminal)
    : stream_(errorStream), progress_(progressOnTerminal) {}

void ConsoleFeedback::ShowMessage(const std::string& text, MessageIcon icon,
                                  const std::string& title) {
  if (icon == MessageIcon::Critical || icon == MessageIcon::Exclamation) ++problems_;
  const std::string prefix = context_.empty() ? std::string() : context_ + ": ";
  WriteLine(ConsoleLines(title.empty() ? text : title + ": " + text, prefix));
}

Answer ConsoleFeedback::Ask(const std::string& text, Buttons, MessageIcon, Answer) {
  // The batch goes on with the next files whatever happened to one of them.
  const std::string prefix = context_.empty() ? std::string() : context_ + ": ";
  WriteLine(ConsoleLines(text + " Yes", prefix));
  return Answer::Yes;
}

std::optional<DisplayGains> ConsoleFeedback::AskGains(const GainQuestion& question) {
  if (gains_) return gains_;
  ++problems_;
  const std::string prefix = context_.empty() ? std::string() : context_ + ": ";
  WriteLine(prefix + "the gains read from the header (PF " + NumberText(question.Current.PF) +
            ", DF " + NumberText(question.Current.DF) +
            ") are outside 1 to 1500; give them with --gains PF,DF");
  return std::nullopt;
}

void ConsoleFeedback::SetProgressText(const std::string& text) {
  progressText_ = text;
}

void ConsoleFeedback::SetProgress(int percent) {
  // The bar is reset to 0 as the progress window hides; that is not drawn.
  if (!progress_ || !progressVisible_) return;
  std::fprintf(stream_, "\r\033[K%s %3d%%", progressText_.c_str(), percent);
  std::fflush(stream_);
  progressLineShown_ = true;
}

void ConsoleFeedback::HideProgress() {
  progressVisible_ = false;
  ClearProgressLine();
}

void ConsoleFeedback::ClearProgressLine() {
  if (!progressLineShown_) return;
  std::fprintf(stream_, "\r\033[K");
  std::fflush(stream_);
  progressLineShown_ = false;
}

void ConsoleFeedback::WriteLine(const std::string& text) {
  ClearProgressLine();
  std::fprintf(stream_, "%s\n", text.c_str());
  std::fflush(stream_);
}

}  // namespace tolmek
