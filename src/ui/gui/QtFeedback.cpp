#include "QtFeedback.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>

namespace tolmek {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton BoxButton(Answer answer) {
  switch (answer) {
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Ok:
      break;
  }
  return QMessageBox::Ok;
}

// A box without a title of its own shows the program's name, as the platform's boxes do.
QString BoxTitle(const std::string& title) {
  return ToQString(title.empty() ? std::string("Tolmek32") : title);
}

// The small gain dialog used until the amplification window answers the question.
std::optional<DisplayGains> AskGainsPlainly(QWidget* parent, const GainQuestion& question) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Amplification");
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(new QLabel(FromLatin1(question.Comment2)));
  auto* pf = new QDoubleSpinBox(&dialog);
  auto* df = new QDoubleSpinBox(&dialog);
  for (auto* box : {pf, df}) {
    box->setRange(1, 1500);
    box->setDecimals(2);
  }
  pf->setValue(std::clamp(question.Current.PF, 1.0, 1500.0));
  df->setValue(std::clamp(question.Current.DF, 1.0, 1500.0));
  layout->addRow("PF:", pf);
  layout->addRow("DF:", df);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return DisplayGains{pf->value(), df->value()};
}

}  // namespace

QString ToQString(const std::string& text) {
  QString result = QFile::decodeName(QByteArray::fromStdString(text));
  result.replace("\r\n", "\n");
  result.replace('\r', '\n');
  return result;
}

std::string ToStdString(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

QString FromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QtFeedback::QtFeedback(QWidget* parent) : parent_(parent), progress_(new Progressfrm(parent)) {
  progress_->SetCancelHandler([this] { cancelPending_ = true; });
}

QtFeedback::~QtFeedback() {
  if (busy_) QApplication::restoreOverrideCursor();
  // The progress window belongs to the main window once it has a parent.
  if (progress_ && !progress_->parent()) delete progress_;
}

void QtFeedback::SetParent(QWidget* parent) {
  parent_ = parent;
  if (progress_) progress_->setParent(parent, progress_->windowFlags());
}

void QtFeedback::ShowMessage(const std::string& text, MessageIcon icon, const std::string& title) {
  QMessageBox box(BoxIcon(icon), BoxTitle(title), ToQString(text), QMessageBox::Ok, parent_);
  box.exec();
  ReturnFocus();
}

Answer QtFeedback::Ask(const std::string& text, Buttons buttons, MessageIcon icon,
                       Answer defaultAnswer) {
  QMessageBox::StandardButtons choices = QMessageBox::Ok;
  if (buttons == Buttons::YesNo) choices = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel)
    choices = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(BoxIcon(icon), BoxTitle({}), ToQString(text), choices, parent_);
  box.setDefaultButton(BoxButton(defaultAnswer));
  const int chosen = box.exec();
  ReturnFocus();
  switch (chosen) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      break;
  }
  // Esc or the close box on a Yes/No box counts as No.
  return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

std::optional<DisplayGains> QtFeedback::AskGains(const GainQuestion& question) {
  if (gainHook_) return gainHook_(question);
  return AskGainsPlainly(parent_, question);
}

void QtFeedback::ShowProgress() {
  progress_->show();
  progress_->raise();
}

void QtFeedback::SetProgressText(const std::string& text) {
  progress_->SetText(ToQString(text));
}

void QtFeedback::SetProgress(int percent) {
  progress_->SetPercent(percent);
}

void QtFeedback::HideProgress() {
  // The progress window never takes the keys (Progressfrm), so the window the work started from
  // keeps them throughout.
  progress_->hide();
}

void QtFeedback::ReturnFocus() {
  QWidget* window = parent_ ? parent_->window() : nullptr;
  if (window && window->isVisible() && !QApplication::activeModalWidget()) {
    window->raise();
    window->activateWindow();
  }
}

void QtFeedback::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtFeedback::SetMainWindowEnabled(bool enabled) {
  if (enableHook_) {
    enableHook_(enabled);
  } else if (parent_) {
    parent_->setEnabled(enabled);
  }
}

void QtFeedback::Beep() {
  QApplication::beep();
}

bool QtFeedback::TurnEventLoop() {
  QCoreApplication::processEvents();
  const bool cancel = cancelPending_;
  cancelPending_ = false;
  return cancel;
}

}  // namespace tolmek
