#include "app/gui/QtStartProgram.h"

#include <QDir>

#include <gtest/gtest.h>

#include "app/gui/Aboutfrm.h"
#include "support/TestSupport.h"
#include "ui/gui/QtFeedback.h"
#include "ui/gui/QtFileDialogs.h"

namespace tolmek {
namespace {

TEST(StartProgram, FindsTheSettingsFolderTheCommandLinePathAndTheDialogsStartFolder) {
  test::TempFolder program;
  test::TempFolder config;
  const test::ScopedVariable xdg("XDG_CONFIG_HOME", config.Path().c_str());
  // Settings in the user's configuration, made when missing, unless a portable copy has its own.
  EXPECT_EQ(SettingsFolder(QString::fromStdString(program.Path())), config.File("tolmek"));
  EXPECT_TRUE(QDir(QString::fromStdString(config.File("tolmek"))).exists());
  program.Write("tolmek.ini", "");
  EXPECT_EQ(SettingsFolder(QString::fromStdString(program.Path())), program.Path());
  // The whole command line is one path against the working folder.
  EXPECT_TRUE(CommandLinePath({"tolmek"}).isEmpty());
  EXPECT_EQ(CommandLinePath({"tolmek", "/data/my", "leaf.dat"}), "/data/my leaf.dat");
  EXPECT_EQ(CommandLinePath({"tolmek", "leaf.dat"}), QDir::current().absoluteFilePath("leaf.dat"));
  // Dialogs start at home while the data folder does not exist.
  EXPECT_EQ(StartFolder("C:"), QDir::homePath());
  EXPECT_EQ(StartFolder(program.File("gone")), QDir::homePath());
  EXPECT_EQ(StartFolder(program.Path()), QString::fromStdString(program.Path()));
}

TEST(StartProgram, AnswersHelpAndVersionOnlyForThatWholeCommandLineWhenNoSuchFileExists) {
  test::TempFolder folder;
  const QString kept = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path())));
  // The version the about window shows.
  EXPECT_EQ(CommandLineAnswer({"tolmek", "--version"}),
            "tolmek " + ToStdString(Aboutfrm::VersionText().mid(3)) + "\n");
  EXPECT_TRUE(CommandLineAnswer({"tolmek", "--help"}).starts_with("Usage: tolmek [FILE]\n"));
  for (const QStringList& other : {QStringList{"tolmek"}, QStringList{"tolmek", "--version", "x"},
                                   QStringList{"tolmek", "-h"}, QStringList{"tolmek", "leaf.dat"}})
    EXPECT_EQ(CommandLineAnswer(other), "") << ToStdString(other.join(' '));
  folder.Write("--help", "");  // a file of that name is opened as any other
  EXPECT_EQ(CommandLineAnswer({"tolmek", "--help"}), "");
  EXPECT_NE(CommandLineAnswer({"tolmek", "--version"}), "");
  QDir::setCurrent(kept);
}

}  // namespace
}  // namespace tolmek
