// The progress window: a bar and a label; Esc asks the running work to stop.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;

class Progressfrm : public QDialog {
  Q_OBJECT

 public:
  explicit Progressfrm(QWidget* parent = nullptr);

  // Called when the user presses Esc.
  void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }
  void SetText(const QString& text);
  // Moves the bar only when the whole percentage changes.
  void SetPercent(int percent);
  int Percent() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // While shown, Esc pressed in any window of the program (none takes keys meanwhile) cancels.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* Label1;
  QProgressBar* Progress;
  std::function<void()> cancelHandler_;
};
