// "Set DF Min/Max": stores the chart cursor's point, refined by the snap option, into the ticked DF
// peaks, proposing the next peak of the DF pattern; in pattern mode it edits the pattern.
#pragma once

#include <array>
#include <cstdint>

#include "PointSelectionDialog.h"

class QCheckBox;
class QKeyEvent;

namespace tolmek {

class SelectDFPeak : public PointSelectionDialog {
  Q_OBJECT

 public:
  explicit SelectDFPeak(Session& session, QWidget* parent = nullptr);

  // Shows the dialog modally to edit the DF pattern.
  void SetPattern();

  std::array<QCheckBox*, 7> Check_I{};  // 1..6: "I1".."I6"
  std::array<QCheckBox*, 7> Check_D{};  // 1..6: "D1".."D6"
  bool SetPatternMode = false;
  int16_t NextPatternPosition = 0;  // position in the pattern of the peak proposed last

 protected:
  bool Apply(bool& pointsStored) override;
  void Cancelled() override;
  void Activated() override;
  void ClearChecks() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QCheckBox* BoxOfPeak(DFPeakCode peak) const;
};

}  // namespace tolmek
