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

constexpr int kCellDecimals = 2;  // the pattern "0.00" of the FL.RES cells
constexpr size_t kExtensionLength = 4;
constexpr const char* kDFCellGap = "  ";

constexpr const char* kFLResQuestion = "File FL.RES already exists. Append data at end of file?";
constexpr const char* kDFResQuestion = "File DF.RES already exists. Append data at end of file?";

enum class WriteMode { Append, Overwrite, Skip };

WriteMode ChooseWriteMode(const FileState& state, Feedback& feedback, bool quiet,
                          const char* question) {
  if (!state.Exists) return WriteMode::Overwrite;
  if (quiet) return WriteMode::Append;
  switch (feedback.Ask(question, Buttons::YesNoCancel, MessageIcon::Exclamation, Answer::Yes)) {
    case Answer::Yes:
      return WriteMode::Append;
    case Answer::No:
      // Replacing the file drops the rows written before; that needs the user's own Yes.
      return AreYouSure(feedback) ? WriteMode::Overwrite : WriteMode::Skip;
    default:
      return WriteMode::Skip;
  }
}

// Writes one result file: found whatever the case of its name, backed up, then appended to or
// replaced as the mode says; textFor builds the text for the mode chosen. Returns that mode.
template <typename TextFor>
WriteMode WriteResultFile(Session& session, ResultFileMemo& memo, const char* name,
                          Feedback& feedback, bool quiet, const char* question, TextFor textFor) {
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

// A result file made anew belongs to its folder: it takes the rows of the files that live there
// (the table of a run may hold files of other folders) and the loaded file's own row, wherever
// that file was saved to. A row that names no file (the table does not know where it came from)
// is kept.
bool RowBelongsToFolder(const Session& session, int row, const std::string& folder) {
  if (row == session.Results.ResultRow && !session.Record.CurrentFilePath.empty()) return true;
  const std::string& key = session.Results.Cell(row, kResultFileKey);
  return key.empty() || SameFolder(FolderOf(key), folder);
}

std::string NewFLResText(const Session& session) {
  const ResultTable& table = session.Results;
  std::string text = FLResHeading(table);
  for (int r = 1; r <= table.ResultRowCount; ++r)
    if (RowBelongsToFolder(session, r, session.Options.DataFolder))
      text += FLResDataLine(session, r);
  return text;
}

// The empty DF fields of a row would pass unnoticed in a long batch: the peaks beyond the loaded
// curve are named ("I4 lies beyond the 6000 points of r.dat").
void ReportPeaksBeyondCurve(const Session& session, Feedback& feedback) {
  const Measurement& record = session.Record;
  if (record.CurrentFilePath.empty()) return;
  std::vector<std::string> names;
  for (int k = 1; k <= kWaveCount; ++k) {
    const DFPeakPair& wave = record.DFPoints[k];
    if (wave.I != 0 && DFPointBeyondCurve(record, wave.I)) names.push_back("I" + std::to_string(k));
    if (wave.D != 0 && DFPointBeyondCurve(record, wave.D)) names.push_back("D" + std::to_string(k));
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
  for (int c = 0; c < kResultFieldCount; ++c) text += table.Cell(0, c) + TabText;
  return text + NewLineText;
}

std::string FLResDataLine(const Session& session, int row) {
  std::string text;
  for (int c = 0; c < kResultColumnCount; ++c)
    text += FormatCell(session.Results.Cell(row, c), kCellDecimals) + TabText;
  // The DF fields were kept with the row when it was computed, so each row keeps its own file's.
  for (int c = kResultColumnCount; c < kResultFieldCount; ++c)
    text += session.Results.Cell(row, c) + TabText;
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

bool WriteFLRes(Session& session, Feedback& feedback, bool quiet) {
  const ResultTable& table = session.Results;
  return RunWriter(feedback, [&] {
    const WriteMode mode = WriteResultFile(session, session.ResultFiles.FL, kFLResName, feedback,
                                           quiet, kFLResQuestion, [&](WriteMode chosen) {
                                             if (chosen == WriteMode::Overwrite)
                                               return NewFLResText(session);
                                             if (quiet)
                                               return FLResDataLine(session, table.ResultRow);
                                             return FLResRows(session, 1, table.ResultRowCount);
                                           });
    if (mode != WriteMode::Skip) ReportPeaksBeyondCurve(session, feedback);
  });
}

bool WriteDFRes(Session& session, Feedback& feedback, bool quiet) {
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
  // The last row is that of the latest file and stays; so does the loaded file's row, which the
  // next recomputation would otherwise write over another file's row.
  if (lastRow >= count || firstRow < 1 || lastRow < firstRow) return false;
  if (table.ResultRow >= firstRow && table.ResultRow <= lastRow) return false;
  const int n = lastRow - firstRow + 1;
  table.Cell(count, 0);  // rows counted but never filled exist from here on
  for (int r = lastRow + 1; r <= count; ++r) table.Rows[r - n] = table.Rows[r];
  // Vacated rows are emptied: a later file that takes one of them must not inherit the cells
  // that its own computation skips.
  for (int r = count - n + 1; r <= count; ++r) table.Rows[r].fill(std::string());
  table.ResultRowCount = static_cast<int16_t>(count - n);
  table.KeyRowsCount = -1;
  // The loaded file's row follows its file when rows before it go.
  if (table.ResultRow > lastRow) table.ResultRow = static_cast<int16_t>(table.ResultRow - n);
  return true;
}

void ClearResultTable(Session& session) {
  ResultTable& table = session.Results;
  table.Rows.assign(1, ResultRowCells{});
  table.KeyRowsCount = -1;
  FillResultColumnNames(table);
  // With nothing loaded no row is left: a row for the last file's name would hold no values.
  const bool loaded = !session.Record.CurrentFilePath.empty();
  table.ResultRowCount = table.ResultRow = loaded ? 1 : 0;
  FillPFResultRow(session);
}

}  // namespace tolmek
