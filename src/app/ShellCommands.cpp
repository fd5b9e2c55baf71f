#include "ShellCommands.h"

#include "Autosave.h"
#include "data/AsciiFile.h"
#include "data/FileIO.h"
#include "data/FolderList.h"
#include "data/NativeFile.h"

namespace tolmek {

bool IsLoaded(const Session& session) {
  return session.Record.PointCount > 0 && !session.Record.CurrentFilePath.empty();
}

void ShowErrorMessage(Feedback& feedback, const std::string& description) {
  feedback.ShowMessage(description, MessageIcon::Exclamation);
  feedback.SetBusy(false);
}

void TakeOpenedFile(Session& session, const std::string& path) {
  Measurement& record = session.Record;
  record.CurrentFilePath = path;
  record.CurrentFileName = FileNameOf(path);
  session.Options.DataFolder = FolderOf(path);
  session.Folder.Pattern = PatternOf(record.CurrentFileName);
  BuildFileList(session, session.Options.DataFolder, session.Folder.Pattern);
}

void TakeDroppedFile(Session& session, const std::string& path) {
  // The bare name: it is what the results table, FL.RES and DF.RES show for the file.
  session.Record.CurrentFilePath = path;
  session.Record.CurrentFileName = FileNameOf(path);
}

void TakeCommandLineFile(Session& session, const std::string& commandLine) {
  session.Record.CurrentFilePath = commandLine;
  const size_t slash = commandLine.find_last_of('/');
  if (slash != std::string::npos && slash > 0)
    session.Options.DataFolder = commandLine.substr(0, slash);
  session.Record.CurrentFileName =
      slash == std::string::npos ? commandLine : commandLine.substr(slash + 1);
}

bool WalkIsOnLoadedFile(const Session& session) {
  const FolderWalk& walk = session.Folder;
  const int index = walk.FileIndex;
  if (index < 0 || index >= static_cast<int>(walk.FileList.size())) return false;
  return walk.FileList[index] == session.Record.CurrentFileName &&
         FolderOf(session.Record.CurrentFilePath) == session.Options.DataFolder;
}

bool CanGoToPreviousFile(const Session& session) {
  return IsLoaded(session) && WalkIsOnLoadedFile(session) && session.Folder.FileIndex > 0;
}

bool CanGoToNextFile(const Session& session) {
  return IsLoaded(session) && WalkIsOnLoadedFile(session) &&
         session.Folder.FileIndex + 1 < static_cast<int>(session.Folder.FileList.size());
}

bool StepFileWalk(Session& session, Feedback& feedback, int step) {
  if (!IsLoaded(session)) return false;
  FolderWalk& walk = session.Folder;
  // The folder as it is now: files added or removed since the last step count.
  const std::string pattern =
      walk.Pattern.empty() ? PatternOf(session.Record.CurrentFileName) : walk.Pattern;
  BuildFileList(session, session.Options.DataFolder, pattern);
  if (!(step < 0 ? CanGoToPreviousFile(session) : CanGoToNextFile(session))) return false;
  AutosaveOutputs(session, feedback);
  walk.FileIndex = static_cast<int16_t>(walk.FileIndex + (step < 0 ? -1 : 1));
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
