#include "app/QtStartProgram.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "ui/QtFeedback.h"
#include "ui/QtFileDialogs.h"

namespace tolmek {
namespace {

TEST(StartProgram, KeepsSettingsBesideAPortableCopyElseInTheUsersConfiguration) {
  test::TempFolder program;
  EXPECT_EQ(SettingsFolder(QString::fromStdString(program.Path())), program.Path());
  const std::string elsewhere = SettingsFolder(QString::fromStdString(program.File("gone")));
  EXPECT_EQ(elsewhere,
            ToStdString(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
  EXPECT_TRUE(QDir(QString::fromStdString(elsewhere)).exists());
}

TEST(StartProgram, TakesTheWholeCommandLineAsOnePathAgainstTheWorkingFolder) {
  EXPECT_TRUE(CommandLinePath({"tolmek"}).isEmpty());
  EXPECT_EQ(CommandLinePath({"tolmek", "/data/my", "leaf.dat"}), "/data/my leaf.dat");
  EXPECT_EQ(CommandLinePath({"tolmek", "leaf.dat"}), QDir::current().absoluteFilePath("leaf.dat"));
}

TEST(StartProgram, DialogsStartAtHomeWhileTheDataFolderDoesNotExist) {
  test::TempFolder folder;
  EXPECT_EQ(StartFolder("C:"), QDir::homePath());
  EXPECT_EQ(StartFolder(folder.File("gone")), QDir::homePath());
  EXPECT_EQ(StartFolder(folder.Path()), QString::fromStdString(folder.Path()));
}

}  // namespace
}  // namespace tolmek
