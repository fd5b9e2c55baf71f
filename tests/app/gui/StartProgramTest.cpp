#include "app/QtStartProgram.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "ui/QtFeedback.h"
#include "ui/QtFileDialogs.h"

namespace tolmek {
namespace {

TEST(StartProgram, FindsTheSettingsFolderTheCommandLinePathAndTheDialogsStartFolder) {
  test::TempFolder program;
  // Settings beside a portable copy, else in the user's configuration.
  EXPECT_EQ(SettingsFolder(QString::fromStdString(program.Path())), program.Path());
  const std::string elsewhere = SettingsFolder(QString::fromStdString(program.File("gone")));
  EXPECT_EQ(elsewhere,
            ToStdString(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  EXPECT_TRUE(QDir(QString::fromStdString(elsewhere)).exists());
  // The whole command line is one path against the working folder.
  EXPECT_TRUE(CommandLinePath({"tolmek"}).isEmpty());
  EXPECT_EQ(CommandLinePath({"tolmek", "/data/my", "leaf.dat"}), "/data/my leaf.dat");
  EXPECT_EQ(CommandLinePath({"tolmek", "leaf.dat"}), QDir::current().absoluteFilePath("leaf.dat"));
  // Dialogs start at home while the data folder does not exist.
  EXPECT_EQ(StartFolder("C:"), QDir::homePath());
  EXPECT_EQ(StartFolder(program.File("gone")), QDir::homePath());
  EXPECT_EQ(StartFolder(program.Path()), QString::fromStdString(program.Path()));
}

}  // namespace
}  // namespace tolmek
