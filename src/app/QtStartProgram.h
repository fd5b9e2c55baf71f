// Start-up of the window program: one copy per user, the splash, the start values, the settings,
// the main window and the file named on the command line.
#pragma once

#include <QApplication>
#include <QString>
#include <string>

// The folder of tolmek.ini: the program's own folder when it is writable (a portable copy), else
// the user's configuration folder.
std::string SettingsFolder(const QString& programFolder);

// The command line as one path (arguments after the program joined by blanks), made absolute
// against the working folder; empty when there is none.
QString CommandLinePath(const QStringList& arguments);

// Runs the program; returns its exit status.
int StartProgram(QApplication& application);
