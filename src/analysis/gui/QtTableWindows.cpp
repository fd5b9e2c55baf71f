#include "QtTableWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "Avgform.h"
#include "EnterAmplifDialog.h"
#include "JipTestWindow.h"
#include "Resform.h"
#include "ViewDFPeaksWindow.h"
#include "ViewPFPeaksWindow.h"

namespace tolmek {

QtTableWindows::QtTableWindows(Session& session, Feedback& feedback, QMdiArea* area,
                               QWidget* dialogParent)
    : QObject(area),
      session_(session),
      feedback_(feedback),
      area_(area),
      dialogParent_(dialogParent) {}

void QtTableWindows::Present(QWidget* window) {
  QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
  if (frame == nullptr) frame = area_->addSubWindow(window);
  frame->show();
  window->show();
  area_->setActiveSubWindow(frame);
  frame->raise();
}

void QtTableWindows::ShowPFPeaks() {
  if (!pfPeaks_) pfPeaks_ = new ViewPFPeaks(session_, feedback_);
  Present(pfPeaks_);
}

void QtTableWindows::ShowDFPeaks() {
  if (!dfPeaks_) {
    dfPeaks_ = new ViewDFPeaks(session_, feedback_);
    connect(dfPeaks_, &ViewDFPeaks::PointsChanged, this, &QtTableWindows::AfterEdit);
    connect(dfPeaks_, &ViewDFPeaks::RedrawRequested, this, &QtTableWindows::RedrawRequested);
  }
  Present(dfPeaks_);
}

void QtTableWindows::ShowResults() {
  if (!results_) {
    results_ = new Resform(session_, feedback_);
    connect(results_, &Resform::RowsChanged, this, &QtTableWindows::AfterEdit);
  }
  Present(results_);
}

void QtTableWindows::ShowJipTest() {
  const bool made = !jipTest_;
  if (made) jipTest_ = new JipTestWindow(session_, feedback_);
  Present(jipTest_);
  // It opens showing its whole text, as far as the main window has room.
  auto* frame = qobject_cast<QMdiSubWindow*>(jipTest_->parentWidget());
  if (made && frame) frame->resize(frame->sizeHint().boundedTo(area_->viewport()->size()));
}

EnterAmplif& QtTableWindows::Amplification() {
  if (!amplification_) {
    amplification_ = new EnterAmplif(session_, feedback_, dialogParent_);
    connect(amplification_, &EnterAmplif::GainsChanged, this, &QtTableWindows::AfterEdit);
    connect(amplification_, &EnterAmplif::RedrawRequested, this, &QtTableWindows::RedrawRequested);
  }
  return *amplification_;
}

std::optional<DisplayGains> QtTableWindows::AskGains(const GainQuestion& question) {
  return Amplification().AskGains(question);
}

void QtTableWindows::ChangeAmp() {
  Amplification().ChangeAmp();
}

void QtTableWindows::ShowAverage() {
  Avgform dialog(session_, feedback_, dialogParent_);
  connect(&dialog, &Avgform::FileListReplaced, this, &QtTableWindows::FileListReplaced);
  dialog.exec();
}

void QtTableWindows::RefreshAll() {
  for (TableWindow* window : std::initializer_list<TableWindow*>{pfPeaks_, dfPeaks_, results_})
    if (window != nullptr) window->Refresh();
  if (jipTest_) jipTest_->Refresh();
}

void QtTableWindows::AfterEdit() {
  RefreshAll();
  emit TablesChanged();
}

}  // namespace tolmek
