// "PF min/max": the points and ratios of the loaded file as text, rebuilt whenever the window is
// activated and after every change of a point.
#pragma once

#include "TableWindow.h"

class QPlainTextEdit;

namespace tolmek {

class ViewPFPeaks : public TableWindow {
  Q_OBJECT

 public:
  ViewPFPeaks(Session& session, Feedback& feedback, QWidget* parent = nullptr);

 public slots:
  void Refresh() override;

 private:
  QPlainTextEdit* Text1 = nullptr;
};

}  // namespace tolmek
