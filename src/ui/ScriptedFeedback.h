// Feedback for tests: records every message and question, answers questions from a script and can
// ask to cancel at a chosen event-loop turn.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Feedback.h"

namespace tolmek {

class ScriptedFeedback : public Feedback {
 public:
  struct Message {
    std::string Text;
    MessageIcon Icon = MessageIcon::None;
    std::string Title;
  };

  // Answers given to Ask, in order; when the script runs out the default answer is given.
  std::deque<Answer> Answers;
  // Answers given to AskGains, in order; nothing (cancel) when the script runs out.
  std::deque<std::optional<DisplayGains>> GainAnswers;
  // The event-loop turn (1-based) at which the user presses Esc; 0 = never.
  int CancelAtTurn = 0;

  std::vector<Message> Messages;
  std::vector<std::string> Questions;
  std::vector<GainQuestion> GainQuestions;
  std::vector<int> ProgressValues;
  std::vector<std::string> ProgressTexts;
  int Turns = 0;
  int Beeps = 0;
  bool Busy = false;
  bool MainWindowEnabled = true;
  bool ProgressVisible = false;

  void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon,
             Answer defaultAnswer) override;
  std::optional<DisplayGains> AskGains(const GainQuestion& question) override;
  void ShowProgress() override { ProgressVisible = true; }
  void SetProgressText(const std::string& text) override { ProgressTexts.push_back(text); }
  void SetProgress(int percent) override { ProgressValues.push_back(percent); }
  void HideProgress() override { ProgressVisible = false; }
  void SetBusy(bool busy) override { Busy = busy; }
  void SetMainWindowEnabled(bool enabled) override { MainWindowEnabled = enabled; }
  void Beep() override { ++Beeps; }
  bool TurnEventLoop() override;

  // The texts of all messages shown, for compact assertions.
  std::vector<std::string> MessageTexts() const;
};

}  // namespace tolmek
