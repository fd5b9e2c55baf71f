#include "Progressfrm.h"

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
