// The one way the program's logic talks to the user: messages, questions, the progress window,
// the busy pointer, the main window's enabled state and event-loop turns. The window program, the
// console batch and the tests each provide their own implementation.
#pragma once

#include <optional>
#include <string>

namespace tolmek {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Gains in display units (PF = internal x 6, DF = internal x 120).
struct DisplayGains {
  double PF = 0;
  double DF = 0;
};

// What the amplification dialog shows when a recording's header gains are out of range.
struct GainQuestion {
  DisplayGains Current;  // the gains read from the header, display units
  std::string Comment2;  // the header's second line, where the gains are written
};

class Feedback {
 public:
  virtual ~Feedback() = default;

  // A message box; title empty means the box has no title of its own.
  virtual void ShowMessage(const std::string& text, MessageIcon icon,
                           const std::string& title = {}) = 0;
  // A question box; returns the button pressed.
  virtual Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon,
                     Answer defaultAnswer) = 0;
  // Asks for both gains (the amplification dialog); nothing when the user cancels.
  virtual std::optional<DisplayGains> AskGains(const GainQuestion& question) = 0;

  virtual void ShowProgress() = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual void HideProgress() = 0;

  virtual void SetBusy(bool busy) = 0;
  virtual void SetMainWindowEnabled(bool enabled) = 0;
  virtual void Beep() = 0;

  // Gives the event loop a turn; returns true when the user asked to cancel (Esc in the
  // progress window) since the last turn.
  virtual bool TurnEventLoop() = 0;
};

}  // namespace tolmek
