#include "BatchCommand.h"

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
    "Usage: tolmek-batch [--settings FILE] [--gains PF,DF] [--jip] FILE...\n"
    "       tolmek-batch --average FOLDER [--results] [--curves]\n"
    "       tolmek-batch --split FILE...\n"
    "       tolmek-batch --help\n"
    "\n"
    "Reads each measurement file and writes its outputs beside it: the .tmk file, a row of\n"
    "fl.res, a block of df.res and the .asc export.\n"
    "  --settings FILE   settings to use instead of tolmek.ini beside the program\n"
    "  --gains PF,DF     gains for recordings whose header gains are out of range\n"
    "  --jip             also appends the JIP-test of each file to jip.res\n"
    "  --average FOLDER  averages the replicates of a folder: --curves the .asc files into\n"
    "                    \"!.avg\" files, --results fl.res into Fl_avg.res and Fl_err.res\n"
    "                    (both when neither is given); also jip.res into Jip_avg.res and\n"
    "                    Jip_err.res when it is there\n"
    "  --split FILE...   writes each measurement of an OJIP text export as its own ASCII\n"
    "                    measurement beside it, <name>-<index>.asc\n"
    "\n"
    "Exit status: 0 when every file was processed, 1 when any failed, 2 on a usage error.\n";

namespace {

namespace fs = std::filesystem;

// The averaging dialog passes this many trailing name characters to ignore when grouping.
constexpr int kAveragingDropped = 1;

bool ParseGains(const std::string& text, DisplayGains& gains) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const auto pf = ParseNumber(std::string_view(text).substr(0, comma));
  const auto df = ParseNumber(std::string_view(text).substr(comma + 1));
  if (!pf || !df) return false;
  gains = {*pf, *df};
  return GainsInRange(gains);
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

bool CheckCombination(const BatchArguments& parsed, std::string& error) {
  if (parsed.Mode == BatchMode::Split) {
    if (parsed.Files.empty()) error = "--split needs files";
    if (parsed.Gains || parsed.Jip || parsed.Results || parsed.Curves ||
        !parsed.AverageFolder.empty())
      error = "--split takes files only";
  } else if (parsed.Mode == BatchMode::Average) {
    if (!parsed.Files.empty()) error = "--average takes a folder, not files";
    if (parsed.Gains) error = "--gains does not apply to --average";
    if (parsed.Jip) error = "--jip does not apply to --average";
  } else {
    if (parsed.Results || parsed.Curves) error = "--results and --curves need --average";
    if (parsed.Files.empty()) error = "no files given";
  }
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
  bool averaged = true;
  if (both || parsed.Curves) {
    // As in the dialog, curves are averaged only when the folder offers two files or more.
    const std::vector<std::string> candidates = ListAveragingCandidates(folder);
    if (candidates.size() >= 2)
      averaged = AverageAscFiles(session, console, folder, candidates, kAveragingDropped);
  }
  if (both || parsed.Results)
    averaged = AverageResults(console, folder, kAveragingDropped) && averaged;
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

// The settings named on the command line, else tolmek.ini beside the program when there is one;
// the batch never creates a settings file. False when a named file cannot be used.
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

int RunParsed(const BatchArguments& parsed, const BatchEnvironment& environment) {
  Session session;
  session.Shell.ProgramFolder = environment.ProgramFolder;
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
  const BatchSummary summary =
      RunBatch(session, console, parsed.Files,
               [&console](const std::string& fileName) { console.SetContext(fileName); });
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
  if (parsed.Mode == BatchMode::Help) {
    std::fputs(kBatchUsage, environment.Out);
    return kExitAllProcessed;
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
