#include "EnterAmplifDialog.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "analysis/Amplification.h"
#include "data/NumberText.h"
#include "ui/CommandGuard.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {

QString NumberText(double value) {
  return ToQString(FormatGeneral(value));
}

// A typed text is kept as the text of its leading number (anything else counts as 0).
void RewriteAsNumber(QLineEdit& field) {
  field.setText(NumberText(Val(ToStdString(field.text()))));
}

}  // namespace

EnterAmplif::EnterAmplif(Session& session, Feedback& feedback, QWidget* parent)
    : QDialog(parent), session_(session), feedback_(feedback) {
  setWindowTitle("Amplification");
  auto* frames = new QHBoxLayout;
  frames->addWidget(GainFrame("PF", "PF", PFcurr, PFnew));
  frames->addWidget(GainFrame("DF", "DF", DFcurr, DFnew));
  Comment2 = new QLabel(this);
  Comment2->setObjectName("Comment2");
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(frames);
  layout->addWidget(Comment2);
  layout->addLayout(buttons);
  connect(OKButton, &QPushButton::clicked, this, &EnterAmplif::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* EnterAmplif::GainFrame(const QString& title, const QString& prefix, QLineEdit*& current,
                                QLineEdit*& next) {
  auto* frame = new QGroupBox(title, this);
  current = new QLineEdit(frame);
  current->setObjectName(prefix + "curr");
  current->setReadOnly(true);  // shown only
  next = new QLineEdit(frame);
  next->setObjectName(prefix + "new");
  next->installEventFilter(this);
  auto* form = new QFormLayout(frame);
  form->addRow("Current:", current);
  form->addRow("New:", next);
  return frame;
}

bool EnterAmplif::eventFilter(QObject* watched, QEvent* event) {
  // A field that gets the focus selects its whole text, once the click that gave it has passed.
  if (event->type() == QEvent::FocusIn)
    if (auto* field = qobject_cast<QLineEdit*>(watched))
      QTimer::singleShot(0, field, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

void EnterAmplif::Prepare(const GainQuestion& question) {
  PFcurr->setText(NumberText(question.Current.PF));
  PFnew->setText(NumberText(question.Current.PF));
  DFcurr->setText(NumberText(question.Current.DF));
  DFnew->setText(NumberText(question.Current.DF));
  Comment2->setText(FromLatin1(question.Comment2));
  accepted_.reset();
  PFnew->setFocus();
}

std::optional<DisplayGains> EnterAmplif::AskGains(const GainQuestion& question) {
  Prepare(question);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return accepted_;
}

void EnterAmplif::OKButton_Click() {
  RewriteAsNumber(*DFnew);
  RewriteAsNumber(*PFnew);
  const auto gains = ParseGainEntry(ToStdString(PFnew->text()), ToStdString(DFnew->text()));
  if (!gains) {
    feedback_.ShowMessage(kGainRangeText, MessageIcon::None);
    return;
  }
  accepted_ = gains;
  accept();
}

void EnterAmplif::ChangeAmp() {
  Measurement& record = session_.Record;
  if (record.CurrentFilePath.empty() || record.PointCount < 1) return;
  const auto gains = AskGains({CurrentDisplayGains(record), record.HeaderComments[1]});
  if (!gains) return;
  if (!RunReportingFailure(feedback_, [&] { ChangeAmplification(session_, gains); })) return;
  emit GainsChanged();
  emit RedrawRequested();
}

}  // namespace tolmek
