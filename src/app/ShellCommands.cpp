#include "ShellCommands.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>

#include "Autosave.h"
#include "data/AsciiFile.h"
#include "data/FileIO.h"
#include "data/FolderList.h"
#include "data/NativeFile.h"

namespace tolmek {

bool IsLoaded(const Session& session) {
  return session.Record.PointCount > 0 && !session.Record.CurrentFilePath.empty();
}

void TakeOpenedFile(Session& session, const std::string& path) {
  Measurement& record = session.Record;
  record.CurrentFilePath = path;
  record.CurrentFileName = FileNameOf(path);
  session.Options.DataFolder = FolderOf(path);
  session.Folder.Pattern = PatternOf(record.CurrentFileName);
  BuildFileList(session, session.Options.DataFolder, session.Folder.Pattern);
}

void RebuildFileWalk(Session& session) {
  FolderWalk& walk = session.Folder;
  if (walk.Pattern.empty()) walk.Pattern = PatternOf(session.Record.CurrentFileName);
  BuildFileList(session, session.Options.DataFolder, walk.Pattern);
}

bool WalkIsOnLoadedFile(const Session& session) {
  const FolderWalk& walk = session.Folder;
  const int index = walk.FileIndex;
  if (index < 0 || index >= static_cast<int>(walk.FileList.size())) return false;
  return walk.FileList[index] == session.Record.CurrentFileName;
}

namespace {

// FileIndex is 16-bit: entries beyond its range cannot be walked to.
constexpr int kLastWalkIndex = std::numeric_limits<int16_t>::max();

// The neighbour of a name that is not listed: the first listed name after it, or the last one
// before it (the list is sorted by name).
std::optional<int> NeighbourByName(const std::vector<std::string>& list, const std::string& name,
                                   int step) {
  const auto after = std::upper_bound(list.begin(), list.end(), name);
  const int index =
      static_cast<int>(step > 0 ? after - list.begin()
                                : std::lower_bound(list.begin(), after, name) - list.begin() - 1);
  if (index < 0 || index >= static_cast<int>(list.size()) || index > kLastWalkIndex) return {};
  return index;
}

std::string LeftFolderText(const Session& session, const std::optional<int>& target, int step) {
  const std::string& name = session.Record.CurrentFileName;
  const std::string& folder = session.Options.DataFolder;
  std::string text = name + " is no longer in " + folder + ".";
  if (target)
    return text + " The walk goes on by name with " + session.Folder.FileList[*target] + ".";
  std::error_code ec;
  if (!std::filesystem::is_directory(folder.empty() ? "." : folder, ec))
    return text + " The folder itself cannot be read any more.";
  return text + " No " + session.Folder.Pattern + " file comes " + (step > 0 ? "after" : "before") +
         " it by name.";
}

// Where a step of the walk leads in its list as it stands: the neighbour of the loaded file, or,
// when the loaded file is not listed (gone from its folder), the neighbour of its name.
std::optional<int> WalkTarget(const Session& session, int step) {
  const FolderWalk& walk = session.Folder;
  if (!WalkIsOnLoadedFile(session))
    return NeighbourByName(walk.FileList, session.Record.CurrentFileName, step);
  const int index = walk.FileIndex + (step < 0 ? -1 : 1);
  if (index < 0 || index >= static_cast<int>(walk.FileList.size()) || index > kLastWalkIndex)
    return {};
  return index;
}

}  // namespace

bool CanGoToPreviousFile(const Session& session) {
  return IsLoaded(session) && WalkTarget(session, -1).has_value();
}

bool CanGoToNextFile(const Session& session) {
  return IsLoaded(session) && WalkTarget(session, +1).has_value();
}

std::string WalkPositionText(const Session& session) {
  if (!IsLoaded(session)) return {};
  if (!WalkIsOnLoadedFile(session)) return "Not in its folder's list";
  return "File " + std::to_string(session.Folder.FileIndex + 1) + " of " +
         std::to_string(session.Folder.FileList.size());
}

bool StepFileWalk(Session& session, Feedback& feedback, int step) {
  if (!IsLoaded(session)) return false;
  FolderWalk& walk = session.Folder;
  // The folder as it is now: files added or removed since the last step count.
  RebuildFileWalk(session);
  const std::optional<int> target = WalkTarget(session, step);
  // The loaded file was deleted or moved away meanwhile: its place by name says where the walk
  // goes on.
  if (!WalkIsOnLoadedFile(session))
    feedback.ShowMessage(LeftFolderText(session, target, step), MessageIcon::Information);
  if (!target) return false;
  AutosaveOutputs(session, feedback);
  walk.FileIndex = static_cast<int16_t>(*target);
  const std::string& name = walk.FileList[walk.FileIndex];
  session.Record.CurrentFilePath = JoinPath(session.Options.DataFolder, name);
  session.Record.CurrentFileName = name;
  return true;
}

std::string ProposedSavePath(const Session& session) {
  return DropLast(session.Record.CurrentFilePath, 3) + "tmk";
}

bool SaveMeasurementAs(Session& session, Feedback& feedback, const std::string& path) {
  Measurement& record = session.Record;
  const std::string loadedPath = record.CurrentFilePath;
  record.CurrentFilePath = path;
  if (SavesAsNative(path))
    return WriteNativeFile(record, feedback, path, record.TimeValues, record.PFValues,
                           record.DFValues, record.PointCount, loadedPath);
  return WriteAsciiFile(feedback, path, record.TimeValues, record.PFValues, record.DFValues, 1,
                        record.PointCount);
}

void SaveAscFiles(Session& session, Feedback& feedback) {
  const Measurement& record = session.Record;
  const std::string asciiPath = DropLast(record.CurrentFilePath, 3) + "asc";
  if (FileExists(asciiPath) && feedback.Ask(kOverwriteQuestion, Buttons::YesNo,
                                            MessageIcon::Exclamation, Answer::No) != Answer::Yes)
    return;
  SaveAscWithDecay(record, feedback, record.CurrentFilePath);
}

}  // namespace tolmek
