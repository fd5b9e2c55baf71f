#include "ResultFiles.h"
#include <algorithm>
#include <array>
#include <vector>

#include "PFResults.h"
#include "data/BackedUpFile.h"
#include "data/Errors.h"
#include "data/FileChoice.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "data/ReaderExit.h"

namespace tolmek {

namespace {

constexpr int kWaveCount = 6;
constexpr int kCellDecimals = 2;  // the pattern "0.00" of the FL.RES cells
constexpr int kDFDecimals = 1;    // the pattern "0.0" of the FL.RES DF fields
constexpr size_t kExtensionLength = 4;
constexpr const char* kDFCellGap = "  ";

constexpr const char* kFLResQuestion = "File FL.RES already exists. Append data at end of file?";
constexpr const char* kDFResQuestion = "File DF.RES already exists. Append data at end of file?";

enum class WriteMode { Append, Overwrite, Skip };

WriteMode ChooseWriteMode(const FileState& state, Feedback& feedback, int16_t quiet,
                          const char* question) {
  if (!state.Exists) return WriteMode::Overwrite;
  if (quiet == 1) return WriteMode::Append;
  switch (feedback.Ask(question, Buttons::YesNoCancel, MessageIcon::Exclamation, Answer::Yes)) {
    case Answer::Yes:
      return WriteMode::Append;
    case Answer::No:
      return WriteMode::Overwrite;
    default:
      return WriteMode::Skip;
  }
}

// Writes one result file: found whatever the case of its name, backed up, then appended to or
// replaced as the mode says; textFor builds the text for the mode chosen. Returns that mode.
template <typename TextFor>
WriteMode WriteResultFile(Session& session, ResultFileMemo& memo, const char* name,
                          Feedback& feedback, int16_t quiet, const char* question,
                          TextFor textFor) {
  FileState state;
  const std::string path = LocateResultFile(memo, session.Options.DataFolder, name, state);
  if (state.IsFolder) throw ErrorText(FileNameOf(path) + ": " + errors::kFileAccessError);
  const WriteMode mode = ChooseWriteMode(state, feedback, quiet, question);
  if (mode == WriteMode::Append) {
    AppendBackedUp(memo, path, state, textFor(mode));
  } else if (mode == WriteMode::Overwrite) {
    ReplaceBackedUp(memo, path, textFor(mode));
  }
  return mode;
}

std::string FLResRows(const Session& session, int firstRow, int lastRow) {
  std::string text;
  for (int r = firstRow; r <= lastRow; ++r) text += FLResDataLine(session, r);
  return text;
}

// True when a DF point lies beyond the loaded curve: kept from a longer recording, or nothing is
// loaded. The arrays may reach further than the curve (an ASCII table is read into 10000 points).
bool BeyondCurve(const Measurement& record, int point) {
  return point < 0 || point > record.PointCount ||
         point >= static_cast<int>(record.DFValues.size());
}

// DF value of the loaded measurement at a point; empty beyond the curve, so the row itself is not
// lost.
std::string DFField(const Measurement& record, int point) {
  if (BeyondCurve(record, point)) return {};
  return FormatDecimals(record.DFValues[static_cast<size_t>(point)], kDFDecimals);
}

// The empty DF fields of a row would pass unnoticed in a long batch: the peaks beyond the loaded
// curve are named ("I4 lies beyond the 6000 points of r.dat").
void ReportPeaksBeyondCurve(const Session& session, Feedback& feedback) {
  const Measurement& record = session.Record;
  if (record.CurrentFilePath.empty()) return;
  std::vector<std::string> names;
  for (int k = 1; k <= kWaveCount; ++k) {
    const DFPeakPair& wave = record.DFPoints[k];
    if (wave.I != 0 && BeyondCurve(record, wave.I)) names.push_back("I" + std::to_string(k));
    if (wave.D != 0 && BeyondCurve(record, wave.D)) names.push_back("D" + std::to_string(k));
  }
  if (names.empty()) return;
  std::string text = names.front();
  for (size_t i = 1; i < names.size(); ++i) text += ", " + names[i];
  text += names.size() == 1 ? " lies" : " lie";
  feedback.ShowMessage(text + " beyond the " + std::to_string(record.PointCount) + " points of " +
                           record.CurrentFileName,
                       MessageIcon::Exclamation);
}

}  // namespace

bool AreYouSure(Feedback& feedback) {
  return feedback.Ask("Are you sure?", Buttons::YesNo, MessageIcon::Question, Answer::Yes) ==
         Answer::Yes;
}

std::string FLResHeading(const ResultTable& table) {
  std::string text;
  for (int c = 0; c < kResultColumnCount; ++c) text += table.Cell(0, c) + TabText;
  for (int k = 1; k <= kWaveCount; ++k) {
    const std::string wave = std::to_string(k);
    text += "I" + wave + TabText + "D" + wave + TabText;
  }
  return text + NewLineText;
}

std::string FLResDataLine(const Session& session, int row) {
  std::string text;
  for (int c = 0; c < kResultColumnCount; ++c)
    text += FormatCell(session.Results.Cell(row, c), kCellDecimals) + TabText;
  // The DF fields always describe the loaded measurement, whatever row is written.
  for (int k = 1; k <= kWaveCount; ++k) {
    const DFPeakPair& wave = session.Record.DFPoints[k];
    text += DFField(session.Record, wave.I) + TabText;
    text += DFField(session.Record, wave.D) + TabText;
  }
  return text + NewLineText;
}

std::string DFResBlock(const Session& session) {
  std::string text = DropLast(session.Record.CurrentFileName, kExtensionLength) + NewLineText;
  for (const auto& row : session.DFTable.Cells) {
    for (const auto& cell : row) text += cell + kDFCellGap;
    text += NewLineText;
  }
  return text + NewLineText;
}

bool WriteFLRes(Session& session, Feedback& feedback, int16_t quiet) {
  const ResultTable& table = session.Results;
  return RunWriter(feedback, [&] {
    const WriteMode mode = WriteResultFile(session, session.ResultFiles.FL, kFLResName, feedback,
                                           quiet, kFLResQuestion, [&](WriteMode chosen) {
                                             if (chosen == WriteMode::Overwrite)
                                               return FLResHeading(table) +
                                                      FLResRows(session, 1, table.ResultRowCount);
                                             if (quiet == 1)
                                               return FLResDataLine(session, table.ResultRow);
                                             return FLResRows(session, 1, table.ResultRowCount);
                                           });
    if (mode != WriteMode::Skip) ReportPeaksBeyondCurve(session, feedback);
  });
}

bool WriteDFRes(Session& session, Feedback& feedback, int16_t quiet) {
  return RunWriter(feedback, [&] {
    WriteResultFile(session, session.ResultFiles.DF, kDFResName, feedback, quiet, kDFResQuestion,
                    [&](WriteMode) { return DFResBlock(session); });
  });
}

std::string ResultTableCopyText(const ResultTable& table, int firstRow, int lastRow,
                                int firstColumn, int lastColumn) {
  firstRow = std::max(firstRow, 0);
  firstColumn = std::max(firstColumn, 0);
  lastColumn = std::min(lastColumn, kResultColumnCount - 1);
  std::string text = TabText;
  for (int c = firstColumn; c <= lastColumn; ++c) text += Trim(table.Cell(0, c)) + TabText;
  text += NewLineText;
  for (int r = firstRow; r <= lastRow; ++r) {
    text += Trim(table.Cell(r, 0)) + TabText;
    for (int c = firstColumn; c <= lastColumn; ++c) text += Trim(table.Cell(r, c)) + TabText;
    text += NewLineText;
  }
  return text;
}

bool DeleteResultRows(ResultTable& table, int firstRow, int lastRow) {
  const int count = table.ResultRowCount;
  // The last row is that of the latest file and stays.
  if (lastRow >= count || firstRow < 1 || lastRow < firstRow) return false;
  const int n = lastRow - firstRow + 1;
  table.Cell(count, 0);  // rows counted but never filled exist from here on
  for (int r = lastRow + 1; r <= count; ++r) table.Rows[r - n] = table.Rows[r];
  // Vacated rows are emptied: a later file that takes one of them must not inherit the cells
  // that its own computation skips.
  for (int r = count - n + 1; r <= count; ++r) table.Rows[r].fill(std::string());
  table.ResultRowCount = static_cast<int16_t>(count - n);
  // The loaded file's row follows its file when rows before it go; otherwise (its own row was
  // deleted) the latest row takes its place.
  const int loaded = table.ResultRow;
  if (loaded > lastRow) {
    table.ResultRow = static_cast<int16_t>(loaded - n);
  } else if (loaded >= firstRow) {
    table.ResultRow = table.ResultRowCount;
  }
  return true;
}

void ClearResultTable(Session& session) {
  ResultTable& table = session.Results;
  table.Rows.assign(1, ResultRowCells{});
  FillResultColumnNames(table);
  table.ResultRowCount = 1;
  table.ResultRow = 1;
  FillPFResultRow(session);
}

}  // namespace tolmek
