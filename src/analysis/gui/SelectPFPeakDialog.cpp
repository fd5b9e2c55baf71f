#include "SelectPFPeakDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "analysis/PointSelection.h"

namespace tolmek {

namespace {
constexpr std::array<const char*, 7> kCaptions = {"", "&I", "&D", "&M", "M&1", "M&2", "&S"};
}

SelectPFPeak::SelectPFPeak(Session& session, QWidget* parent)
    : PointSelectionDialog(session, "Select PF Max", parent) {
  auto* frame = new QGroupBox("Select Peak", this);
  auto* boxes = new QVBoxLayout(frame);
  for (int k = 1; k <= 6; ++k) {
    Check[k] = new QCheckBox(kCaptions[k], frame);
    boxes->addWidget(Check[k]);
  }
  CheckArea->addWidget(frame);
}

bool SelectPFPeak::Apply(bool& pointsStored) {
  SlotChecks checked{};
  for (int k = 1; k <= 6; ++k) checked[k] = Check[k]->isChecked();
  pointsStored = true;
  return SetPFPoints(session_, checked);
}

void SelectPFPeak::Activated() {
  Check[1]->setFocus();
}

void SelectPFPeak::ClearChecks() {
  for (int k = 1; k <= 6; ++k) Check[k]->setChecked(false);
}

}  // namespace tolmek
