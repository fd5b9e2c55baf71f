#include "Optionsfrm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/FileInfo.h"
#include "data/NumberText.h"
#include "ui/gui/QtFeedback.h"

using namespace tolmek;

namespace {

QGroupBox* Pair(const QString& title, QRadioButton* first, QRadioButton* second) {
  auto* frame = new QGroupBox(title);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(first);
  layout->addWidget(second);
  return frame;
}

}  // namespace

Optionsfrm::Optionsfrm(Session& session, Feedback& feedback, QWidget* parent)
    : QDialog(parent), session_(session), feedback_(feedback) {
  setWindowTitle("Chart Options");
  Option_uni = new QRadioButton("Universal");
  Option_Indep = new QRadioButton("Independent");
  Option_linear = new QRadioButton("Linear");
  Option_log = new QRadioButton("Logarithmic");
  Option_auto = new QRadioButton("Automatic");
  Option_man = new QRadioButton("Manual");
  Text_from = new QLineEdit;
  Text_to = new QLineEdit;
  Label1 = new QLabel("from:");
  Label2 = new QLabel("to:");
  Auto_Draw = new QCheckBox("AutoRedraw");
  Thick_lines = new QCheckBox("Thick lines");

  auto* Frame1 = new QGroupBox("Range");
  auto* range = new QGridLayout(Frame1);
  range->addWidget(Option_auto, 0, 0, 1, 2);
  range->addWidget(Option_man, 1, 0, 1, 2);
  range->addWidget(Label1, 2, 0);
  range->addWidget(Text_from, 2, 1);
  range->addWidget(Label2, 3, 0);
  range->addWidget(Text_to, 3, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKbutton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &Optionsfrm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &Optionsfrm::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Pair("Y-axis scale", Option_uni, Option_Indep), 0, 0);
  layout->addWidget(Pair("X-axis scale", Option_linear, Option_log), 1, 0);
  layout->addWidget(Frame1, 0, 1, 2, 1);
  layout->addWidget(Auto_Draw, 2, 0);
  layout->addWidget(Thick_lines, 2, 1);
  layout->addWidget(buttons, 3, 0, 1, 2);

  connect(Option_auto, &QRadioButton::clicked, this, &Optionsfrm::Option_auto_Click);
  connect(Option_man, &QRadioButton::clicked, this, &Optionsfrm::Option_man_Click);
  connect(Option_linear, &QRadioButton::clicked, this, &Optionsfrm::Option_linear_Click);
  connect(Option_log, &QRadioButton::clicked, this, &Optionsfrm::Option_log_Click);
  connect(Text_from, &QLineEdit::textChanged, this, &Optionsfrm::Text_from_Change);
  connect(Text_to, &QLineEdit::textChanged, this, &Optionsfrm::Text_to_Change);

  SetFromState();
  Auto_Draw->setChecked(session_.Options.AutoRedraw);
}

void Optionsfrm::SetFromState() {
  const ViewState& view = session_.View;
  (view.LogTime ? Option_log : Option_linear)->setChecked(true);
  (view.UniversalY ? Option_uni : Option_Indep)->setChecked(true);
  (view.AutoRange ? Option_auto : Option_man)->setChecked(true);
  Thick_lines->setChecked(session_.Options.LineWidth == 2);
  Text_to->setText(QString::fromStdString(FormatGeneral(view.RangeTo)));
}

void Optionsfrm::showEvent(QShowEvent* event) {
  Form_Activate();
  QDialog::showEvent(event);
}

void Optionsfrm::Form_Activate() {
  Text_from->setText(QString::fromStdString(FormatGeneral(session_.View.RangeFrom)));
  Text_to->setText(QString::fromStdString(FormatGeneral(session_.View.RangeTo)));
  if (session_.View.AutoRange) {
    Option_auto->setChecked(true);
    Option_auto_Click();
  } else {
    Option_man->setChecked(true);
    Option_man_Click();
  }
  if (session_.View.LogTime) {
    Option_log->setChecked(true);
    Option_log_Click();
  } else {
    Option_linear->setChecked(true);
    Option_linear_Click();
  }
}

void Optionsfrm::RangeControlsEnabled(bool enabled) {
  for (QWidget* control : {static_cast<QWidget*>(Text_from), static_cast<QWidget*>(Text_to),
                           static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
    control->setEnabled(enabled);
}

void Optionsfrm::Option_auto_Click() {
  RangeControlsEnabled(false);
}

void Optionsfrm::Option_man_Click() {
  RangeControlsEnabled(true);
}

// The logarithmic axis always shows the whole range.
void Optionsfrm::Option_log_Click() {
  Option_auto->setEnabled(false);
  Option_man->setEnabled(false);
  RangeControlsEnabled(false);
}

void Optionsfrm::Option_linear_Click() {
  Option_auto->setEnabled(true);
  Option_man->setEnabled(true);
  if (Option_man->isChecked()) Option_man_Click();
}

void Optionsfrm::Text_from_Change() {
  const std::string text = Text_from->text().toStdString();
  const std::string corrected = CorrectedRangeStart(text, session_.Record.TimeMax);
  if (corrected != text) Text_from->setText(QString::fromStdString(corrected));
}

void Optionsfrm::Text_to_Change() {
  const std::string text = Text_to->text().toStdString();
  const std::string corrected = CorrectedRangeEnd(text, session_.Record.TimeMax);
  if (corrected != text) Text_to->setText(QString::fromStdString(corrected));
}

void Optionsfrm::accept() {
  ChartOptionsChoice choice;
  choice.Universal = Option_uni->isChecked();
  choice.Automatic = Option_auto->isChecked();
  choice.Logarithmic = Option_log->isChecked();
  choice.ThickLines = Thick_lines->isChecked();
  choice.AutoRedraw = Auto_Draw->isChecked();
  choice.From = Text_from->text().toStdString();
  choice.To = Text_to->text().toStdString();
  if (!ApplyChartOptions(session_, choice)) {
    feedback_.ShowMessage(kRangeOrderText, MessageIcon::Exclamation);
    return;
  }
  QDialog::accept();
}

// "AutoRedraw" and "from:" are not set back; the next showing sets "from:" again.
void Optionsfrm::reject() {
  QDialog::reject();
  SetFromState();
}
