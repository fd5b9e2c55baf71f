#include "Averaging.h"
#include "data/ReaderExit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "JipResFile.h"
#include "ResultFiles.h"
#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "data/TextFields.h"
#include "ui/Progress.h"

namespace tolmek {

namespace {

constexpr const char* kAveragingResultsText = "Averaging FL.RES...";
constexpr const char* kSortingText = "Sorting files... Press Esc to cancel.";
constexpr const char* kAveragingCurvesText = "Averaging...";
constexpr const char* kJipAveragingText = "Averaging jip.res...";

// A result file and the two files its averages go to; jip.res has as many value columns as
// FL.RES and is averaged by the same rules.
struct AveragedFile {
  const char* Source;
  const char* Means;
  const char* StandardErrors;
};
constexpr AveragedFile kFLResAverage = {kFLResName, "Fl_avg.res", "Fl_err.res"};
constexpr AveragedFile kJipResAverage = {kJipResName, "Jip_avg.res", "Jip_err.res"};
constexpr const char* kAverageCurveEnding = "!.avg";
constexpr const char* kLineEnd = "\r\n";

constexpr size_t kResultNameLength = 8;
constexpr int kResultColumns = 27;  // 15 PF result columns and 12 DF columns
constexpr size_t kMaxResultRows = 1000;
constexpr size_t kAscExtensionLength = 4;
constexpr int kMaxCurveRows = 10001;    // lines a member may have: points 0..10000
constexpr int kMaxAverageRows = 10000;  // lines an average curve may have

using Groups = ReplicateGroups;

std::string FirstChars(std::string_view text, size_t n) {
  return std::string(text.substr(0, std::min(n, text.size())));
}

bool EndsWithNoCase(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && ToUpper(LastChars(text, ending.size())) == ending;
}

// ---- Results (FL.RES) ----

struct ResultRowValues {
  std::string Name;
  bool FullName = false;  // the name field holds a whole file name, extension and all
  std::array<std::optional<double>, kResultColumns> Values;  // empty field: no value
};

// FL.RES written without "strip file name" holds whole file names: longer than 8 characters, or
// ending in an extension. A stripped name has at most 8 characters and no extension.
bool IsFullFileName(std::string_view field) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field.size() > kResultNameLength ||
         (field.size() > kAscExtensionLength && field[field.size() - kAscExtensionLength] == '.');
}

bool IsFieldBlank(char c) {
  return c == ' ';
}

// Adds the numbers of one TAB field, which may hold several separated by blanks. An empty field
// is one column without a value. False when a piece is not a finite number.
bool AddResultField(std::string_view field, std::vector<std::optional<double>>& values) {
  const std::string text = Trim(field);
  if (text.empty()) {
    values.emplace_back();
    return true;
  }
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && !IsFieldBlank(text[end])) ++end;
    const auto number = ParseNumber(std::string_view(text).substr(start, end - start));
    if (!number || !std::isfinite(*number)) return false;
    values.emplace_back(number);
    start = end;
    while (start < text.size() && IsFieldBlank(text[start])) ++start;
  }
  return true;
}

// A data line: the name field, then the 27 numbers, separated by TABs or blanks. The name field
// ends at the first TAB, or at the first blank in a line without TABs; the name is its first 8
// characters. Nothing when the rest cannot be read as exactly 27 numbers or empty TAB fields.
std::optional<ResultRowValues> ParseResultLine(std::string_view line) {
  const bool tabbed = line.find('\t') != std::string_view::npos;
  const std::string kept = tabbed ? std::string(line) : Trim(line);
  const std::string_view trimmed = kept;
  const size_t nameEnd = trimmed.find(tabbed ? '\t' : ' ');
  ResultRowValues row;
  row.Name = FirstChars(trimmed.substr(0, nameEnd), kResultNameLength);
  row.FullName = IsFullFileName(trimmed.substr(0, nameEnd));
  if (nameEnd == std::string_view::npos) return std::nullopt;
  std::string_view rest = trimmed.substr(nameEnd + 1);
  if (!rest.empty() && rest.back() == '\t') rest.remove_suffix(1);  // each field ends in a TAB
  std::vector<std::optional<double>> values;
  for (bool more = true; more;) {
    const size_t end = tabbed ? rest.find('\t') : std::string_view::npos;
    if (!AddResultField(rest.substr(0, end), values)) return std::nullopt;
    more = end != std::string_view::npos;
    if (more) rest.remove_prefix(end + 1);
  }
  if (values.size() != kResultColumns) return std::nullopt;
  std::copy(values.begin(), values.end(), row.Values.begin());
  return row;
}

std::string StandardErrorText(int count, double sum, double sumOfSquares) {
  if (count < 2) return "0.000";
  const double k = count;
  const float variance = ToSingle((sumOfSquares - sum * sum / k) / (k * (k - 1)));
  return variance > 0 ? FormatDecimals(std::sqrt(static_cast<double>(variance)), 3) : "0.000";
}

// Appends the group's line to the mean and the error text. A column without any number gets an
// empty field.
void AppendGroupLines(const std::vector<ResultRowValues>& rows, const std::vector<size_t>& group,
                      size_t keyLength, std::string& means, std::string& standardErrors) {
  const std::string name = FirstChars(rows[group.front()].Name, keyLength) + " " + TabText;
  means += name;
  standardErrors += name;
  for (int c = 0; c < kResultColumns; ++c) {
    int count = 0;
    double sum = 0;
    double sumOfSquares = 0;
    for (size_t member : group) {
      if (const auto& value = rows[member].Values[c]) {
        ++count;
        sum += *value;
        sumOfSquares += *value * *value;
      }
    }
    if (count > 0) {
      means += FormatFixed(sum / count);
      standardErrors += StandardErrorText(count, sum, sumOfSquares);
    }
    means += TabText;
    standardErrors += TabText;
  }
  means += kLineEnd;
  standardErrors += kLineEnd;
}

// Names a row that cannot be averaged by its line number and name, one line per row.
std::string UnreadableRowText(const std::string& source, size_t lineNumber, std::string_view line) {
  const std::string name = FirstChars(line.substr(0, line.find_first_of("\t ")), kResultNameLength);
  return std::string(FileNameOf(source)) + ": line " + std::to_string(lineNumber) + " (" + name +
         ") cannot be read as " + std::to_string(kResultColumns) + " numbers";
}

struct ResultRows {
  std::string Heading;
  std::vector<ResultRowValues> Rows;
  std::string Unreadable;  // the rows that cannot be averaged, named one per line
};

// Reads the heading and at most 1000 rows, line by line: nothing after them is read.
ResultRows ReadResultRows(const std::string& source) {
  int64_t bytesRead = 0;
  InputFile file(source, bytesRead);
  TextFields text(file);
  ResultRows read;
  if (!text.ReadLine(read.Heading)) throw ErrorText(errors::kInputPastEnd);
  std::string line;
  for (size_t number = 2; read.Rows.size() < kMaxResultRows && text.ReadLine(line); ++number) {
    if (Trim(line).empty()) continue;
    if (auto row = ParseResultLine(line)) {
      read.Rows.push_back(std::move(*row));
    } else {
      if (!read.Unreadable.empty()) read.Unreadable += "\n";
      read.Unreadable += UnreadableRowText(source, number, line);
    }
  }
  return read;
}

// Why no two rows were averaged together, when the file has rows but no group of more than one:
// users expect replicates to be found the way the curve averaging finds them.
std::string NoReplicatesText(const std::vector<ResultRowValues>& rows, const Groups& groups,
                             size_t keyLength) {
  const bool replicates =
      std::any_of(groups.begin(), groups.end(), [](const auto& group) { return group.size() > 1; });
  if (replicates || rows.size() < 2) return {};
  const bool fullNames =
      std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.FullName; });
  const std::string reason =
      fullNames ? std::string(
                      "fl.res holds full file names; switch on Strip file name to "
                      "average replicates")
                : "no two names in fl.res agree in their first " + std::to_string(keyLength) +
                      " characters; replicates need names of " + std::to_string(keyLength + 1) +
                      " characters or more before the extension that differ only in the last";
  return "No replicates found in fl.res: " + reason;
}

// Writes the means and standard errors of the file's groups; returns NoReplicatesText.
std::string AverageResultFile(const std::string& folder, size_t keyLength,
                              const AveragedFile& files) {
  // Result files written on another system may carry their names in another case.
  const std::string source = FindFileIgnoringCase(folder, files.Source);
  const ResultRows read = NamingFile(source, [&] { return ReadResultRows(source); });
  // Averages without a row the user counts on would pass for complete ones: nothing is written.
  if (!read.Unreadable.empty()) throw ErrorText(read.Unreadable);
  const std::vector<ResultRowValues>& rows = read.Rows;
  std::vector<std::string> keys;
  for (const auto& row : rows) keys.push_back(FirstChars(row.Name, keyLength));
  const auto always = [](size_t) { return true; };
  const auto notMarked = [&](size_t q) {
    return rows[q].Name.empty() || rows[q].Name.back() != '!';
  };
  const Groups groups = *GroupByKey(keys, always, notMarked, always);

  std::string means = read.Heading + kLineEnd;
  std::string standardErrors = means;
  for (const auto& group : groups) AppendGroupLines(rows, group, keyLength, means, standardErrors);
  const auto write = [&](const char* name, const std::string& text) {
    const std::string target = FindFileIgnoringCase(folder, name);
    WriteFileReplacing(target, text);
  };
  write(files.Means, means);
  write(files.StandardErrors, standardErrors);
  return NoReplicatesText(rows, groups, keyLength);
}

// ---- Curves (ASCII files) ----

// Running sums of the members of one group, points 0..10000.
struct CurveSums {
  std::vector<float> Time = std::vector<float>(kMaxCurveRows, 0.0f);
  std::vector<float> PF = std::vector<float>(kMaxCurveRows, 0.0f);
  std::vector<float> DF = std::vector<float>(kMaxCurveRows, 0.0f);
};

float AddSingle(float sum, float value) {
  const float result = sum + value;
  if (!std::isfinite(result)) throw ErrorText(errors::kOverflow);
  return result;
}

int AddMemberLines(TextFields& fields, CurveSums& sums) {
  int rows = 0;
  while (!fields.OnlyWhiteSpaceLeft()) {
    if (rows >= kMaxCurveRows) throw ErrorText(errors::kSubscriptOutOfRange);
    sums.Time[rows] = ToSingle(fields.ReadNumber());
    sums.PF[rows] = AddSingle(sums.PF[rows], ToSingle(fields.ReadNumber()));
    sums.DF[rows] = AddSingle(sums.DF[rows], ToSingle(fields.ReadNumber()));
    ++rows;
  }
  return rows;
}

// Reads one member (time, PF and DF per line, as the ASCII reader reads them) into the sums and
// returns its number of lines.
int AddMember(const std::string& path, CurveSums& sums) {
  return NamingFile(path, [&] {
    int64_t bytesRead = 0;
    InputFile file(path, bytesRead);
    TextFields fields(file);
    return AddMemberLines(fields, sums);
  });
}

// Reads the group's members and writes their mean curve; the output is named after the first
// member's key.
void AverageCurveGroup(const std::string& folder, const std::vector<std::string>& names,
                       const std::vector<size_t>& group, size_t dropped) {
  CurveSums sums;
  int rows = kMaxAverageRows;
  for (size_t member : group)
    rows = std::min(rows, AddMember(JoinPath(folder, names[member]), sums));
  const float k = static_cast<float>(group.size());
  std::string text;
  for (int r = 0; r < rows && sums.Time[r] != 0; ++r) {
    text += PrintZones({FormatDecimals(sums.Time[r], 3), FormatFixed(sums.PF[r] / k),
                        FormatFixed(sums.DF[r] / k)});
    text += kLineEnd;
  }
  const std::string output =
      JoinPath(folder, DropLast(names[group.front()], dropped) + kAverageCurveEnding);
  WriteFileReplacing(output, text);
}

// Gives the event loop a turn; true when the user pressed Esc (the flag is then cleared).
bool CancelledAtTurn(Session& session, Feedback& feedback) {
  if (feedback.TurnEventLoop()) session.Record.CancelRequested = true;
  if (!session.Record.CancelRequested) return false;
  session.Record.CancelRequested = false;
  return true;
}

int Percent(size_t done, size_t total) {
  return static_cast<int>(done * 100 / total);
}

// Groups the ".asc" names by key; nothing when the user cancelled.
std::optional<Groups> GroupAscFiles(Session& session, Feedback& feedback,
                                    const std::vector<std::string>& names, size_t dropped) {
  std::vector<std::string> keys;
  for (const auto& name : names) keys.push_back(DropLast(name, dropped));
  const auto isAsc = [&](size_t i) { return EndsWithNoCase(names[i], ".ASC"); };
  const auto mayJoin = [&](size_t q) { return isAsc(q) && !EndsWithNoCase(names[q], "!.ASC"); };
  const auto progress = [&](size_t i) {
    feedback.SetProgress(Percent(i + 1, names.size()));
    return !CancelledAtTurn(session, feedback);
  };
  return GroupByKey(keys, isAsc, mayJoin, progress);
}

// Writes the mean curve of every group; false when the user cancelled (the files written so far
// stay).
bool AverageCurveGroups(Session& session, Feedback& feedback, const std::string& folder,
                        const std::vector<std::string>& names, const Groups& groups,
                        size_t dropped) {
  for (size_t g = 0; g < groups.size(); ++g) {
    feedback.SetProgress(Percent(g + 1, groups.size()));
    if (CancelledAtTurn(session, feedback)) return false;
    AverageCurveGroup(folder, names, groups[g], dropped);
  }
  return true;
}

size_t ResultKeyLength(int dropped) {
  return static_cast<size_t>(std::clamp(static_cast<int>(kResultNameLength) - dropped, 0,
                                        static_cast<int>(kResultNameLength)));
}

}  // namespace

std::optional<ReplicateGroups> GroupByKey(const std::vector<std::string>& keys,
                                          const std::function<bool(size_t)>& canStart,
                                          const std::function<bool(size_t)>& canJoin,
                                          const std::function<bool(size_t)>& beforeEach) {
  Groups groups;
  std::vector<bool> grouped(keys.size(), false);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (grouped[i]) continue;
    if (!beforeEach(i)) return std::nullopt;
    if (!canStart(i)) continue;
    const bool known = std::any_of(groups.begin(), groups.end(), [&](const auto& group) {
      return keys[group.front()] == keys[i];
    });
    if (known) continue;
    std::vector<size_t> members;
    for (size_t q = 0; q < keys.size() && members.size() < kMaxGroupMembers; ++q) {
      if (keys[q] != keys[i] || !canJoin(q)) continue;
      members.push_back(q);
      grouped[q] = true;
    }
    if (!members.empty()) groups.push_back(std::move(members));
  }
  return groups;
}

bool AverageResults(Feedback& feedback, const std::string& folder, int dropped) {
  std::string noReplicates;
  const bool averaged = RunWriter(feedback, [&] {
    feedback.SetProgressText(kAveragingResultsText);
    BusyScope busy(feedback);
    noReplicates = AverageResultFile(folder, ResultKeyLength(dropped), kFLResAverage);
  });
  // jip.res has the names of fl.res, so one notice covers both.
  if (!noReplicates.empty()) feedback.ShowMessage(noReplicates, MessageIcon::Information);
  // jip.res is averaged when it is there, whether or not FL.RES could be.
  if (!FileExists(FindFileIgnoringCase(folder, kJipResName))) return averaged;
  return RunWriter(feedback,
                   [&] {
                     feedback.SetProgressText(kJipAveragingText);
                     BusyScope busy(feedback);
                     AverageResultFile(folder, ResultKeyLength(dropped), kJipResAverage);
                   }) &&
         averaged;
}

bool AverageAscFiles(Session& session, Feedback& feedback, const std::string& folder,
                     const std::vector<std::string>& fileList, int dropped) {
  const size_t ignored = static_cast<size_t>(std::max(dropped, 0)) + kAscExtensionLength;
  session.Folder.FileList = fileList;
  session.Folder.Listed.reset();  // no longer the folder's own list
  try {
    feedback.SetProgressText(kSortingText);
    BusyScope busy(feedback);
    const auto groups = GroupAscFiles(session, feedback, fileList, ignored);
    if (!groups) return false;
    feedback.SetProgressText(kAveragingCurvesText);
    return AverageCurveGroups(session, feedback, folder, fileList, *groups, ignored);
  } catch (const ErrorText& error) {
    feedback.ShowMessage(error.what(), MessageIcon::Critical);
    return false;
  }
}

std::vector<std::string> ListAveragingCandidates(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (EndsWithNoCase(name, ".ASC") || EndsWithNoCase(name, ".RES")) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool AverageFolder(Session& session, Feedback& feedback, const std::string& folder, bool results,
                   bool curves) {
  // Replicates differ in the last character of their names.
  constexpr int kDroppedCharacters = 1;
  bool averaged = true;
  if (curves) {
    const std::vector<std::string> candidates = ListAveragingCandidates(folder);
    if (candidates.size() >= 2)
      averaged = AverageAscFiles(session, feedback, folder, candidates, kDroppedCharacters);
  }
  if (results) averaged = AverageResults(feedback, folder, kDroppedCharacters) && averaged;
  return averaged;
}

}  // namespace tolmek
