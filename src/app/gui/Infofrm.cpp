#include "Infofrm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/gui/QtFeedback.h"

using namespace tolmek;

namespace {
QLabel* ValueField(QWidget* parent) {
  auto* field = new QLabel("Unknown", parent);
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field->setTextInteractionFlags(Qt::TextSelectableByMouse);
  field->setMinimumWidth(260);
  return field;
}
}  // namespace

Infofrm::Infofrm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Info");
  auto* Frame1 = new QGroupBox("File info", this);
  auto* fileInfo = new QFormLayout(Frame1);
  Panel_name = ValueField(Frame1);
  Panel_type = ValueField(Frame1);
  Panel_date = ValueField(Frame1);
  Panel_Exp = ValueField(Frame1);
  fileInfo->addRow("Filename:", Panel_name);
  fileInfo->addRow("File type:", Panel_type);
  fileInfo->addRow("Date/time:", Panel_date);
  fileInfo->addRow("Experiment:", Panel_Exp);

  auto* Frame2 = new QGroupBox("Comments", this);
  auto* comments = new QVBoxLayout(Frame2);
  for (auto& line : Text1) {
    line = new QLineEdit(Frame2);
    line->setReadOnly(true);
    comments->addWidget(line);
  }

  auto* Frame3 = new QGroupBox("Data info", this);
  auto* dataInfo = new QFormLayout(Frame3);
  Panel_num = ValueField(Frame3);
  Panel_PF = ValueField(Frame3);
  Panel_DF = ValueField(Frame3);
  dataInfo->addRow("Number of values:", Panel_num);
  dataInfo->addRow(new QLabel("Amplification:", Frame3));
  dataInfo->addRow("PF:", Panel_PF);
  dataInfo->addRow("DF:", Panel_DF);

  auto* Command1 = new QPushButton("Close", this);
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2);
  layout->addWidget(Frame3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  layout->addLayout(buttons);
}

void Infofrm::Fill(const FileInfoTexts& info) {
  Panel_name->setText(ToQString(info.Name));
  Panel_type->setText(QString::fromStdString(info.Type));
  Panel_date->setText(QString::fromStdString(info.Date));
  // Header texts are 8-bit: shown as Latin-1 so every byte has its one character.
  Panel_Exp->setText(FromLatin1(info.Experiment));
  Panel_num->setText(QString::fromStdString(info.Count));
  Panel_PF->setText(QString::fromStdString(info.PF));
  Panel_DF->setText(QString::fromStdString(info.DF));
  for (size_t i = 0; i < Text1.size(); ++i) Text1[i]->setText(FromLatin1(info.Comments[i]));
}
