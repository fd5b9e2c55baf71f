// The console batch `tolmek-batch`: its command line and the run it starts.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/DrawingSurface.h"
#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

enum class BatchMode { Help, Version, Process, Average, Split, Compare, Radar };

struct BatchArguments {
  BatchMode Mode = BatchMode::Process;
  std::optional<std::string> SettingsFile;
  std::optional<DisplayGains> Gains;  // the answer to a recording's gain question
  std::vector<std::string> Files;
  std::string AverageFolder;
  bool Results = false;  // --average: average FL.RES
  bool Curves = false;   // --average: average the ASCII curves
  bool Plot = false;     // --plot: a picture of each measurement's chart
  bool PlotLinear = false;
  int PlotWidth = 1200;
  int PlotHeight = 700;
  std::string PlotFormat = "png";  // --plot-format: the extension of the pictures
  bool Jip = false;                // --jip: also write the JIP-test of every file to jip.res
  // --compare OUT / --radar OUT: the figure, its format chosen by the extension.
  std::string FigurePath;
  std::optional<std::string> Normalize;  // --normalize: the quantity's key (op when not given)
  std::optional<std::string> Reference;
  bool Difference = false;
  bool Groups = false;
  std::optional<std::string> TablePath;  // --table: the figure's numbers
};

// Exit statuses of the command.
constexpr int kExitAllProcessed = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

extern const char* const kBatchUsage;
// "tolmek-batch " and the program's version, as --version prints it.
extern const char* const kBatchVersion;

// Reads the arguments (without the program name). False with the reason in error on a usage error.
bool ParseBatchArguments(const std::vector<std::string>& arguments, BatchArguments& parsed,
                         std::string& error);

// Where the command runs: the program's folder (for tolmek.ini) and its output streams.
struct BatchEnvironment {
  std::string ProgramFolder;
  std::FILE* Out = stdout;
  std::FILE* Err = stderr;
  bool ProgressOnTerminal = false;
  // Paints the chart of the loaded measurement into a file of width x height pixels, PNG, SVG or
  // PDF as the extension chooses; empty when the program was built without pictures.
  std::function<bool(Session&, const std::string& path, int width, int height)> PaintPicture;
  // Draws onto a white surface of width x height pixels into a file whose extension (.png, .svg,
  // .pdf) chooses the format; empty when the program was built without pictures.
  using FigureDrawing = std::function<void(DrawingSurface&)>;
  std::function<bool(const std::string& path, int width, int height, const FigureDrawing& draw)>
      WriteFigure = nullptr;
};

// Parses the arguments and runs the command; returns the exit status.
int RunBatchCommand(const std::vector<std::string>& arguments, const BatchEnvironment& environment);

// The folder of the running executable (argv0's folder when the system cannot tell).
std::string ExecutableFolder(const char* argv0);

}  // namespace tolmek
