// The settings file tolmek.ini, where it is kept, and the start values of the settings.
#pragma once

#include <string>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// tolmek.ini in the settings folder (ShellState::ProgramFolder).
std::string SettingsPath(const Session& session);

// The user's configuration folder of the programs: $XDG_CONFIG_HOME/tolmek, else
// $HOME/.config/tolmek (a relative XDG_CONFIG_HOME counts as not set); empty without either.
std::string UserSettingsFolder();

// The folder of the tolmek.ini that both programs use: the program's own folder when a tolmek.ini
// stands there (a portable copy), else the user's configuration folder (the program's folder when
// there is no home to put it in). Nothing is created.
std::string ChooseSettingsFolder(const std::string& programFolder);

// The values in force before the settings file is read; the data folder starts at $HOME.
void SetStartValues(Session& session);

// The text WriteSettings writes, line by line as the file stores it.
std::string SettingsText(const Session& session);

// Writes the settings file (replacing it safely). A failure is reported; returns whether written.
bool WriteSettings(const Session& session, Feedback& feedback, const std::string& path);

// Applies the settings file line by line; a line that cannot be applied is skipped. A missing
// file is created from the current values first. A file that can be neither read nor created is
// reported once and the current values stay.
void ReadSettings(Session& session, Feedback& feedback, const std::string& path);

}  // namespace tolmek
