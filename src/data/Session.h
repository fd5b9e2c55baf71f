// All program-wide state of Tolmek: one Session made of plain structs, one per subsystem.
// Procedures take the Session by reference, so every test builds a fresh one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "FileIO.h"

namespace tolmek {

// Point indices count from 1, as in every measurement file: point 1 is the first point of the
// curve, and 0 in a point slot means "not set". Slots and waves count from 1 as well.

// PF point slots (index into PFPoints).
enum PFSlot : int {
  kSlotFi = 1,
  kSlotFd = 2,
  kSlotFm = 3,
  kSlotFm1 = 4,
  kSlotFm2 = 5,
  kSlotFs = 6
};

// DF waves 1..6, each an induction maximum and a decay minimum.
constexpr int kWaveCount = 6;

// One DF wave: induction maximum I and decay minimum D, as point indices (0 = not set).
struct DFPeakPair {
  int16_t I = 0;
  int16_t D = 0;
  bool operator==(const DFPeakPair&) const = default;
};

constexpr int kHeaderCommentCount = 5;
constexpr int kFileTypeCount = 8;
constexpr std::array<const char*, kFileTypeCount> kFileTypeNames = {
    "Text file",         "Induction kinetics", "Ind. kin. in 2 intervals", "Decay kinetics",
    "Temperature curve", "PX3310pi format",    "Tolmek32 format",          "OJIP text export"};

// The one measurement in memory. Curve arrays hold points 1..PointCount; index 0 holds 0.
struct Measurement {
  std::vector<float> TimeValues;
  std::vector<float> PFValues;
  std::vector<float> DFValues;
  std::vector<float> PFSlope;
  std::vector<float> DFSlope;
  std::vector<float> DecayTimes;  // tail block of an instrument recording, from index 1
  std::vector<float> DecayValues;
  int32_t PointCount = 0;
  // Point indices 1..PointCount, 0 not set (see above).
  std::array<int16_t, 7> PFPoints{};     // slots 1..6 used
  std::array<DFPeakPair, 7> DFPoints{};  // waves 1..6 used; wave 0's D is the decay before wave 1
  // Kept DF peaks held back while a measurement without DF is loaded, for the next measurement.
  std::array<DFPeakPair, 7> HeldDFPoints{};
  int16_t FileTypeCode = 0;
  double PFAmplification = 0;   // internal units; shown times 6
  double DFAmplification = 0;   // internal units; shown times 120
  std::string CurrentFilePath;  // empty: nothing is loaded
  std::string CurrentFileName;
  bool DataLoaded = false;
  bool AutosaveDone = false;
  double TimeMax = 0;
  double PFMax = 0;
  double DFMax = 0;
  bool CancelRequested = false;
  std::array<std::string, kHeaderCommentCount> HeaderComments;
  std::string ExperimentText = "Unknown";
  // Bytes the last reader took from its file; kept when the read fails (ResetState leaves it).
  int64_t BytesRead = 0;
};

// The curves the chart shows.
enum class ViewMode : int16_t { Both = 0, PF = 1, DF = 2 };

struct ViewState {
  tolmek::ViewMode ViewMode = tolmek::ViewMode::Both;
  bool LogTime = true;      // logarithmic time axis
  bool UniversalY = false;  // one Y scale for PF and DF
  bool AutoRange = true;    // the whole time range, else RangeFrom..RangeTo
  double RangeFrom = 0;
  double RangeTo = 0;
  int32_t RangePoints = 0;
  double LogTimeFactor = 0;
};

// The chart frame of the last drawing: the cursor lines, the markers and the mouse read it until
// the next drawing computes it again.
struct ChartFrame {
  double XFrom = 0;
  double XTo = 0;
  int32_t EndIndex = 0;
  double YMax = 0;
  double PFFactor = 1;
  double DFFactor = 1;
  double XUnitsPerPixel = 0;
  double YUnitsPerPixel = 0;
  double MarginLeft = 0;
  double MarginRight = 0;
  double MarginTop = 0;
  double MarginBottom = 0;
  double LogSpan = 0;
  bool Valid = false;  // false: nothing but the cleared area and the frame can be drawn
};

// Enabled states of the chart's commands, set by the chart logic and read by the windows that
// show them (menu items and toolbar buttons).
struct ChartCommandState {
  bool FindEnabled = false;  // find max / min / inflex
  bool ZoomInEnabled = false;
  bool ZoomOutEnabled = false;
  bool operator==(const ChartCommandState&) const = default;
};

// One of the chart's three vertical lines: 1 the cursor, 2 and 3 the span markers.
struct CursorLine {
  double X = 0;  // world position
  bool Visible = false;
};

struct CursorState {
  int32_t CursorIndex = 0;            // 0 = no cursor
  int32_t SpanStart = 0;              // 0 = no first span marker
  int32_t SpanEnd = 0;                // 0 = no second span marker
  std::array<CursorLine, 4> Lines{};  // 1..3 used
  std::string Readout;                // the status bar's text for the cursor's point
};

// How the main window was shown; the settings file stores the number.
enum class WindowState : int16_t { Normal = 0, Minimised = 1, Maximised = 2 };

// Main window placement as stored in the settings file (units of 1/1440 inch).
struct WindowGeometry {
  float Top = 0;
  float Left = 0;
  float Width = 0;
  float Height = 0;
  WindowState State = WindowState::Normal;
};

// A peak of the DF pattern: the induction maximum I or the decay minimum D of a wave. The pattern
// stores each as its number, 1..6 for I1..I6 and 7..12 for D1..D6.
enum class DFPeakCode : int16_t { None = 0, I1, I2, I3, I4, I5, I6, D1, D2, D3, D4, D5, D6 };
static_assert(static_cast<int>(DFPeakCode::D1) == kWaveCount + 1 &&
              static_cast<int>(DFPeakCode::D6) == 2 * kWaveCount);

constexpr DFPeakCode InductionPeak(int wave) {
  return static_cast<DFPeakCode>(wave);
}
constexpr DFPeakCode DecayPeak(int wave) {
  return static_cast<DFPeakCode>(wave + kWaveCount);
}
// The peak a stored number names; None for a number that names no peak.
constexpr DFPeakCode PeakOfNumber(int number) {
  return number >= 1 && number <= 2 * kWaveCount ? static_cast<DFPeakCode>(number)
                                                 : DFPeakCode::None;
}
constexpr int16_t NumberOfPeak(DFPeakCode peak) {
  return static_cast<int16_t>(peak);
}
constexpr bool IsDecayPeak(DFPeakCode peak) {
  return peak >= DFPeakCode::D1;
}
// The wave 1..6 of a peak; 0 for None.
constexpr int WaveOfPeak(DFPeakCode peak) {
  return IsDecayPeak(peak) ? NumberOfPeak(peak) - kWaveCount : NumberOfPeak(peak);
}

// The point that setting a DF peak takes: the cursor's, or the extremum near it.
enum class DFSnap : int16_t { Off = 0, Max = 1, Min = 2, Flattest = 3 };

struct Settings {
  bool AutosaveEnabled = false;
  bool AutoRedraw = true;
  int16_t LineWidth = 2;
  std::string DataFolder = "C:";
  // [0] the number of peaks, [1..12] the peaks in the order they are proposed (NumberOfPeak).
  std::array<int16_t, 13> DFPattern{};
  bool AdjustI4 = false;
  bool StripFileName = false;
  bool JipTest = false;  // the JIP-test is shown and the autosave writes jip.res
  DFSnap SnapMode = DFSnap::Off;
  // The check marks of "&Keep DF peaks" and "Adjust &peak position", and whether the latter is
  // enabled (it is only while keep-peaks is checked).
  bool OptionsKeepPeaks = true;
  bool OptionsAdjust = false;
  bool OptionsAdjustEnabled = true;
  WindowGeometry Window;
};

constexpr int kResultColumnCount = 16;  // the columns of the results window
// An FL.RES line also holds the DF values I1, D1, ..., I6, D6 of the row's own measurement.
constexpr int kResultDFFieldCount = 12;
constexpr int kResultFieldCount = kResultColumnCount + kResultDFFieldCount;
// Behind the FL.RES fields each row keeps the full path of the file it belongs to, so a file
// finds its own row again even when the shown names of two files are the same.
constexpr int kResultFileKey = kResultFieldCount;
using ResultRowCells = std::array<std::string, kResultFieldCount + 1>;

// Row 0 holds the column names, rows 1..ResultRowCount one file each. Rows grow as needed.
struct ResultTable {
  std::vector<ResultRowCells> Rows = std::vector<ResultRowCells>(1);
  int16_t ResultRowCount = 0;
  int16_t ResultRow = 0;
  // The row of each file key, so that a long batch does not search every row for every file.
  // Built for KeyRowsCount rows; an edit that moves or removes rows sets KeyRowsCount to -1, and
  // any change of the row count makes the next lookup rebuild it.
  std::unordered_map<std::string, int> KeyRows;
  int KeyRowsCount = -1;

  // Cell access that grows the table to reach row r.
  std::string& Cell(int r, int c) {
    if (r >= static_cast<int>(Rows.size())) Rows.resize(r + 1);
    return Rows[r][c];
  }
  const std::string& Cell(int r, int c) const {
    static const std::string empty;
    return r < static_cast<int>(Rows.size()) ? Rows[r][c] : empty;
  }
};

constexpr int kDFTableRows = 9;
constexpr int kDFTableColumns = 7;
constexpr const char* kUncomputedCell = "*********";

struct DFPeakTable {
  std::array<std::array<std::string, kDFTableColumns>, kDFTableRows> Cells = [] {
    std::array<std::array<std::string, kDFTableColumns>, kDFTableRows> cells;
    for (auto& row : cells)
      for (auto& cell : row) cell = kUncomputedCell;
    return cells;
  }();
};

// What tells cheaply whether a folder's list of files may have changed: adding, removing or
// renaming a file in it moves its modification time, and a folder replaced by another has
// another inode.
struct FolderStamp {
  std::string Folder;
  std::string Pattern;
  int64_t ModifiedNs = 0;
  uint64_t Inode = 0;
  uint64_t Device = 0;
  bool operator==(const FolderStamp&) const = default;
};

struct FolderWalk {
  std::vector<std::string> FileList;  // bare names
  int16_t FileIndex = 0;
  std::string Pattern;  // the pattern the list was built with ("*.dat")
  // The folder as FileList was read from it; empty: read it again at the next step.
  std::optional<FolderStamp> Listed;
};

struct ShellState {
  bool ChartReady = false;
  // Folder of the program, where tolmek.ini lives.
  std::string ProgramFolder = ".";
  // tolmek-batch names the JIP-test values it cannot compute; the window shows them instead.
  bool ReportJipGaps = false;
};

// What the program last left in a result file and in its backup. While both are as it left them,
// the backup is the result file without Tail, so the next backup only appends Tail instead of
// copying the whole file again.
struct ResultFileMemo {
  std::string Folder;  // the folder the memo is about
  std::string Path;    // the result file found there, in its own spelling
  FileState Result;
  FileState Backup;
  std::string Tail;
  bool BackupBehind = false;  // the backup plus Tail is the result file
};

struct ResultFileMemos {
  ResultFileMemo FL;
  ResultFileMemo DF;
  ResultFileMemo JIP;
};

constexpr const char* TabText = "\t";
constexpr const char* NewLineText = "\r\n";

struct Session {
  Measurement Record;
  ViewState View;
  ChartFrame Frame;
  ChartCommandState ChartCommands;
  CursorState Cursor;
  Settings Options;
  ResultTable Results;
  DFPeakTable DFTable;
  FolderWalk Folder;
  ShellState Shell;
  ResultFileMemos ResultFiles;
};

}  // namespace tolmek
