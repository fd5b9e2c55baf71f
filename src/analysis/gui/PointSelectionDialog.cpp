#include "PointSelectionDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace tolmek {

PointSelectionDialog::PointSelectionDialog(Session& session, const QString& caption,
                                           QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  CheckArea = new QVBoxLayout;
  layout->addLayout(CheckArea);
  auto* pointRow = new QHBoxLayout;
  pointRow->addWidget(new QLabel("Point:", this));
  PanelXY = new QLabel(this);
  PanelXY->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  pointRow->addWidget(PanelXY, 1);
  layout->addLayout(pointRow);
  auto* buttons = new QHBoxLayout;
  OKbutton = new QPushButton("&OK", this);
  OKbutton->setDefault(true);
  CancelButton = new QPushButton("&Cancel", this);
  buttons->addStretch();
  buttons->addWidget(OKbutton);
  buttons->addWidget(CancelButton);
  layout->addLayout(buttons);
  connect(OKbutton, &QPushButton::clicked, this, &PointSelectionDialog::OKClicked);
  connect(CancelButton, &QPushButton::clicked, this, &PointSelectionDialog::reject);
}

void PointSelectionDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PanelXY->setText(QString::fromStdString(session_.Cursor.Readout));
  Activated();
}

void PointSelectionDialog::reject() {
  Cancelled();
  ClearChecks();
  QDialog::reject();
}

void PointSelectionDialog::OKClicked() {
  bool stored = false;
  bool moved = false;
  try {
    moved = Apply(stored);
  } catch (const std::exception&) {
    // Setting a point reports nothing: the tables keep what could be computed.
  }
  ClearChecks();
  accept();
  if (stored) emit PointsChanged();
  if (session_.Options.AutoRedraw) emit RedrawRequested(!moved);
}

}  // namespace tolmek
