// The about window, also shown as the splash at start-up. A click or a key hides it.
#pragma once

#include <QDialog>

class QLabel;

class Aboutfrm : public QDialog {
  Q_OBJECT

 public:
  explicit Aboutfrm(QWidget* parent = nullptr);
  // "v. " and the program's version, e.g. "v. 1.5.24".
  static QString VersionText();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
