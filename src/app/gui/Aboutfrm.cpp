#include "Aboutfrm.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "QtIcons.h"

#ifndef TOLMEK_VERSION
#define TOLMEK_VERSION "0.0.0"
#endif

Aboutfrm::Aboutfrm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Tolmek");
  auto* picture = new QLabel(this);
  picture->setPixmap(ProgramIcon().pixmap(64, 64));
  auto* Panel3D1 = new QFrame(this);
  Panel3D1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel3D1->setLineWidth(2);
  auto* Label8 = new QLabel("TOLMEK 32", Panel3D1);
  QFont title("Arial");
  title.setPixelSize(36);
  title.setBold(true);
  Label8->setFont(title);
  auto* version = new QLabel(VersionText(), Panel3D1);
  auto* years = new QLabel("2024-2026", Panel3D1);
  auto* Label3 = new QLabel("The Tolmek developers", Panel3D1);
  auto* panel = new QVBoxLayout(Panel3D1);
  for (QLabel* label : {Label8, version, years, Label3}) {
    label->setAlignment(Qt::AlignCenter);
    panel->addWidget(label);
  }
  for (const char* line : {"Plant Biophysics Group", "Institute of Plant Sciences",
                           "Chlorophyll Fluorescence Laboratory"}) {
    auto* label = new QLabel(line, Panel3D1);
    label->setAlignment(Qt::AlignCenter);
    panel->addWidget(label);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  layout->addWidget(Panel3D1);
}

QString Aboutfrm::VersionText() {
  return QStringLiteral("v. ") + QStringLiteral(TOLMEK_VERSION);
}

void Aboutfrm::mousePressEvent(QMouseEvent* event) {
  event->accept();
  hide();
  if (isModal()) accept();
}

void Aboutfrm::keyPressEvent(QKeyEvent* event) {
  event->accept();
  hide();
  if (isModal()) accept();
}
