#include "PFResults.h"

#include <array>
#include <optional>

#include "Computable.h"
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

std::optional<double> PF(const Measurement& record, long long index) {
  return ElementAt(record.PFValues, index);
}
std::optional<double> PFAtSlot(const Measurement& record, int slot) {
  return PF(record, record.PFPoints[slot]);
}
// A peak kept from a longer recording may lie beyond the loaded curve but inside the arrays; it has
// no value there, whatever the arrays hold.
std::optional<double> DFAtInduction(const Measurement& record, int wave) {
  const int point = record.DFPoints[wave].I;
  if (DFPointBeyondCurve(record, point)) return std::nullopt;
  return record.DFValues[static_cast<size_t>(point)];
}

// Writes a value that could be computed; one that could not (an index outside the arrays, a
// division by zero) leaves the cell as it was.
void FillCell(std::string& cell, std::optional<double> value) {
  if (value) cell = FormatFixed(*value);
}

// I1/Fo and I4/Fm: emptied, like the row's DF fields, while the peak lies beyond the curve, so the
// row keeps no ratio from an earlier load.
void FillDFRatio(std::string& cell, const Measurement& record, int wave,
                 std::optional<double> divisor) {
  if (DFPointBeyondCurve(record, record.DFPoints[wave].I)) {
    cell.clear();
    return;
  }
  FillCell(cell, Over(DFAtInduction(record, wave), divisor));
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

// A line whose point lies outside the arrays is left out.
std::string PointLine(const Measurement& record, const char* name, int slot) {
  const auto value = PFAtSlot(record, slot);
  const auto time = ElementAt(record.TimeValues, record.PFPoints[slot]);
  if (!value || !time) return {};
  return std::string(name) + " = " + FormatFixed(*value) + TabText + "T(" + name +
         ") = " + FormatGeneral(*time) + NewLineText;
}

// A ratio line; left out when its divisor is 0 or either value is unknown.
std::string RatioLine(const char* name, std::optional<double> numerator,
                      std::optional<double> denominator) {
  const auto ratio = Over(numerator, denominator);
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

std::string ResultFileNameCell(const std::string& fileName, bool stripFileName) {
  if (!stripFileName) return fileName;
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
  const auto fo = PF(m, 1);
  FillCell(cell(kColFo), fo);
  for (int slot = kSlotFi; slot <= kSlotFs; ++slot) FillCell(cell(slot + 1), PFAtSlot(m, slot));
  // Fi is never reported below Fo.
  const auto fi = PFAtSlot(m, kSlotFi);
  if (fo && fi && *fi < *fo) cell(kColFi) = cell(kColFo);

  const auto fm = PFAtSlot(m, kSlotFm);
  const auto fs = PFAtSlot(m, kSlotFs);
  const auto fo2 = PF(m, 2);
  FillCell(cell(kColFvFo), Over(Minus(fm, fo), fo));
  FillCell(cell(kColFvFm), Over(Minus(fm, fo), fm));
  FillCell(cell(kColFmFs), Over(fm, fs));
  FillCell(cell(kColRfd), Over(Minus(fm, fs), fs));
  FillCell(cell(kColF150Fm), Over(PF(m, kF150Point), fm));
  const auto afterFi = PF(m, m.PFPoints[kSlotFi] + 1);
  FillCell(cell(kColDFiFv), Over(Minus(afterFi, fo2), Minus(fm, fo2)));
  FillDFRatio(cell(kColI1Fo), m, 1, fo2);
  FillDFRatio(cell(kColI4Fm), m, 4, fm);
  // The DF fields travel with the row, so every row of FL.RES describes its own file.
  FillDFFields(m, session.Results.Rows[r]);
}

std::string ViewPFPeaksText(const Measurement& record) {
  const auto fo2 = PF(record, 2);
  const auto fm = PFAtSlot(record, kSlotFm);
  const auto fs = PFAtSlot(record, kSlotFs);
  const auto fo2Time = ElementAt(record.TimeValues, 1);
  std::string text;
  if (fo2 && fo2Time)
    text = "Fo = " + FormatGeneral(*fo2) + TabText + "T(Fo) = " + FormatGeneral(*fo2Time) +
           NewLineText;
  text += PointLine(record, "Fi", kSlotFi);
  text += PointLine(record, "Fd", kSlotFd);
  text += PointLine(record, "Fm", kSlotFm);
  text += PointLine(record, "Fs", kSlotFs);
  text += RatioLine("Fv/Fo", Minus(fm, fo2), fo2);
  text += RatioLine("Fv/Fm", Minus(fm, fo2), fm);
  text += RatioLine("Fm/Fs", fm, fs);
  text += RatioLine("I1/Fo", DFAtInduction(record, 1), fo2);
  text += RatioLine("I4/Fm", DFAtInduction(record, 4), fm);
  return text;
}

}  // namespace tolmek
