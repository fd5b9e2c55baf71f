// What the two point selection dialogs share: the cursor's readout, OK and Cancel, hiding (never
// destroying) on every way out, and the redraw that a set point asks of the chart.
#pragma once

#include <QDialog>

#include "data/Session.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tolmek {

class PointSelectionDialog : public QDialog {
  Q_OBJECT

 public:
  PointSelectionDialog(Session& session, const QString& caption, QWidget* parent);

  QPushButton* OKbutton = nullptr;
  QPushButton* CancelButton = nullptr;
  QLabel* PanelXY = nullptr;

 signals:
  // Points were stored (the chart window reports a moved point).
  void PointsChanged();
  // With AutoRedraw on after OK: the markers only, or the whole chart when a set point moved.
  void RedrawRequested(bool markersOnly);

 protected:
  // Called on OK; returns whether a point that was set moved, and whether points were stored.
  virtual bool Apply(bool& pointsStored) = 0;
  virtual void Cancelled() {}
  virtual void Activated() = 0;
  virtual void ClearChecks() = 0;

  // The check boxes' group, to be filled by the dialog.
  QVBoxLayout* CheckArea = nullptr;
  Session& session_;

  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void OKClicked();
};

}  // namespace tolmek
