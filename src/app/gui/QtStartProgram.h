// Start-up of the window program: one copy per user, the splash, the start values, the settings,
// the main window and the file named on the command line.
#pragma once

#include <QApplication>
#include <QString>
#include <string>

// The folder of tolmek.ini (ChooseSettingsFolder: beside the program when one stands there, else
// the user's configuration folder), made when it is missing.
std::string SettingsFolder(const QString& programFolder);

// The command line as one path (arguments after the program joined by blanks), made absolute
// against the working folder; empty when there is none.
QString CommandLinePath(const QStringList& arguments);

// What the program prints instead of starting when the whole command line is exactly "--help"
// (the usage) or "--version" (the name and version) and no file of that name exists, since the
// command line is a path. Empty otherwise.
std::string CommandLineAnswer(const QStringList& arguments);

// Runs the program; returns its exit status.
int StartProgram(QApplication& application);

// The start-up clock, switched on by the environment variable TOLMEK_STARTUP_TIMING: when the first
// chart has been painted, "tolmek: start-up: the chart was painted 0.21 s after the process
// started (0.15 s after main)" goes to standard error; with TOLMEK_STARTUP_TIMING=quit the program
// then ends, so that the start can be timed again and again. Called first thing in main.
void StartStartupClock();
