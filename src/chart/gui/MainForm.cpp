#include "MainForm.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <optional>

#include "ChartWidget.h"
#include "analysis/gui/SelectDFPeakDialog.h"
#include "analysis/gui/SelectPFPeakDialog.h"
#include "chart/ChartCursor.h"
#include "chart/ChartDrawing.h"

namespace tolmek {

namespace {

PointerButton ToPointerButton(Qt::MouseButtons buttons) {
  if (buttons & Qt::LeftButton) return PointerButton::Left;
  if (buttons & Qt::RightButton) return PointerButton::Right;
  return buttons == Qt::NoButton ? PointerButton::None : PointerButton::Other;
}

bool CursorKeyOf(int key, CursorKey& cursorKey) {
  switch (key) {
    case Qt::Key_Left:
      cursorKey = CursorKey::Left;
      return true;
    case Qt::Key_Right:
      cursorKey = CursorKey::Right;
      return true;
    case Qt::Key_Home:
      cursorKey = CursorKey::Home;
      return true;
    case Qt::Key_End:
      cursorKey = CursorKey::End;
      return true;
    case Qt::Key_PageUp:
      cursorKey = CursorKey::PageUp;
      return true;
    case Qt::Key_PageDown:
      cursorKey = CursorKey::PageDown;
      return true;
    default:
      return false;
  }
}

std::optional<FindKind> FindKindOf(int key) {
  switch (key) {
    case Qt::Key_Z:
      return FindKind::Max;
    case Qt::Key_X:
      return FindKind::Min;
    case Qt::Key_C:
      return FindKind::Flattest;
    default:
      return std::nullopt;
  }
}

}  // namespace

MainForm::MainForm(Session& session, Feedback& feedback, QWidget* parent)
    : QWidget(parent), session_(session), feedback_(feedback) {
  setWindowTitle("Chart");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  chart_ = new ChartWidget(session, this);
  layout->addWidget(chart_, 1);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  readout_ = new QLabel(this);
  // A fixed-pitch font keeps the readout's fields in their columns.
  readout_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  fileStatus_ = new QLabel(this);
  fileStatus_->setObjectName("fileStatus");
  fileStatus_->setAccessibleName("Place in the folder");
  StatusBar1->addWidget(readout_, 1);
  StatusBar1->addPermanentWidget(fileStatus_);
  layout->addWidget(StatusBar1);
  setFocusProxy(chart_);
  resize(800, 500);

  connect(chart_, &ChartWidget::MousePressed, this, &MainForm::MousePressed);
  connect(chart_, &ChartWidget::MouseMoved, this, &MainForm::MouseMoved);
  connect(chart_, &ChartWidget::MouseReleased, this, &MainForm::MouseReleased);
  connect(chart_, &ChartWidget::DoubleClicked, this, [this] { OpenDialogOfCurve(); });
  connect(chart_, &ChartWidget::MouseLost, this, [this] {
    pointer_.Abandon();
    ShowState();
  });
  connect(chart_, &ChartWidget::Resized, this, [this] {
    if (session_.Shell.ChartReady) RefreshChart();
  });
}

MainForm::~MainForm() {
  // The drawing area still reports losing the focus while it is destroyed with this window.
  chart_->disconnect(this);
}

void MainForm::RefreshChart() {
  // The busy pointer while the chart is drawn; the guard lets no error pass, so it always ends.
  feedback_.SetBusy(true);
  RunAndShowState([this] {
    ClampChartState(session_);
    SetZoomCommandStates(session_);
    if (session_.Record.PointCount == 0) {
      // Nothing loaded: no lines and nothing to find or zoom.
      session_.ChartCommands = {};
      for (CursorLine& line : session_.Cursor.Lines) line.Visible = false;
      chart_->ClearPicture();
      return;
    }
    if (!Minimized()) chart_->Draw(ChartDrawMode::Full);
    ShowCursorLine(session_, session_.Cursor.CursorIndex, kCursorLine);
  });
  feedback_.SetBusy(false);
}

void MainForm::DrawChart(ChartDrawMode mode) {
  feedback_.SetBusy(true);
  RunAndShowState([this, mode] {
    if (!Minimized()) chart_->Draw(mode);
  });
  feedback_.SetBusy(false);
}

void MainForm::FindInSpan(FindKind kind) {
  RunAndShowState([this, kind] { tolmek::FindInSpan(session_, kind); });
  OpenDialogOfCurve();
}

void MainForm::ZoomChart(ZoomDirection direction) {
  bool redraw = false;
  RunAndShowState([&] { redraw = tolmek::ZoomChart(session_, direction); });
  if (redraw) RefreshChart();
}

void MainForm::OpenSetDialog() {
  OpenDialogOfCurve();
}

void MainForm::OpenPatternDialog() {
  DFDialog().SetPattern();
}

QString MainForm::ReadoutText() const {
  return readout_->text();
}

void MainForm::SetFileStatus(const QString& text) {
  fileStatus_->setText(text);
}

void MainForm::SetPointDialogs(SelectPFPeak* pfDialog, SelectDFPeak* dfDialog) {
  if (pfDialog != nullptr && pfDialog != pfDialog_) ConnectDialog(pfDialog_ = pfDialog);
  if (dfDialog != nullptr && dfDialog != dfDialog_) ConnectDialog(dfDialog_ = dfDialog);
}

SelectPFPeak& MainForm::PFDialog() {
  if (pfDialog_ == nullptr) SetPointDialogs(new SelectPFPeak(session_, this), nullptr);
  return *pfDialog_;
}

SelectDFPeak& MainForm::DFDialog() {
  if (dfDialog_ == nullptr) SetPointDialogs(nullptr, new SelectDFPeak(session_, this));
  return *dfDialog_;
}

void MainForm::ConnectDialog(PointSelectionDialog* dialog) {
  connect(dialog, &PointSelectionDialog::PointsChanged, this, &MainForm::PointMoved);
  connect(dialog, &PointSelectionDialog::RedrawRequested, this, [this](bool markersOnly) {
    DrawChart(markersOnly ? ChartDrawMode::Markers : ChartDrawMode::Full);
    chart_->setFocus();
  });
}

void MainForm::OpenDialogOfCurve() {
  if (session_.View.ViewMode == ViewMode::PF) PFDialog().exec();
  if (session_.View.ViewMode == ViewMode::DF) DFDialog().exec();
}

void MainForm::ShowState() {
  readout_->setText(QString::fromStdString(session_.Cursor.Readout));
  chart_->setCursor(pointer_.Armed() ? Qt::SizeHorCursor : Qt::CrossCursor);
  chart_->update();
  if (!(session_.ChartCommands == shownCommands_)) {
    shownCommands_ = session_.ChartCommands;
    emit CommandStatesChanged();
  }
}

bool MainForm::Minimized() const {
  if (chart_->width() <= 0 || chart_->height() <= 0) return true;
  // Inside the main window the frame that is minimized is the child window around this one.
  for (const QWidget* widget = this; widget != nullptr; widget = widget->parentWidget()) {
    if (widget->windowState() & Qt::WindowMinimized) return true;
    if (widget->isWindow()) break;
  }
  return false;
}

void MainForm::ShowCursorAt(int index) {
  RunAndShowState([this, index] {
    session_.Cursor.CursorIndex = index;
    ShowCursorLine(session_, index, kCursorLine);
  });
}

void MainForm::MousePressed(Qt::MouseButton button, double x) {
  RunAndShowState([&] { pointer_.Press(session_, ToPointerButton(button), x); });
}

void MainForm::MouseMoved(Qt::MouseButtons buttons, double x) {
  RunAndShowState([&] { pointer_.Move(session_, ToPointerButton(buttons), x); });
}

void MainForm::MouseReleased(double x, bool inside) {
  PointerOutcome outcome;
  RunAndShowState([&] { outcome = pointer_.Release(session_, x, inside); });
  if (!outcome.PointMoved) return;
  RefreshChart();
  emit PointMoved();
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  if (session_.Record.PointCount == 0) return;
  const int key = event->key();
  const bool ctrl = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
  CursorKey cursorKey;
  if (CursorKeyOf(key, cursorKey)) {
    int next = 0;
    RunAndShowState([&] { next = CursorAfterKey(session_, cursorKey, ctrl); });
    ShowCursorAt(next);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
    OpenDialogOfCurve();
    ShowCursorAt(session_.Cursor.CursorIndex);
  } else if (const std::optional<FindKind> kind = FindKindOf(key)) {
    if (session_.ChartCommands.FindEnabled) FindInSpan(*kind);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void MainForm::closeEvent(QCloseEvent* event) {
  // The main window writes the outputs and resets the state; the window itself only closes.
  emit CloseRequested();
  event->accept();
}

}  // namespace tolmek
