#include "BatchCommand.h"

#include <cmath>
#include <exception>
#include <filesystem>

#include "Batch.h"
#include "Settings.h"
#include "analysis/Amplification.h"
#include "analysis/Averaging.h"
#include "analysis/PFResults.h"
#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "data/OjipTextFile.h"
#include "ui/ConsoleFeedback.h"

namespace tolmek {

const char* const kBatchUsage =
    "Usage: tolmek-batch [--settings FILE] [--gains PF,DF] [--jip]\n"
    "                    [--plot [--linear] [--plot-size WxH]] FILE...\n"
    "       tolmek-batch --average FOLDER [--results] [--curves]\n"
    "       tolmek-batch --split FILE...\n"
    "       tolmek-batch --help | --version\n"
    "\n"
    "Reads each measurement file and writes its outputs beside it: the .tmk file, a row of\n"
    "fl.res, a block of df.res and the .asc export.\n"
    "  --settings FILE   settings to use instead of tolmek.ini (the one beside the program,\n"
    "                    else the one in $XDG_CONFIG_HOME/tolmek or ~/.config/tolmek)\n"
    "  --gains PF,DF     gains for recordings whose header gains are out of range\n"
    "  --plot            also paints each measurement's chart into a PNG file named like the\n"
    "                    outputs (leaf01.asc gives leaf01.png): both curves, independent y\n"
    "                    scales, logarithmic time axis, set points marked; needs no display\n"
    "  --linear          with --plot: the linear time axis over the whole measurement\n"
    "  --plot-size WxH   with --plot: the picture's size in pixels (default 1200x700)\n"
    "  --jip             also appends the JIP-test of each file to jip.res\n"
    "  --average FOLDER  averages the replicates of a folder: --curves the .asc files into\n"
    "                    \"!.avg\" files, --results fl.res into Fl_avg.res and Fl_err.res\n"
    "                    (both when neither is given); also jip.res into Jip_avg.res and\n"
    "                    Jip_err.res when it is there\n"
    "  --split FILE...   writes each measurement of an OJIP text export as its own ASCII\n"
    "                    measurement beside it, <name>-<index>.asc\n"
    "\n"
    "Exit status: 0 when every file was processed, 1 when any failed, 2 on a usage error.\n";

// TOLMEK_VERSION is the project's version, given by the build.
const char* const kBatchVersion = "tolmek-batch " TOLMEK_VERSION "\n";

namespace {

namespace fs = std::filesystem;

// The two numbers of "A,B" (or of "AxB" with the separators "xX").
bool ParseNumberPair(const std::string& text, const char* separators, double& first,
                     double& second) {
  const size_t at = text.find_first_of(separators);
  if (at == std::string::npos) return false;
  const auto a = ParseNumber(std::string_view(text).substr(0, at));
  const auto b = ParseNumber(std::string_view(text).substr(at + 1));
  if (!a || !b) return false;
  first = *a;
  second = *b;
  return true;
}

bool ParseGains(const std::string& text, DisplayGains& gains) {
  return ParseNumberPair(text, ",", gains.PF, gains.DF) && GainsInRange(gains);
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool OptionValue(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
                 std::string& value, bool& matched) {
  const std::string& argument = arguments[i];
  matched = argument == name || argument.rfind(name + "=", 0) == 0;
  if (!matched) return true;
  if (argument.size() > name.size()) {
    value = argument.substr(name.size() + 1);
  } else if (i + 1 < arguments.size()) {
    value = arguments[++i];
  } else {
    return false;
  }
  return !value.empty();
}

constexpr int kMinPlotSide = 50;
constexpr int kMaxPlotSide = 20000;

bool ParsePlotSize(const std::string& text, BatchArguments& parsed) {
  double width = 0;
  double height = 0;
  auto fits = [](double side) {
    return side >= kMinPlotSide && side <= kMaxPlotSide && side == std::floor(side);
  };
  if (!ParseNumberPair(text, "xX", width, height) || !fits(width) || !fits(height)) return false;
  parsed.PlotWidth = static_cast<int>(width);
  parsed.PlotHeight = static_cast<int>(height);
  return true;
}

bool CheckCombination(const BatchArguments& parsed, std::string& error) {
  if (parsed.Mode == BatchMode::Split) {
    if (parsed.Files.empty()) error = "--split needs files";
    if (parsed.Gains || parsed.Jip || parsed.Plot || parsed.Results || parsed.Curves ||
        !parsed.AverageFolder.empty())
      error = "--split takes files only";
  } else if (parsed.Mode == BatchMode::Average) {
    if (!parsed.Files.empty()) error = "--average takes a folder, not files";
    if (parsed.Gains) error = "--gains does not apply to --average";
    if (parsed.Plot) error = "--plot does not apply to --average";
    if (parsed.Jip) error = "--jip does not apply to --average";
  } else {
    if (parsed.Results || parsed.Curves) error = "--results and --curves need --average";
    if (parsed.Files.empty()) error = "no files given";
  }
  if (!parsed.Plot && (parsed.PlotLinear || parsed.PlotWidth != BatchArguments{}.PlotWidth ||
                       parsed.PlotHeight != BatchArguments{}.PlotHeight))
    error = "--linear and --plot-size need --plot";
  return error.empty();
}

int RunAverage(Session& session, ConsoleFeedback& console, const BatchArguments& parsed) {
  const std::string& folder = parsed.AverageFolder;
  console.SetContext(folder);
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    console.ShowMessage(errors::kPathNotFound, MessageIcon::Critical, "");
    return kExitSomeFailed;
  }
  const bool both = !parsed.Results && !parsed.Curves;
  const bool averaged =
      AverageFolder(session, console, folder, both || parsed.Results, both || parsed.Curves);
  return averaged ? kExitAllProcessed : kExitSomeFailed;
}

int RunSplit(ConsoleFeedback& console, const BatchArguments& parsed) {
  int failed = 0;
  for (const std::string& path : parsed.Files) {
    console.SetContext(FileNameOf(path));
    if (!SplitOjipExport(console, path)) ++failed;
  }
  return failed > 0 ? kExitSomeFailed : kExitAllProcessed;
}

// The settings named on the command line, else the window program's tolmek.ini when there is one
// (beside the program, else in the user's configuration folder); the batch never creates a
// settings file. False when a named file cannot be used.
bool LoadBatchSettings(Session& session, ConsoleFeedback& console, const BatchArguments& parsed) {
  SetStartValues(session);
  std::string path = SettingsPath(session);
  if (parsed.SettingsFile) {
    path = *parsed.SettingsFile;
    if (!FileExists(path)) {
      console.SetContext(path);
      console.ShowMessage(errors::kFileNotFound, MessageIcon::Critical, "");
      return false;
    }
  } else if (!FileExists(path)) {
    return true;
  }
  const int problemsBefore = console.ProblemCount();
  ReadSettings(session, console, path);
  return console.ProblemCount() == problemsBefore;
}

// The chart as the window shows a freshly loaded measurement, painted beside its outputs.
BatchOutputHook PicturePainter(const BatchArguments& parsed, const BatchEnvironment& environment,
                               ConsoleFeedback& console) {
  if (!parsed.Plot) return {};
  return [&parsed, &environment, &console](Session& session, const std::string& path) {
    if (session.Record.CurrentFilePath.empty()) {
      // A temperature curve is exported to ASCII, not loaded, so there is no chart to paint.
      console.ShowMessage("--plot draws no picture of a temperature curve",
                          MessageIcon::Information, "");
      return true;
    }
    const ViewState kept = session.View;
    session.View.ViewMode = ViewMode::Both;
    session.View.UniversalY = 0;
    session.View.LogTime = parsed.PlotLinear ? 0 : 1;
    session.View.AutoRange = 1;
    const std::string picture = DropLast(path, 3) + "png";
    const bool painted =
        environment.PaintPicture(session, picture, parsed.PlotWidth, parsed.PlotHeight);
    session.View = kept;
    if (!painted)
      console.ShowMessage("The picture " + picture + " could not be written", MessageIcon::Critical,
                          "");
    return painted;
  };
}

int RunParsed(const BatchArguments& parsed, const BatchEnvironment& environment) {
  Session session;
  session.Shell.ProgramFolder = ChooseSettingsFolder(environment.ProgramFolder);
  ConsoleFeedback console(environment.Err, environment.ProgressOnTerminal);
  if (!LoadBatchSettings(session, console, parsed)) return kExitSomeFailed;
  if (parsed.Mode == BatchMode::Average) return RunAverage(session, console, parsed);
  if (parsed.Mode == BatchMode::Split) return RunSplit(console, parsed);
  FillResultColumnNames(session.Results);
  if (parsed.Jip) {
    session.Options.JipTest = 1;
    session.Shell.ReportJipGaps = true;
  }
  console.SetGains(parsed.Gains);
  const BatchSummary summary = RunBatch(
      session, console, parsed.Files,
      [&console](const std::string& fileName) { console.SetContext(fileName); },
      PicturePainter(parsed, environment, console));
  return summary.Failed > 0 || summary.Stopped ? kExitSomeFailed : kExitAllProcessed;
}

}  // namespace

bool ParseBatchArguments(const std::vector<std::string>& arguments, BatchArguments& parsed,
                         std::string& error) {
  parsed = BatchArguments{};
  bool onlyFiles = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
      parsed.Files.push_back(argument);
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      parsed.Mode = BatchMode::Help;
      return true;
    }
    if (argument == "--version") {
      parsed.Mode = BatchMode::Version;
      return true;
    }
    std::string value;
    bool matched = false;
    if (!OptionValue(arguments, i, "--settings", value, matched)) {
      error = "--settings needs a file";
      return false;
    }
    if (matched) {
      parsed.SettingsFile = value;
      continue;
    }
    if (!OptionValue(arguments, i, "--gains", value, matched)) {
      error = "--gains needs PF,DF";
      return false;
    }
    if (matched) {
      DisplayGains gains;
      if (!ParseGains(value, gains)) {
        error = "--gains needs two numbers PF,DF, each above 0 and at most 1500";
        return false;
      }
      parsed.Gains = gains;
      continue;
    }
    if (!OptionValue(arguments, i, "--average", value, matched)) {
      error = "--average needs a folder";
      return false;
    }
    if (matched) {
      parsed.Mode = BatchMode::Average;
      parsed.AverageFolder = value;
    } else if (argument == "--split") {
      parsed.Mode = BatchMode::Split;
    } else if (argument == "--jip") {
      parsed.Jip = true;
    } else if (argument == "--results") {
      parsed.Results = true;
    } else if (argument == "--curves") {
      parsed.Curves = true;
    } else if (argument == "--plot") {
      parsed.Plot = true;
    } else if (argument == "--linear") {
      parsed.PlotLinear = true;
    } else if (argument == "--plot-size" || argument.rfind("--plot-size=", 0) == 0) {
      if (!OptionValue(arguments, i, "--plot-size", value, matched) ||
          !ParsePlotSize(value, parsed)) {
        error = "--plot-size needs WxH, each from 50 to 20000 pixels";
        return false;
      }
    } else if (argument == "--") {
      onlyFiles = true;
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  return CheckCombination(parsed, error);
}

int RunBatchCommand(const std::vector<std::string>& arguments,
                    const BatchEnvironment& environment) {
  BatchArguments parsed;
  std::string error;
  if (!ParseBatchArguments(arguments, parsed, error)) {
    std::fprintf(environment.Err, "tolmek-batch: %s\n\n%s", error.c_str(), kBatchUsage);
    return kExitUsage;
  }
  if (parsed.Mode == BatchMode::Help || parsed.Mode == BatchMode::Version) {
    std::fputs(parsed.Mode == BatchMode::Help ? kBatchUsage : kBatchVersion, environment.Out);
    return kExitAllProcessed;
  }
  if (parsed.Plot && !environment.PaintPicture) {
    std::fprintf(environment.Err,
                 "tolmek-batch: --plot is not available: this build has no pictures (Qt)\n");
    return kExitUsage;
  }
  try {
    return RunParsed(parsed, environment);
  } catch (const std::exception& failure) {
    std::fprintf(environment.Err, "tolmek-batch: %s\n", failure.what());
    return kExitSomeFailed;
  }
}

std::string ExecutableFolder(const char* argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path().string();
  const fs::path given = fs::absolute(argv0 ? argv0 : "", ec);
  return ec ? std::string(".") : given.parent_path().string();
}

}  // namespace tolmek
