#include "app/Autosave.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "MeasurementTexts.h"
#include "analysis/PFResults.h"
#include "app/LoadSequence.h"
#include "data/FolderList.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::Slurp;

class Autosave : public ::testing::Test {
 protected:
  Autosave() {
    FillResultColumnNames(session.Results);
    session.Options.AutosaveEnabled = true;
    session.Options.DataFolder = folder.Path();
  }
  void Load(const std::string& name) {
    session.Record.CurrentFilePath = folder.Write(name, test::AsciiMeasurement());
    session.Record.CurrentFileName = name;
    ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  }
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(Autosave, WritesAllOutputsOnceWhenOnAndLoadedAndNoJipTestRowWithTheJipTestOff) {
  Load("leaf1.asc");
  session.Options.AutosaveEnabled = false;
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  session.Options.AutosaveEnabled = true;
  session.Record.DataLoaded = false;
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

  session.Record.DataLoaded = true;
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  const std::string flRes = Slurp(folder.File("fl.res"));
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(Slurp(folder.File("fl.res")), flRes);
  EXPECT_EQ(Slurp(folder.File("leaf1.asc")), test::AsciiMeasurement());  // a loaded table stays
  EXPECT_EQ(Slurp(folder.File("df.res")).substr(0, 7), "leaf1\r\n");
  // The JIP-test row with the JIP-test on is in the expected jip.res of the examples.
  EXPECT_TRUE(fs::exists(folder.File("leaf1.tmk")) && !fs::exists(folder.File("jip.res")));
}

TEST_F(Autosave, GoesOnAfterAFailedWriterAndSaysSo) {
  fs::create_directory(folder.File("fl.res"));
  Load("leaf1.txt");
  EXPECT_FALSE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(feedback.Messages.size(), 1u);
  EXPECT_TRUE(session.Record.AutosaveDone);
  for (const char* written : {"leaf1.tmk", "df.res", "leaf1.asc"})
    EXPECT_TRUE(fs::exists(folder.File(written))) << written;
}

// Files from systems that ignore letter case often carry upper-case extensions.
TEST_F(Autosave, OutputsTakeTheCaseOfTheLoadedExtensionSoANativeFileIsRewrittenInPlace) {
  Load("LEAF.TXT");
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  session.Record.CurrentFilePath = folder.File("LEAF.TMK");
  session.Record.CurrentFileName = "LEAF.TMK";
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(ListFolder(folder.Path(), "*"),
            (std::vector<std::string>{"LEAF.ASC", "LEAF.TMK", "LEAF.TXT", "df.bak", "df.res",
                                      "fl.bak", "fl.res"}));
  EXPECT_TRUE(feedback.Messages.empty());
}

// The raw data loaded again (or processed after the native file in one batch) must not silently
// replace the native file that holds the points the user set.
TEST_F(Autosave, KeepsANativeFileItDidNotLoadAsABackupOrElseLeavesItAlone) {
  Load("leaf1.txt");
  folder.Write("leaf1.tmk", "points set by hand");
  EXPECT_TRUE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(Slurp(folder.File("leaf1.tmk.bak")), "points set by hand");
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{"The previous leaf1.tmk is kept as leaf1.tmk.bak."});
  EXPECT_EQ(ListFolder(folder.Path(), PatternOf("leaf1.tmk")),
            std::vector<std::string>{"leaf1.tmk"});

  feedback.Messages.clear();
  Load("leaf1.txt");
  fs::remove(folder.File("leaf1.tmk.bak"));
  fs::create_directory(folder.File("leaf1.tmk.bak"));  // the backup cannot be made
  const std::string work = Slurp(folder.File("leaf1.tmk"));
  EXPECT_FALSE(AutosaveOutputs(session, feedback));
  EXPECT_EQ(Slurp(folder.File("leaf1.tmk")), work);
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{"leaf1.tmk.bak: Path/File access error"});
}

}  // namespace
}  // namespace tolmek
