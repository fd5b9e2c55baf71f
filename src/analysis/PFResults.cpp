#include "PFResults.h"

#include <array>
#include <optional>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"

namespace tolmek {

bool DFPointBeyondCurve(const Measurement& record, int point) {
  return point < 0 || point > record.PointCount ||
         point >= static_cast<int>(record.DFValues.size());
}

namespace {

constexpr std::array<const char*, kResultColumnCount> kResultColumnNames = {
    "Filename", "Fo",    "Fi",    "Fd",  "Fm",      "Fm1",    "Fm2",   "Fs",
    "Fv/Fo",    "Fv/Fm", "Fm/Fs", "Rfd", "F150/Fm", "dFi/Fv", "I1/Fo", "I4/Fm"};

constexpr int kDFDecimals = 1;  // the pattern "0.0" of the DF fields
constexpr int kStrippedNameWidth = 8;
constexpr int kStrippedNameHead = 7;
constexpr int kExtensionLength = 4;  // the dot and three letters
constexpr int kF150Point = 15;       // F150 is the fifteenth point, whatever its time

enum ResultColumn : int {
  kColFilename = 0,
  kColFo = 1,
  kColFi = 2,
  kColFvFo = 8,
  kColFvFm,
  kColFmFs,
  kColRfd,
  kColF150Fm,
  kColDFiFv,
  kColI1Fo,
  kColI4Fm
};

double PF(const Measurement& record, long long index) {
  return At(record.PFValues, index);
}
double PFAtSlot(const Measurement& record, int slot) {
  return PF(record, record.PFPoints[slot]);
}
// A peak kept from a longer recording may lie beyond the loaded curve but inside the arrays; it has
// no value there, whatever the arrays hold.
double DFAtInduction(const Measurement& record, int wave) {
  const int point = record.DFPoints[wave].I;
  if (DFPointBeyondCurve(record, point)) ThrowError(errors::kSubscriptOutOfRange);
  return record.DFValues[static_cast<size_t>(point)];
}

// Computes one cell; a failure (an index outside the arrays, a division by zero) leaves the cell
// as it was. Returns the value when it was computed.
template <typename Compute>
std::optional<double> FillCell(std::string& cell, Compute compute) {
  try {
    const double value = compute();
    cell = FormatFixed(value);
    return value;
  } catch (const ErrorText&) {
    return std::nullopt;
  }
}

// I1/Fo and I4/Fm: emptied, like the row's DF fields, while the peak lies beyond the curve, so the
// row keeps no ratio from an earlier load.
template <typename Divisor>
void FillDFRatio(std::string& cell, const Measurement& record, int wave, Divisor divisor) {
  if (DFPointBeyondCurve(record, record.DFPoints[wave].I)) {
    cell.clear();
    return;
  }
  FillCell(cell, [&] { return Divide(DFAtInduction(record, wave), divisor()); });
}

// The DF value of the loaded measurement at a point for the row's DF fields; empty beyond the
// curve, so the row itself is not lost.
std::string DFField(const Measurement& record, int point) {
  if (DFPointBeyondCurve(record, point)) return {};
  return FormatDecimals(record.DFValues[static_cast<size_t>(point)], kDFDecimals);
}

void FillDFFields(const Measurement& record, ResultRowCells& row) {
  for (int k = 1; k <= kWaveCount; ++k) {
    row[kResultColumnCount + 2 * (k - 1)] = DFField(record, record.DFPoints[k].I);
    row[kResultColumnCount + 2 * (k - 1) + 1] = DFField(record, record.DFPoints[k].D);
  }
}

// A value of the view that cannot be computed (a point outside the curve) is left out.
template <typename Compute>
std::optional<double> TryValue(Compute compute) {
  try {
    return compute();
  } catch (const ErrorText&) {
    return std::nullopt;
  }
}

std::string PointLine(const Measurement& record, const char* name, int slot) {
  const auto value = TryValue([&] { return PFAtSlot(record, slot); });
  const auto time = TryValue([&] { return At(record.TimeValues, record.PFPoints[slot]); });
  if (!value || !time) return {};
  return std::string(name) + " = " + FormatFixed(*value) + TabText + "T(" + name +
         ") = " + FormatGeneral(*time) + NewLineText;
}

// A ratio line; left out when its divisor is 0 or either value is unknown.
std::string RatioLine(const char* name, std::optional<double> numerator,
                      std::optional<double> denominator) {
  if (!numerator || !denominator || *denominator == 0) return {};
  const auto ratio = TryValue([&] { return Divide(*numerator, *denominator); });
  if (!ratio) return {};
  return std::string(name) + " = " + FormatFixed(*ratio) + NewLineText;
}

}  // namespace

void FillResultColumnNames(ResultTable& table) {
  for (int c = 0; c < kResultColumnCount; ++c) table.Cell(0, c) = kResultColumnNames[c];
  for (int k = 1; k <= kWaveCount; ++k) {
    table.Cell(0, kResultColumnCount + 2 * (k - 1)) = "I" + std::to_string(k);
    table.Cell(0, kResultColumnCount + 2 * (k - 1) + 1) = "D" + std::to_string(k);
  }
}

std::string ResultFileNameCell(const std::string& fileName, int16_t stripFileName) {
  if (stripFileName != 1) return fileName;
  const std::string base = DropLast(fileName, kExtensionLength);
  std::string cell = base.substr(0, kStrippedNameHead) + LastChars(base, 1);
  cell.resize(kStrippedNameWidth, ' ');
  return cell;
}

void FillPFResultRow(Session& session) {
  const Measurement& m = session.Record;
  const int r = session.Results.ResultRow;
  // Row 0 holds the column names; there is no file row to fill before a row was chosen.
  if (r < 1) return;
  auto cell = [&](int c) -> std::string& { return session.Results.Cell(r, c); };

  cell(kColFilename) = ResultFileNameCell(m.CurrentFileName, session.Options.StripFileName);
  cell(kResultFileKey) = m.CurrentFilePath;
  const auto fo = FillCell(cell(kColFo), [&] { return PF(m, 1); });
  std::optional<double> fi;
  for (int slot = kSlotFi; slot <= kSlotFs; ++slot) {
    const auto value = FillCell(cell(slot + 1), [&] { return PFAtSlot(m, slot); });
    if (slot == kSlotFi) fi = value;
  }
  // Fi is never reported below Fo.
  if (fo && fi && *fi < *fo) cell(kColFi) = cell(kColFo);

  auto fm = [&] { return PFAtSlot(m, kSlotFm); };
  auto fs = [&] { return PFAtSlot(m, kSlotFs); };
  auto fo1 = [&] { return PF(m, 1); };
  auto fo2 = [&] { return PF(m, 2); };
  FillCell(cell(kColFvFo), [&] { return Divide(fm() - fo1(), fo1()); });
  FillCell(cell(kColFvFm), [&] { return Divide(fm() - fo1(), fm()); });
  FillCell(cell(kColFmFs), [&] { return Divide(fm(), fs()); });
  FillCell(cell(kColRfd), [&] { return Divide(fm() - fs(), fs()); });
  FillCell(cell(kColF150Fm), [&] { return Divide(PF(m, kF150Point), fm()); });
  FillCell(cell(kColDFiFv), [&] {
    const double afterFi = PF(m, m.PFPoints[kSlotFi] + 1);
    return Divide(afterFi - fo2(), fm() - fo2());
  });
  FillDFRatio(cell(kColI1Fo), m, 1, fo2);
  FillDFRatio(cell(kColI4Fm), m, 4, fm);
  // The DF fields travel with the row, so every row of FL.RES describes its own file.
  FillDFFields(m, session.Results.Rows[r]);
}

std::string ViewPFPeaksText(const Measurement& record) {
  const auto fo2 = TryValue([&] { return PF(record, 2); });
  const auto fm = TryValue([&] { return PFAtSlot(record, kSlotFm); });
  const auto fs = TryValue([&] { return PFAtSlot(record, kSlotFs); });
  const auto fo2Time = TryValue([&] { return At(record.TimeValues, 1); });
  std::string text;
  if (fo2 && fo2Time)
    text = "Fo = " + FormatGeneral(*fo2) + TabText + "T(Fo) = " + FormatGeneral(*fo2Time) +
           NewLineText;
  text += PointLine(record, "Fi", kSlotFi);
  text += PointLine(record, "Fd", kSlotFd);
  text += PointLine(record, "Fm", kSlotFm);
  text += PointLine(record, "Fs", kSlotFs);
  auto difference = [](std::optional<double> a, std::optional<double> b) -> std::optional<double> {
    if (a && b) return *a - *b;
    return std::nullopt;
  };
  text += RatioLine("Fv/Fo", difference(fm, fo2), fo2);
  text += RatioLine("Fv/Fm", difference(fm, fo2), fm);
  text += RatioLine("Fm/Fs", fm, fs);
  text += RatioLine("I1/Fo", TryValue([&] { return DFAtInduction(record, 1); }), fo2);
  text += RatioLine("I4/Fm", TryValue([&] { return DFAtInduction(record, 4); }), fm);
  return text;
}

}  // namespace tolmek
