#include "ScriptedFeedback.h"

namespace tolmek {

void ScriptedFeedback::ShowMessage(const std::string& text, MessageIcon icon,
                                   const std::string& title) {
  Messages.push_back({text, icon, title});
}

Answer ScriptedFeedback::Ask(const std::string& text, Buttons, MessageIcon, Answer defaultAnswer) {
  Questions.push_back(text);
  if (Answers.empty()) return defaultAnswer;
  const Answer answer = Answers.front();
  Answers.pop_front();
  return answer;
}

std::optional<DisplayGains> ScriptedFeedback::AskGains(const GainQuestion& question) {
  GainQuestions.push_back(question);
  if (GainAnswers.empty()) return std::nullopt;
  const auto answer = GainAnswers.front();
  GainAnswers.pop_front();
  return answer;
}

bool ScriptedFeedback::TurnEventLoop() {
  ++Turns;
  return CancelAtTurn != 0 && Turns == CancelAtTurn;
}

std::vector<std::string> ScriptedFeedback::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : Messages) texts.push_back(message.Text);
  return texts;
}

}  // namespace tolmek
