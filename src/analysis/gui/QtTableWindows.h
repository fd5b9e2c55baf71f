// The table windows and the two dialogs as the main window uses them: each table window is made
// in the main window's MDI area on first use and brought to the front on every later one; an
// edit in one table window refreshes the others; the amplification dialog is kept between uses.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>

#include "data/Session.h"
#include "ui/Feedback.h"

class QMdiArea;
class QWidget;

namespace tolmek {

class EnterAmplif;
class Resform;
class JipTestWindow;
class TableWindow;
class ViewDFPeaks;
class ViewPFPeaks;

class QtTableWindows : public QObject {
  Q_OBJECT

 public:
  // area holds the table windows; dialogParent is the parent of the modal dialogs.
  QtTableWindows(Session& session, Feedback& feedback, QMdiArea* area, QWidget* dialogParent);

  // The amplification dialog for a recording whose header gains are out of range: the answer to
  // the readers' gain question.
  std::optional<DisplayGains> AskGains(const GainQuestion& question);

 public slots:
  // "View P&F Min/Max", "View DF &Min/Max" ("dfres"), "View &Results" ("pfres"): shown without
  // blocking and brought to the front.
  void ShowPFPeaks();
  void ShowDFPeaks();
  void ShowResults();
  // "View &JIP-test" (offered while the JIP-test is switched on in the settings): the same.
  void ShowJipTest();
  // "Change &Amp" and "&Average Files...": modal dialogs.
  void ChangeAmp();
  void ShowAverage();
  // The open table windows show the session again (after a load, a reset, a change of a point,
  // a write).
  void RefreshAll();

 signals:
  // A table window or the amplification changed the DF points, the rows or the curves.
  void TablesChanged();
  // The chart must be drawn again.
  void RedrawRequested();
  // The curve averaging replaced the file list of previous and next.
  void FileListReplaced();

 private:
  void Present(QWidget* window);
  EnterAmplif& Amplification();
  void AfterEdit();

  Session& session_;
  Feedback& feedback_;
  QMdiArea* area_;
  QWidget* dialogParent_;
  QPointer<ViewPFPeaks> pfPeaks_;
  QPointer<ViewDFPeaks> dfPeaks_;
  QPointer<Resform> results_;
  QPointer<JipTestWindow> jipTest_;
  QPointer<EnterAmplif> amplification_;
};

}  // namespace tolmek
