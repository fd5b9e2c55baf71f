// The chart options dialog: y scale, time axis, time range, redraw and line width.
#pragma once

#include <QDialog>

#include "data/Session.h"
#include "ui/Feedback.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class Optionsfrm : public QDialog {
  Q_OBJECT

 public:
  Optionsfrm(tolmek::Session& session, tolmek::Feedback& feedback, QWidget* parent = nullptr);

  QRadioButton *Option_uni, *Option_Indep, *Option_linear, *Option_log, *Option_auto, *Option_man;
  QLineEdit *Text_from, *Text_to;
  QCheckBox *Auto_Draw, *Thick_lines;

  // OK: applies the choice; a manual range that ends before it starts is refused with a message
  // and the dialog stays open.
  void accept() override;
  // Cancel, Esc and the close box: the controls go back to the state.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Form_Activate();
  void RangeControlsEnabled(bool enabled);
  void Option_auto_Click();
  void Option_man_Click();
  void Option_linear_Click();
  void Option_log_Click();
  void Text_from_Change();
  void Text_to_Change();
  void SetFromState();

  tolmek::Session& session_;
  tolmek::Feedback& feedback_;
  QLabel *Label1, *Label2;
};
