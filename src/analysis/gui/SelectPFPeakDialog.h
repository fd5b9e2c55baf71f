// "Select PF Max": stores the chart cursor's point into the ticked PF slots.
#pragma once

#include <array>

#include "PointSelectionDialog.h"

class QCheckBox;

namespace tolmek {

class SelectPFPeak : public PointSelectionDialog {
  Q_OBJECT

 public:
  explicit SelectPFPeak(Session& session, QWidget* parent = nullptr);

  std::array<QCheckBox*, 7> Check{};  // 1..6: "&I", "&D", "&M", "M&1", "M&2", "&S"

 protected:
  bool Apply(bool& pointsStored) override;
  void Activated() override;
  void ClearChecks() override;
};

}  // namespace tolmek
