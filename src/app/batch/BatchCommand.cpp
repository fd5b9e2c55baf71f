#include "app/batch/BatchCommand.h"

#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>

#include "analysis/Amplification.h"
#include "analysis/Averaging.h"
#include "analysis/PFResults.h"
#include "app/Batch.h"
#include "app/Settings.h"
#include "chart/FigureSize.h"
#include "compare/CompareCurves.h"
#include "compare/CompareDrawing.h"
#include "compare/CompareRadar.h"
#include "compare/CompareTable.h"
#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "data/OjipTextFile.h"
#include "ui/ConsoleFeedback.h"

namespace tolmek {

const char* const kBatchUsage =
    "Usage: tolmek-batch [--settings FILE] [--gains PF,DF] [--jip]\n"
    "                    [--plot [--linear] [--plot-size WxH] [--plot-format F]] FILE...\n"
    "       tolmek-batch --compare OUT [--normalize KEY] [--reference FILE [--difference]]\n"
    "                    [--groups] [--linear] [--plot-size WxH] [--table TABLE] FILE...\n"
    "       tolmek-batch --radar OUT --reference FILE [--groups] [--plot-size WxH]\n"
    "                    [--table TABLE] FILE...\n"
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
    "  --linear          with --plot or --compare: a linear time axis (for --plot over the\n"
    "                    whole measurement)\n"
    "  --plot-size WxH   with --plot, --compare or --radar: the figure's size in pixels, or in\n"
    "                    millimetres as WxHmm (default 1200x700; SVG and PDF figures take\n"
    "                    96 pixels to the inch)\n"
    "  --plot-format F   with --plot: png (the default), svg or pdf, the pictures' format\n"
    "                    and extension\n"
    "  --jip             also appends the JIP-test of each file to jip.res\n"
    "  --compare OUT     draws the curves of all files on one chart, the JIP-test's steps\n"
    "                    marked, into OUT: a .png, .svg or .pdf file\n"
    "  --normalize KEY   with --compare: the quantity, none (F), fo (F/Fo), op (V_OP, the\n"
    "                    default), ok (W_OK), oj (W_OJ), ji (W_JI), ip (W_IP), df (DF) or\n"
    "                    dfmax (DF/DFmax)\n"
    "  --reference FILE  the control, taken into the files when it is not among them\n"
    "  --difference      with --compare: each curve as its difference from the reference's\n"
    "  --groups          with --compare or --radar: one curve or row per group of replicates\n"
    "                    (named like the averaging's), the mean with its standard error\n"
    "  --radar OUT       draws the JIP-test parameters of each file divided by the\n"
    "                    reference's as a radar into OUT: a .png, .svg or .pdf file\n"
    "  --table TABLE     with --compare or --radar: also writes the figure's numbers to\n"
    "                    TABLE, TAB-separated\n"
    "  --average FOLDER  averages the replicates of a folder: --curves the .asc files into\n"
    "                    \"!.avg\" files, --results fl.res into Fl_avg.res and Fl_err.res\n"
    "                    (both when neither is given); also jip.res into Jip_avg.res and\n"
    "                    Jip_err.res when it is there\n"
    "  --split FILE...   writes each measurement of an OJIP text export as its own ASCII\n"
    "                    measurement beside it, <name>-<index>.asc\n"
    "\n"
    "Exit status: 0 when every file was processed, 1 when any failed, 2 on a usage error.\n"
    "--compare and --radar draw what they can and exit with 1 when a file, a curve or a value\n"
    "was left out; standard error names each and why.\n";

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

bool ParsePlotSize(const std::string& text, BatchArguments& parsed) {
  const std::optional<FigureSize> size = ParseFigureSize(text);
  if (!size) return false;
  parsed.PlotWidth = size->Width;
  parsed.PlotHeight = size->Height;
  return true;
}

bool IsFigureMode(BatchMode mode) {
  return mode == BatchMode::Compare || mode == BatchMode::Radar;
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsFigureFormat(const std::string& format) {
  return format == "png" || format == "svg" || format == "pdf";
}

// The extension of a figure's file in lower case, without its dot.
std::string FigureFormatOf(const std::string& path) {
  const std::string extension = LowerCase(fs::path(path).extension().string());
  return extension.empty() ? extension : extension.substr(1);
}

std::string QuantityKeys() {
  std::string keys;
  for (const Quantity quantity : kQuantities)
    keys += std::string(keys.empty() ? "" : ", ") + QuantityKey(quantity);
  return keys;
}

// Keeps the value of one of the figures' options; false with the reason when it is wrong.
bool StoreFigureOption(const std::string& option, const std::string& value, BatchArguments& parsed,
                       std::string& error) {
  if (option == "--compare" || option == "--radar") {
    if (IsFigureMode(parsed.Mode)) {
      error = "--compare and --radar draw one figure each: give one of them";
    } else if (!IsFigureFormat(FigureFormatOf(value))) {
      error = option + " needs a file ending in .png, .svg or .pdf";
    }
    parsed.Mode = option == "--compare" ? BatchMode::Compare : BatchMode::Radar;
    parsed.FigurePath = value;
  } else if (option == "--normalize") {
    if (!ParseQuantity(value)) error = "--normalize needs one of " + QuantityKeys();
    parsed.Normalize = value;
  } else if (option == "--plot-format") {
    if (!IsFigureFormat(value)) error = "--plot-format needs png, svg or pdf";
    parsed.PlotFormat = value;
  } else if (option == "--reference") {
    parsed.Reference = value;
  } else {
    parsed.TablePath = value;
  }
  return error.empty();
}

// The options of --compare, --radar and --plot-format that take a value; matched tells whether the
// argument is one of them.
bool ParseFigureOption(const std::vector<std::string>& arguments, size_t& i, BatchArguments& parsed,
                       bool& matched, std::string& error) {
  static const std::vector<std::pair<std::string, std::string>> kValued = {
      {"--compare", "a file"},   {"--radar", "a file"}, {"--normalize", "a key"},
      {"--reference", "a file"}, {"--table", "a file"}, {"--plot-format", "png, svg or pdf"}};
  for (const auto& [option, needs] : kValued) {
    std::string value;
    if (!OptionValue(arguments, i, option, value, matched)) {
      error = option + " needs " + needs;
      return false;
    }
    if (matched) return StoreFigureOption(option, value, parsed, error);
  }
  return true;
}

void CheckFigureCombination(const BatchArguments& parsed, std::string& error) {
  const std::string option = parsed.Mode == BatchMode::Compare ? "--compare" : "--radar";
  if (parsed.Files.empty()) error = option + " needs files";
  if (parsed.SettingsFile || parsed.Jip || parsed.Plot || parsed.Results || parsed.Curves)
    error = option + " takes none of --settings, --jip, --plot, --results and --curves";
  if (parsed.Mode == BatchMode::Radar) {
    if (parsed.Normalize || parsed.Difference || parsed.PlotLinear)
      error = "--normalize, --difference and --linear apply to --compare, not to --radar";
    if (!parsed.Reference) error = "--radar needs --reference";
  }
  if (parsed.Difference && !parsed.Reference) error = "--difference needs --reference";
}

bool CheckCombination(const BatchArguments& parsed, std::string& error) {
  const bool figure = IsFigureMode(parsed.Mode);
  if (figure) {
    CheckFigureCombination(parsed, error);
  } else if (parsed.Mode == BatchMode::Split) {
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
  if (!figure && (parsed.Normalize || parsed.Reference || parsed.Difference || parsed.Groups ||
                  parsed.TablePath))
    error =
        "--normalize, --reference, --difference, --groups and --table need --compare or --radar";
  if (!parsed.Plot && !figure &&
      (parsed.PlotLinear || parsed.PlotWidth != BatchArguments{}.PlotWidth ||
       parsed.PlotHeight != BatchArguments{}.PlotHeight))
    error = "--linear and --plot-size need --plot";
  if (!parsed.Plot && parsed.PlotFormat != BatchArguments{}.PlotFormat)
    error = "--plot-format needs --plot";
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
    session.View.UniversalY = false;
    session.View.LogTime = !parsed.PlotLinear;
    session.View.AutoRange = true;
    const std::string picture = DropLast(path, 3) + parsed.PlotFormat;
    const bool painted =
        environment.PaintPicture(session, picture, parsed.PlotWidth, parsed.PlotHeight);
    session.View = kept;
    if (!painted)
      console.ShowMessage("The picture " + picture + " could not be written", MessageIcon::Critical,
                          "");
    return painted;
  };
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code ec;
  return first == second || fs::equivalent(first, second, ec);
}

// The files of a figure, the reference taken in first when it is not among them, and its index.
std::vector<std::string> FigureFiles(const BatchArguments& parsed,
                                     std::optional<size_t>& reference) {
  std::vector<std::string> paths = parsed.Files;
  if (!parsed.Reference) return paths;
  for (size_t p = 0; p < paths.size(); ++p) {
    if (SameFile(paths[p], *parsed.Reference)) {
      reference = p;
      return paths;
    }
  }
  paths.insert(paths.begin(), *parsed.Reference);
  reference = 0;
  return paths;
}

// What --compare or --radar draws and tables, and what it leaves out.
struct Figure {
  BatchEnvironment::FigureDrawing Draw;
  std::string Table;
  bool Empty = true;
  std::vector<CompareExclusion> Excluded;
};

Figure CompareFigure(const BatchArguments& parsed, const std::vector<CompareItem>& items,
                     std::optional<size_t> reference) {
  const Quantity quantity = *ParseQuantity(parsed.Normalize.value_or("op"));
  const CurveSet set =
      BuildCompareCurves(items, {quantity, reference, parsed.Difference, parsed.Groups});
  CompareChartOptions options;
  options.Logarithmic = !parsed.PlotLinear;
  options.ValueTitle = std::string(parsed.Difference ? "\u0394" : "") + QuantityName(quantity);
  // The PF curves' steps, of the reference or else the first measurement.
  const bool pf = quantity != Quantity::DF && quantity != Quantity::DFMax;
  if (pf && !items.empty()) options.Steps = StepMarks(items[reference.value_or(0)]);
  Figure figure;
  figure.Draw = [curves = set.Curves, options](DrawingSurface& surface) {
    DrawCompareChart(surface, curves, options);
  };
  figure.Table = CompareTableText(set, CompareColumnName(set, quantity, parsed.Difference));
  figure.Empty = set.Curves.empty();
  figure.Excluded = set.Excluded;
  return figure;
}

Figure RadarFigure(const BatchArguments& parsed, const std::vector<CompareItem>& items,
                   size_t reference) {
  RadarTable radar = ComputeRadar(items, reference, DefaultRadarParameters(), parsed.Groups);
  Figure figure;
  figure.Table = RadarTableText(radar);
  figure.Empty = radar.Rows.empty();
  figure.Excluded = std::move(radar.Excluded);
  figure.Draw = [radar = std::move(radar)](DrawingSurface& surface) { DrawRadar(surface, radar); };
  return figure;
}

// --compare and --radar: every file read as the program loads it, the figure drawn with what can
// be shown; every file, curve and value left out is named.
int RunFigure(const BatchArguments& parsed, const BatchEnvironment& environment) {
  std::optional<size_t> referencePath;
  const std::vector<std::string> paths = FigureFiles(parsed, referencePath);
  const LoadedItems loaded = LoadCompareItems(paths, parsed.Gains);
  for (const CompareItem& item : loaded.Items)
    for (const std::string& note : item.Notes)
      std::fprintf(environment.Err, "%s: %s\n", item.Label.c_str(), note.c_str());
  std::optional<size_t> reference;
  for (size_t i = 0; i < loaded.Items.size(); ++i)
    if (referencePath && loaded.Sources[i] == *referencePath) reference = i;

  Figure figure;
  if (parsed.Mode == BatchMode::Compare) {
    figure = CompareFigure(parsed, loaded.Items, reference);
  } else if (reference) {
    figure = RadarFigure(parsed, loaded.Items, *reference);
  }
  std::vector<CompareExclusion> excluded = loaded.Excluded;
  excluded.insert(excluded.end(), figure.Excluded.begin(), figure.Excluded.end());
  const std::string& out = parsed.FigurePath;
  if (!excluded.empty())
    std::fprintf(environment.Err, "tolmek-batch: left out of %s:\n%s", out.c_str(),
                 ExclusionsText(excluded).c_str());
  if (figure.Empty) {
    std::fprintf(environment.Err, "tolmek-batch: nothing to draw into %s\n", out.c_str());
    return kExitSomeFailed;
  }
  if (!environment.WriteFigure(out, parsed.PlotWidth, parsed.PlotHeight, figure.Draw)) {
    std::fprintf(environment.Err, "tolmek-batch: the figure %s could not be written\n",
                 out.c_str());
    return kExitSomeFailed;
  }
  if (parsed.TablePath) WriteFileReplacing(*parsed.TablePath, figure.Table);
  return excluded.empty() ? kExitAllProcessed : kExitSomeFailed;
}

int RunParsed(const BatchArguments& parsed, const BatchEnvironment& environment) {
  if (IsFigureMode(parsed.Mode)) return RunFigure(parsed, environment);
  Session session;
  session.Shell.ProgramFolder = ChooseSettingsFolder(environment.ProgramFolder);
  ConsoleFeedback console(environment.Err, environment.ProgressOnTerminal);
  if (!LoadBatchSettings(session, console, parsed)) return kExitSomeFailed;
  if (parsed.Mode == BatchMode::Average) return RunAverage(session, console, parsed);
  if (parsed.Mode == BatchMode::Split) return RunSplit(console, parsed);
  FillResultColumnNames(session.Results);
  if (parsed.Jip) {
    session.Options.JipTest = true;
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
    if (!ParseFigureOption(arguments, i, parsed, matched, error)) return false;
    if (matched) continue;
    if (!OptionValue(arguments, i, "--average", value, matched)) {
      error = "--average needs a folder";
      return false;
    }
    if (matched) {
      parsed.Mode = BatchMode::Average;
      parsed.AverageFolder = value;
    } else if (argument == "--split") {
      parsed.Mode = BatchMode::Split;
    } else if (argument == "--difference") {
      parsed.Difference = true;
    } else if (argument == "--groups") {
      parsed.Groups = true;
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
        error =
            "--plot-size needs WxH in pixels or WxHmm in millimetres, each from 50 to 20000 pixels";
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
  if (IsFigureMode(parsed.Mode) && !environment.WriteFigure) {
    std::fprintf(environment.Err,
                 "tolmek-batch: %s is not available: this build has no figures (Qt)\n",
                 parsed.Mode == BatchMode::Compare ? "--compare" : "--radar");
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
