#include "SelectDFPeakDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/PointSelection.h"

namespace tolmek {

namespace {

constexpr const char* kIKeys = "123456";
// The shifted digits 1 to 6 of a US keyboard.
constexpr const char* kDKeys = "!@#$%^";

// The digit 1..6 of the key's place on the keyboard, whatever the layout prints on it; 0 when it
// is none of them or the platform does not tell.
int DigitRowKey(const QKeyEvent& event) {
  const quint32 code = event.nativeScanCode();
  const QString platform = QGuiApplication::platformName();
  const quint32 first = platform == "xcb" ? 10 : platform == "windows" ? 2 : 0;
  if (first == 0 || code < first || code >= first + kWaveCount) return 0;
  return static_cast<int>(code - first) + 1;
}

struct PeakKey {
  int Wave = 0;  // 0: not a peak key
  bool Decay = false;
};

PeakKey ReadPeakKey(const QKeyEvent& event) {
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  const int key = event.key();
  const int digit = key >= Qt::Key_1 && key <= Qt::Key_6 ? key - Qt::Key_0 : DigitRowKey(event);
  // Shift with the digit key itself reaches the D peaks on any layout.
  if (shift && digit != 0) return {digit, true};
  const QString text = event.text();
  if (text.size() == 1) {
    const char c = text[0].toLatin1();
    for (int k = 0; c != 0 && k < kWaveCount; ++k) {
      if (c == kIKeys[k]) return {k + 1, false};
      if (c == kDKeys[k]) return {k + 1, true};
    }
  }
  return {digit, false};
}

}  // namespace

SelectDFPeak::SelectDFPeak(Session& session, QWidget* parent)
    : PointSelectionDialog(session, "Set DF Min/Max", parent) {
  auto* frame = new QGroupBox("Min/Max", this);
  auto* grid = new QGridLayout(frame);
  for (int k = 1; k <= kWaveCount; ++k) {
    Check_I[k] = new QCheckBox(QString("I%1").arg(k), frame);
    Check_D[k] = new QCheckBox(QString("D%1").arg(k), frame);
    grid->addWidget(Check_I[k], 0, k - 1);
    grid->addWidget(Check_D[k], 1, k - 1);
  }
  CheckArea->addWidget(frame);
}

void SelectDFPeak::SetPattern() {
  SetPatternMode = true;
  exec();
}

QCheckBox* SelectDFPeak::BoxOfPeak(DFPeakCode peak) const {
  if (peak == DFPeakCode::None) return nullptr;
  return (IsDecayPeak(peak) ? Check_D : Check_I)[WaveOfPeak(peak)];
}

void SelectDFPeak::Activated() {
  Check_I[1]->setFocus();
  const auto& pattern = session_.Options.DFPattern;
  if (SetPatternMode) {
    for (int j = 1; j <= std::clamp<int>(pattern[0], 0, 2 * kWaveCount); ++j)
      if (QCheckBox* box = BoxOfPeak(PeakOfNumber(pattern[j]))) box->setChecked(true);
    return;
  }
  // The next peak of the pattern is ticked, so that Enter sets it.
  if (QCheckBox* box = BoxOfPeak(ProposeNextPatternPeak(session_.Options, NextPatternPosition))) {
    box->setChecked(true);
    OKbutton->setFocus();
  }
}

bool SelectDFPeak::Apply(bool& pointsStored) {
  SlotChecks checkedI{};
  SlotChecks checkedD{};
  for (int k = 1; k <= kWaveCount; ++k) {
    checkedI[k] = Check_I[k]->isChecked();
    checkedD[k] = Check_D[k]->isChecked();
  }
  if (SetPatternMode) {
    SetDFPatternFromChecks(session_.Options, checkedI, checkedD);
    SetPatternMode = false;
    pointsStored = false;
    return false;
  }
  pointsStored = true;
  return SetDFPoints(session_, checkedI, checkedD, NextPatternPosition);
}

void SelectDFPeak::Cancelled() {
  SetPatternMode = false;
  // The same peak is proposed again next time.
  if (NextPatternPosition > 0) --NextPatternPosition;
}

void SelectDFPeak::ClearChecks() {
  for (int k = 1; k <= kWaveCount; ++k) {
    Check_I[k]->setChecked(false);
    Check_D[k]->setChecked(false);
  }
}

void SelectDFPeak::keyPressEvent(QKeyEvent* event) {
  const PeakKey peak = ReadPeakKey(*event);
  if (peak.Wave == 0) {
    PointSelectionDialog::keyPressEvent(event);
    return;
  }
  QCheckBox* box = peak.Decay ? Check_D[peak.Wave] : Check_I[peak.Wave];
  box->toggle();
  OKbutton->setFocus();
}

}  // namespace tolmek
