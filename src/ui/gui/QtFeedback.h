// Feedback through Qt: message boxes, the progress window, the busy pointer and event-loop turns.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

#include "Progressfrm.h"
#include "ui/Feedback.h"

namespace tolmek {

class QtFeedback : public Feedback {
 public:
  using GainHook = std::function<std::optional<DisplayGains>(const GainQuestion&)>;
  using EnableHook = std::function<void(bool enabled)>;

  // parent: the main window, over which boxes and the progress window appear.
  explicit QtFeedback(QWidget* parent = nullptr);
  ~QtFeedback() override;
  QtFeedback(const QtFeedback&) = delete;
  QtFeedback& operator=(const QtFeedback&) = delete;

  void SetParent(QWidget* parent);
  // The amplification dialog that answers AskGains; without one a small dialog of its own asks.
  void SetGainHook(GainHook hook) { gainHook_ = std::move(hook); }
  // What "main window disabled" means for the window program (the main window decides which of
  // its parts to disable, so the progress window stays usable).
  void SetEnableHook(EnableHook hook) { enableHook_ = std::move(hook); }
  Progressfrm& ProgressWindow() { return *progress_; }

  void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) override;
  Answer Ask(const std::string& text, Buttons buttons, MessageIcon icon,
             Answer defaultAnswer) override;
  std::optional<DisplayGains> AskGains(const GainQuestion& question) override;
  void ShowProgress() override;
  void SetProgressText(const std::string& text) override;
  void SetProgress(int percent) override;
  void HideProgress() override;
  void SetBusy(bool busy) override;
  void SetMainWindowEnabled(bool enabled) override;
  void Beep() override;
  bool TurnEventLoop() override;

 private:
  // Gives the keyboard focus back to the main window after a message box.
  void ReturnFocus();
  QPointer<QWidget> parent_;
  QPointer<Progressfrm> progress_;
  GainHook gainHook_;
  EnableHook enableHook_;
  bool busy_ = false;
  bool cancelPending_ = false;
};

// Program texts are 8-bit: paths in the system's encoding, CR or CR LF line breaks.
QString ToQString(const std::string& text);
std::string ToStdString(const QString& text);
// Header texts of measurement files are shown as Latin-1, so showing never changes what is stored.
QString FromLatin1(const std::string& text);

}  // namespace tolmek
