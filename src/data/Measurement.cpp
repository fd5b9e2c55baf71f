#include "Measurement.h"

#include <limits>

#include "Errors.h"
#include "FileIO.h"

namespace tolmek {

void SizeCurveArrays(Measurement& record, int upper) {
  for (auto* values :
       {&record.TimeValues, &record.PFValues, &record.DFValues, &record.PFSlope, &record.DFSlope})
    values->assign(static_cast<size_t>(upper) + 1, 0.0f);
}

void ComputeSlopes(Measurement& record, int i) {
  const double dt = static_cast<double>(At(record.TimeValues, i)) - At(record.TimeValues, i - 1);
  const double dPF = static_cast<double>(At(record.PFValues, i)) - At(record.PFValues, i - 1);
  const double dDF = static_cast<double>(At(record.DFValues, i)) - At(record.DFValues, i - 1);
  At(record.PFSlope, i) = ToSingle(Divide(dPF, dt));
  At(record.DFSlope, i) = ToSingle(Divide(dDF, dt));
}

void PrepareCurves(Measurement& record) {
  const auto& pf = record.PFValues;
  auto& slots = record.PFPoints;

  // Fi: the highest local maximum among points 3..7 (both tests are always evaluated, so PF is
  // read up to point 8). A rerun after a gain change starts from the Fd already set.
  int fi = 2;
  if (slots[kSlotFd] == 0) {
    for (int i = 3; i <= 7; ++i) {
      const bool higher = At(pf, i) > At(pf, fi);
      const bool peak = At(pf, i + 1) <= At(pf, i);
      if (higher && peak) fi = i;
    }
  } else {
    fi = slots[kSlotFd];
  }
  slots[kSlotFi] = static_cast<int16_t>(fi);

  // Fd: the last point after Fi, up to point 6, that does not rise above its predecessor.
  int fd = fi;
  for (int i = fi + 1; i <= 6; ++i)
    if (At(pf, i) <= At(pf, i - 1)) fd = i;
  slots[kSlotFd] = static_cast<int16_t>(fd);

  const int fm = FindCurveMaxima(record);
  if (fm > 0) slots[kSlotFm] = ToInt16(fm);  // point indices are 16-bit
  slots[kSlotFs] = ToInt16(record.PointCount - 1);
}

int FindCurveMaxima(Measurement& record) {
  record.PFMax = 0;
  record.DFMax = 0;
  record.TimeMax = 0;
  int fm = 0;
  for (int i = 2; i <= record.PointCount; ++i) {
    if (At(record.TimeValues, i) > record.TimeMax) record.TimeMax = record.TimeValues[i];
    if (At(record.PFValues, i) > record.PFMax) {
      record.PFMax = record.PFValues[i];
      fm = i;
    }
    if (At(record.DFValues, i) > record.DFMax) record.DFMax = record.DFValues[i];
  }
  return fm;
}

namespace {

// The first row of each key wins, as a search from the top would find it.
void RebuildKeyRows(ResultTable& table) {
  table.KeyRows.clear();
  for (int i = table.ResultRowCount; i >= 1; --i) {
    const std::string& key = table.Cell(i, kResultFileKey);
    if (!key.empty()) table.KeyRows[key] = i;
  }
  table.KeyRowsCount = table.ResultRowCount;
}

}  // namespace

void FindResultRow(Session& session) {
  ResultTable& table = session.Results;
  // The row is found by the full path of the file: the shown name may be shortened to the same
  // eight characters for different files, and a name alone is ambiguous across folders.
  const std::string& key = session.Record.CurrentFilePath;
  if (table.KeyRowsCount != table.ResultRowCount) RebuildKeyRows(table);
  if (!key.empty()) {
    const auto found = table.KeyRows.find(key);
    if (found != table.KeyRows.end() && table.Cell(found->second, kResultFileKey) == key) {
      table.ResultRow = static_cast<int16_t>(found->second);
      return;
    }
  }
  // Row indices are 16-bit; a full table reuses its last row. Every row reaches FL.RES as soon as
  // it is computed, so nothing is lost.
  if (table.ResultRowCount < std::numeric_limits<int16_t>::max()) ++table.ResultRowCount;
  table.ResultRow = table.ResultRowCount;
  std::string& rowKey = table.Cell(table.ResultRow, kResultFileKey);
  const auto previous = table.KeyRows.find(rowKey);
  if (previous != table.KeyRows.end() && previous->second == table.ResultRow)
    table.KeyRows.erase(previous);
  rowKey = key;
  if (!key.empty()) table.KeyRows.emplace(key, table.ResultRow);
  table.KeyRowsCount = table.ResultRowCount;
}

void ResetState(Session& session) {
  Measurement& record = session.Record;
  session.Cursor.SpanStart = 0;
  session.Cursor.SpanEnd = 0;
  record.DataLoaded = false;
  record.AutosaveDone = false;
  session.Shell.ChartReady = false;
  session.View.ViewMode = ViewMode::Both;
  record.CurrentFilePath.clear();
  record.FileTypeCode = 0;
  session.View.LogTime = true;
  for (auto* values : {&record.DecayTimes, &record.DecayValues, &record.PFValues, &record.DFValues,
                       &record.TimeValues})
    values->clear();
  record.PFPoints.fill(0);
  if (!session.Options.OptionsKeepPeaks) record.DFPoints.fill(DFPeakPair{});
  for (int r = 0; r < kDFTableRows; ++r)
    for (int c = 1; c < kDFTableColumns; ++c) session.DFTable.Cells[r][c] = kUncomputedCell;
  record.PointCount = 0;
  // No file is loaded, so no row is its own: an edit of kept DF peaks before the next load must not
  // recompute the last file's row from empty curves.
  session.Results.ResultRow = 0;
  record.TimeMax = record.PFMax = record.DFMax = 0;
  record.PFAmplification = record.DFAmplification = 0;
  // No measurement inherits the header texts of the one loaded before it.
  for (auto& comment : record.HeaderComments) comment.clear();
  record.ExperimentText = "Unknown";
}

}  // namespace tolmek
