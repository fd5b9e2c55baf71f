// The main window's commands as plain procedures over the Session: opening, the folder walk, a
// dropped file, the command-line file, Save As and Save ASC, and the rules for which commands are
// available. The windows call these and then bring themselves up to date.
#pragma once

#include <string>

#include "data/FileChoice.h"
#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// A measurement is loaded (the commands that work on one are available).
bool IsLoaded(const Session& session);

// Points the walk at the folder of path with the pattern of its name, and the current file at
// path; the folder becomes the data folder. Open, a dropped file, the command-line file and one
// handed over by a second start all take their file this way. The caller loads it.
void TakeOpenedFile(Session& session, const std::string& path);

// Lists the walk's folder (the data folder) again with the walk's pattern and finds the loaded
// file's position in it.
void RebuildFileWalk(Session& session);

// The walk stands on the loaded file: FileIndex points at the entry of its name. Save As does not
// leave the walk: the measurement keeps its name and place in the data folder.
bool WalkIsOnLoadedFile(const Session& session);
bool CanGoToPreviousFile(const Session& session);
bool CanGoToNextFile(const Session& session);

// The status bar's place of the loaded file in its folder: "File 3 of 12", or why it has none.
std::string WalkPositionText(const Session& session);

// Previous (-1) or next (+1) file: rebuilds the list from the folder, and when the step stays
// inside it, autosaves the loaded file and makes the neighbour the current file. A loaded file
// that has left its folder is said so in a message, and the walk goes on from its place by name.
// Returns whether the caller has a file to load.
bool StepFileWalk(Session& session, Feedback& feedback, int step);

// The name the save dialog proposes: the loaded path with "tmk" as its last three characters.
std::string ProposedSavePath(const Session& session);

// Save As: the chosen path becomes CurrentFilePath; "TMK" at its end writes the native format,
// anything else the ASCII table. Returns whether the file was written.
bool SaveMeasurementAs(Session& session, Feedback& feedback, const std::string& path);

constexpr const char* kOverwriteQuestion =
    "A file with the selected filename already exists.\rDo you want to overwrite it?";

// Save ASC: the asc file (and the ddf file of an instrument recording's tail) beside the loaded
// path, after a question when the asc file exists.
void SaveAscFiles(Session& session, Feedback& feedback);

}  // namespace tolmek
