#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "MeasurementTexts.h"
#include "app/batch/BatchCommand.h"
#include "data/NumberText.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using namespace std::string_literals;

class SettingsFile : public ::testing::Test {
 protected:
  void Read(const std::string& content) {
    ReadSettings(session, feedback, folder.Write("tolmek.ini", content));
  }
  static Session Changed() {
    Session changed;
    changed.Options.AutosaveEnabled = true;
    changed.Options.AutoRedraw = false;
    changed.Options.DataFolder = "/data/Leaf";
    changed.Options.Window = {1200, -60, 9600.5f, 7000, WindowState::Normal};
    changed.Options.DFPattern = {3, 1, 7, 12};
    changed.Options.AdjustI4 = true;
    return changed;
  }
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(SettingsFile, IsWrittenWithBlanksAroundNumbersAndThePatternAndJipTestOnlyWhenSet) {
  Session changed = Changed();
  changed.Options.DFPattern[3] = -2;
  EXPECT_EQ(SettingsText(changed),
            "Autosave = 1 \r\nAutoredraw = 0 \r\nThicklines = 1 \r\nPath = /data/Leaf\r\n"
            "Window.top = 1200 \r\nWindow.left =-60 \r\nWindow.width = 9600.5 \r\n"
            "Window.height = 7000 \r\nWindow.state = 0 \r\n"
            "DFPattern = 3, 1, 7,-2, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
            "KeepPeaks = 1\r\nAdjustPeaks = 0\r\nAdjustI4 = 1 \r\nStripFileName = 0 \r\n");
  changed.Options.DFPattern[0] = -1;
  EXPECT_EQ(SettingsText(changed).find("DFPattern"), std::string::npos);
  Session on = Changed();
  on.Options.JipTest = true;
  EXPECT_EQ(SettingsText(on), SettingsText(Changed()) + "JipTest = 1 \r\n");
  Session shown = Changed();
  shown.Options.Window.State = WindowState::Minimised;
  EXPECT_NE(SettingsText(shown).find("\r\nWindow.state = 1 \r\n"), std::string::npos);
  shown.Options.Window.State = WindowState::Maximised;
  EXPECT_NE(SettingsText(shown).find("\r\nWindow.state = 2 \r\n"), std::string::npos);
}

TEST_F(SettingsFile, ReadsKeysOfAnyCaseAndTakesOnlyTheTrimmedValueOneAsOn) {
  Read(
      "Thicklines = 1 \r\nKeepPeaks = 1 \r\nAdjustPeaks = 1\r\nstripfilename = 1\r\n"
      "AdjustI4 = 1.0\r\nJIPTEST=1\r\nAutoredraw = 0\r\nAutoredraw = 1.0\r\n");
  EXPECT_EQ(session.Options.LineWidth, 2);
  EXPECT_TRUE(session.Options.OptionsKeepPeaks && session.Options.OptionsAdjust);
  EXPECT_TRUE(session.Options.StripFileName);
  // AdjustI4 and StripFileName take only the text "1"; Autosave, Autoredraw and JipTest any 1.
  EXPECT_FALSE(session.Options.AdjustI4);
  EXPECT_TRUE(session.Options.AutoRedraw);
  EXPECT_TRUE(session.Options.JipTest);
  // Thick lines come from the thirteenth character of the line, which "THICKLINES=1" lacks.
  Read("THICKLINES=1\r\nAUTOSAVE=1\r\nKeepPeaks = yes\r\nJipTest = 0\r\n");
  EXPECT_EQ(session.Options.LineWidth, 1);
  EXPECT_TRUE(session.Options.AutosaveEnabled);
  EXPECT_FALSE(session.Options.OptionsKeepPeaks || session.Options.OptionsAdjustEnabled);
  EXPECT_FALSE(session.Options.JipTest);
  // A line without "=" applies the key before it again.
  Read("no key yet\r\nThicklines = 0 \r\n123456789012 1\r\n");
  EXPECT_EQ(session.Options.LineWidth, 2);
}

TEST_F(SettingsFile, RoundsPatternPiecesHalfToEvenAndKeepsAtMostTwelveValidCodes) {
  // Piece 3 is no number and keeps the 9 it had; 40000 does not fit; 0 and 13 are no codes.
  session.Options.DFPattern[3] = 9;
  Read("DFPattern = 15, 2.5, 3.5, x, 40000, 5,6,7,8,9,10,11,12,13,14\r\n");
  EXPECT_EQ(session.Options.DFPattern,
            (std::array<int16_t, 13>{11, 2, 4, 9, 5, 6, 7, 8, 9, 10, 11, 12, 0}));
  Read("DFPattern = 3, 1, -4, 13, 7\r\n");
  EXPECT_EQ(session.Options.DFPattern, (std::array<int16_t, 13>{1, 1}));
}

TEST_F(SettingsFile, AppliesNonZeroGeometryOnlyInTheNormalStateAndSkipsJunkLines) {
  session.Options.Window.Left = 50;
  Read(
      "Window.top = 100\r\nWindow.left = 0\r\nWindow.state = 0\r\n"
      "\x01\xff=\0==\r\nWindow.top = 1E99\r\nWindow.state = 99999\r\nDFPattern = ,,,\r\n"
      "=\r\n\r\nAutosave = 1\r\n"s);
  EXPECT_EQ(session.Options.Window.Top, 100);
  EXPECT_EQ(session.Options.Window.Left, 50);
  EXPECT_TRUE(session.Options.AutosaveEnabled);
  EXPECT_TRUE(feedback.Messages.empty());
  Read("Window.top = 300\r\nWindow.state = 2\r\n");
  EXPECT_EQ(session.Options.Window.Top, 100);
  EXPECT_EQ(session.Options.Window.State, WindowState::Maximised);
}

// Files edited on other systems may end their lines with CR alone.
TEST_F(SettingsFile, ReadsLinesEndedByCarriageReturnsAlone) {
  const std::string written = SettingsText(Changed());
  std::string text;
  for (const std::string_view line : SplitLines(written)) text += std::string(line) + "\r";
  Read(text);
  EXPECT_EQ(SettingsText(session), written);
}

TEST_F(SettingsFile, IsCreatedWhenMissingReadsBackEveryValueAndReportsAFailedWriteOnce) {
  session = Changed();
  ReadSettings(session, feedback, folder.File("tolmek.ini"));
  EXPECT_EQ(test::Slurp(folder.File("tolmek.ini")), SettingsText(Changed()));
  Session fresh;
  ReadSettings(fresh, feedback, folder.File("tolmek.ini"));
  EXPECT_EQ(SettingsText(fresh), SettingsText(Changed()));
  EXPECT_TRUE(feedback.Messages.empty());
  std::filesystem::create_directory(folder.File("dir.ini"));
  ReadSettings(session, feedback, folder.File("dir.ini"));
  ReadSettings(session, feedback, folder.File("missing/tolmek.ini"));
  EXPECT_EQ(feedback.Messages.size(), 2u);
  EXPECT_EQ(SettingsText(session), SettingsText(Changed()));
}

// Settings live where Linux programs keep them; only a copy that brings its own tolmek.ini keeps
// them beside itself. An installed program's folder may well be writable (~/.local/bin).
TEST(SettingsPlace, IsBesideTheProgramOnlyWhenATolmekIniStandsThereElseTheUsersConfigFolder) {
  test::TempFolder program;
  test::TempFolder home;
  const test::ScopedVariable homeVariable("HOME", home.Path().c_str());
  {
    const test::ScopedVariable unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(ChooseSettingsFolder(program.Path()), home.Path() + "/.config/tolmek");
    const test::ScopedVariable relative("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(UserSettingsFolder(), home.Path() + "/.config/tolmek");
  }
  const test::ScopedVariable config("XDG_CONFIG_HOME", program.File("config").c_str());
  EXPECT_EQ(ChooseSettingsFolder(program.Path()), program.File("config/tolmek"));
  program.Write("tolmek.ini", "");
  EXPECT_EQ(ChooseSettingsFolder(program.Path()), program.Path());
  // The data folder starts at home.
  Session session;
  SetStartValues(session);
  EXPECT_EQ(session.Options.DataFolder, home.Path());
}

// tolmek-batch reads the window program's settings by the same rule and never writes them.
TEST(SettingsPlace, TheBatchReadsTheSettingsTheWindowProgramUses) {
  test::TempFolder program;
  test::TempFolder config;
  test::TempFolder data;
  const test::ScopedVariable xdg("XDG_CONFIG_HOME", config.Path().c_str());
  std::filesystem::create_directory(config.File("tolmek"));
  config.Write("tolmek/tolmek.ini", "StripFileName = 1\r\n");
  const std::string measurement = data.Write("leaf01234.txt", test::AsciiMeasurement());
  std::FILE* err = std::tmpfile();
  const BatchEnvironment environment{
      .ProgramFolder = program.Path(), .Out = err, .Err = err, .PaintPicture = {}};
  EXPECT_EQ(RunBatchCommand({measurement}, environment), kExitAllProcessed);
  program.Write("tolmek.ini", "StripFileName = 0\r\n");  // a portable copy's own settings win
  EXPECT_EQ(RunBatchCommand({measurement}, environment), kExitAllProcessed);
  std::fclose(err);
  const std::string flRes = test::Slurp(data.File("fl.res"));
  EXPECT_NE(flRes.find("\r\nleaf0124\t"), std::string::npos) << flRes;
  EXPECT_NE(flRes.find("\r\nleaf01234.txt\t"), std::string::npos) << flRes;
  EXPECT_EQ(test::Slurp(config.File("tolmek/tolmek.ini")), "StripFileName = 1\r\n");
}

}  // namespace
}  // namespace tolmek
