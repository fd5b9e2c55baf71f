// The settings file tolmek.ini beside the program and the start values of the settings.
#pragma once

#include <string>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// tolmek.ini in the program's folder.
std::string SettingsPath(const Session& session);

// The values in force before the settings file is read.
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
