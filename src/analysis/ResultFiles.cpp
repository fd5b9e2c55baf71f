#include "ResultFiles.h"
#include "data/ReaderExit.h"

#include <algorithm>
#include <array>

#include "PFResults.h"
#include "data/Errors.h"
#include "data/FileChoice.h"
#include "data/FileIO.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr int kCellDecimals = 2;  // the pattern "0.00" of the FL.RES cells
constexpr size_t kExtensionLength = 4;
constexpr const char* kDFCellGap = "  ";

constexpr const char* kFLResQuestion = "File FL.RES already exists. Append data at end of file?";
constexpr const char* kDFResQuestion = "File DF.RES already exists. Append data at end of file?";

enum class WriteMode { Append, Overwrite, Skip };

// A result file that is missing is created as if the user had chosen to overwrite it; any other
// failure to look at it is an error that stops the write.
bool ResultFileExists(const std::string& path) {
  try {
    CheckReadable(path);
    return true;
  } catch (const ErrorText& error) {
    if (error.what() == std::string(errors::kFileNotFound)) return false;
    throw;
  }
}

WriteMode ChooseWriteMode(const std::string& path, Feedback& feedback, int16_t quiet,
                          const char* question) {
  if (!ResultFileExists(path)) return WriteMode::Overwrite;
  if (quiet == 1) return WriteMode::Append;
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

void Store(const std::string& path, WriteMode mode, const std::string& text) {
  BackupFile(path);
  if (mode == WriteMode::Append) {
    AppendToFile(path, text);
  } else {
    WriteFileReplacing(path, text);
  }
}

std::string FLResRows(const Session& session, int firstRow, int lastRow) {
  std::string text;
  for (int r = firstRow; r <= lastRow; ++r) text += FLResDataLine(session, r);
  return text;
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

bool WriteFLRes(Session& session, Feedback& feedback, int16_t quiet) {
  const std::string path = JoinPath(session.Options.DataFolder, kFLResName);
  const ResultTable& table = session.Results;
  return RunWriter(feedback, [&] {
    const WriteMode mode = ChooseWriteMode(path, feedback, quiet, kFLResQuestion);
    if (mode == WriteMode::Skip) return;
    std::string text;
    if (mode == WriteMode::Overwrite) {
      text = FLResHeading(table) + FLResRows(session, 1, table.ResultRowCount);
    } else if (quiet == 1) {
      text = FLResDataLine(session, table.ResultRow);
    } else {
      text = FLResRows(session, 1, table.ResultRowCount);
    }
    Store(path, mode, text);
  });
}

bool WriteDFRes(Session& session, Feedback& feedback, int16_t quiet) {
  const std::string path = JoinPath(session.Options.DataFolder, kDFResName);
  return RunWriter(feedback, [&] {
    const WriteMode mode = ChooseWriteMode(path, feedback, quiet, kDFResQuestion);
    if (mode != WriteMode::Skip) Store(path, mode, DFResBlock(session));
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
  // The loaded file's row follows its file when rows before it go.
  if (table.ResultRow > lastRow) table.ResultRow = static_cast<int16_t>(table.ResultRow - n);
  return true;
}

void ClearResultTable(Session& session) {
  ResultTable& table = session.Results;
  table.Rows.assign(1, ResultRowCells{});
  FillResultColumnNames(table);
  // With nothing loaded no row is left: a row for the last file's name would hold no values.
  const bool loaded = !session.Record.CurrentFilePath.empty();
  table.ResultRowCount = table.ResultRow = loaded ? 1 : 0;
  FillPFResultRow(session);
}

}  // namespace tolmek
