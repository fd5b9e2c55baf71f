#include "Progressfrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr const char* kDesignText = "Processing, press Esc to cancel...";
}

Progressfrm::Progressfrm(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(kDesignText, this)), Progress(new QProgressBar(this)) {
  setWindowTitle("Processing");
  setModal(false);
  Progress->setRange(0, 100);
  Progress->setValue(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Progress);
  setMinimumWidth(360);
  // The window shows progress without taking the keyboard: were it focused, the window manager
  // would have to hand the focus back when it hides, and where it does not (or a key of the
  // command that started the work is released meanwhile) the main window is left without keys.
  // Esc reaches it through the application while it is shown.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowFlag(Qt::WindowDoesNotAcceptFocus);
}

void Progressfrm::showEvent(QShowEvent* event) {
  QApplication::instance()->installEventFilter(this);
  QDialog::showEvent(event);
}

void Progressfrm::hideEvent(QHideEvent* event) {
  QApplication::instance()->removeEventFilter(this);
  QDialog::hideEvent(event);
}

bool Progressfrm::eventFilter(QObject* watched, QEvent* event) {
  // Esc in a message box shown meanwhile answers that box, not the progress window.
  const QWidget* modal = QApplication::activeModalWidget();
  if (event->type() == QEvent::KeyPress && (modal == nullptr || modal == this) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    if (cancelHandler_) cancelHandler_();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void Progressfrm::SetText(const QString& text) {
  Label1->setText(text);
}

void Progressfrm::SetPercent(int percent) {
  if (percent != Progress->value()) Progress->setValue(std::clamp(percent, 0, 100));
}

int Progressfrm::Percent() const {
  return Progress->value();
}

void Progressfrm::keyPressEvent(QKeyEvent* event) {
  // Esc asks to cancel; it does not close the window (the work hides it when it ends).
  if (event->key() == Qt::Key_Escape) {
    if (cancelHandler_) cancelHandler_();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void Progressfrm::closeEvent(QCloseEvent* event) {
  // The close box asks to cancel as Esc does; the window stays until the work ends.
  if (cancelHandler_) cancelHandler_();
  event->ignore();
}
