// "Amplification": the current and new gains of both curves in display units, with the range
// check on OK. Asked by "Change &Amp" and by the instrument reader when a recording's header
// gains are out of range.
#pragma once

#include <QDialog>
#include <optional>

#include "data/Session.h"
#include "ui/Feedback.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tolmek {

class EnterAmplif : public QDialog {
  Q_OBJECT

 public:
  EnterAmplif(Session& session, Feedback& feedback, QWidget* parent = nullptr);

  // Shows the dialog modally with the question's gains; the gains entered, nothing for Cancel
  // (or the close box).
  std::optional<DisplayGains> AskGains(const GainQuestion& question);

  // Fills the fields for the question without showing the dialog.
  void Prepare(const GainQuestion& question);
  // The gains accepted by the last OK.
  std::optional<DisplayGains> AcceptedGains() const { return accepted_; }

 public slots:
  // "Change &Amp": asks for new gains of the loaded measurement and rescales it; an overflow of a
  // rescaled value is reported and leaves the measurement as it was.
  void ChangeAmp();

 signals:
  // The measurement was rescaled; the DF table and the results row are recomputed already.
  void GainsChanged();
  void RedrawRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OKButton_Click();
  QWidget* GainFrame(const QString& title, const QString& prefix, QLineEdit*& current,
                     QLineEdit*& next);

  Session& session_;
  Feedback& feedback_;
  QLineEdit* PFcurr = nullptr;
  QLineEdit* PFnew = nullptr;
  QLineEdit* DFcurr = nullptr;
  QLineEdit* DFnew = nullptr;
  QLabel* Comment2 = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
  std::optional<DisplayGains> accepted_;
};

}  // namespace tolmek
