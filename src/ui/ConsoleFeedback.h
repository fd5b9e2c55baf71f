// Feedback for the console batch: messages go to standard error prefixed by the name of the file
// being processed; progress is one updating line on a terminal and nothing otherwise.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "Feedback.h"

namespace tolmek {

class ConsoleFeedback : public Feedback {
 public:
  // errorStream is where messages go; progressOnTerminal decides whether progress is drawn.
  ConsoleFeedback(std::FILE* errorStream, bool progressOnTerminal);

  // The file the following messages are about.
  void SetContext(const std::string& fileName) { context_ = fileName; }
  // The answer to the gain question (--gains); nothing means a recording with gains out of
  // range cannot be processed.
  void SetGains(std::optional<DisplayGains> gains) { gains_ = gains; }
  // Number of messages with the critical or exclamation icon written so far.
  int ProblemCount() const { return problems_; }

  void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon,
             Answer defaultAnswer) override;
  std::optional<DisplayGains> AskGains(const GainQuestion& question) override;
  void ShowProgress() override { progressVisible_ = true; }
  void SetProgressText(const std::string& text) override;
  void SetProgress(int percent) override;
  void HideProgress() override;
  void SetBusy(bool) override {}
  void SetMainWindowEnabled(bool) override {}
  void Beep() override {}
  bool TurnEventLoop() override { return false; }

 private:
  void ClearProgressLine();
  void WriteLine(const std::string& text);

  std::FILE* stream_;
  bool progress_;
  bool progressLineShown_ = false;
  bool progressVisible_ = false;
  std::string context_;
  std::string progressText_;
  std::optional<DisplayGains> gains_;
  int problems_ = 0;
};

}  // namespace tolmek
