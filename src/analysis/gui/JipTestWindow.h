// "JIP-test": the JIP-test of the loaded measurement as text, rebuilt whenever the window is
// activated and by Refresh after every change of a point; "&Copy" puts it on the clipboard.
#pragma once

#include <QWidget>

#include "data/Session.h"
#include "ui/Feedback.h"

class QPlainTextEdit;
class QAction;

namespace tolmek {

class JipTestWindow : public QWidget {
  Q_OBJECT

 public:
  JipTestWindow(Session& session, Feedback& feedback, QWidget* parent = nullptr);

  QAction* CopyAction() const { return copyAction_; }
  // Large enough to show the whole text without scrolling.
  QSize sizeHint() const override;

 public slots:
  void Refresh();
  // The selected text, or all of it when nothing is selected, with CR LF line ends.
  void Copy();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Session& session_;
  Feedback& feedback_;
  QPlainTextEdit* Text1 = nullptr;
  QAction* copyAction_ = nullptr;
};

}  // namespace tolmek
