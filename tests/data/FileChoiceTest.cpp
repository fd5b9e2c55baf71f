// Which reader a file gets, and which files of a folder are listed.
#include "data/FileChoice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "data/FolderList.h"
#include "support/TestSupport.h"

namespace tolmek {
namespace {

TEST(FileChoice, TheLastThreeCharactersInAnyCaseOrAnOjipFirstLineChooseTheReaderAndTheWriter) {
  test::TempFolder folder;
  const std::string ojip = test::OjipExportText(1, 20);
  for (const std::string name : {"DATA.DAT", "x.da", "/m/leaf.Da"})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Instrument) << name;
  for (const std::string name : {"X.TMK", "/m/a.Tmk"})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Native) << name;
  EXPECT_EQ(ChooseReader(folder.Write("a.txt", ojip)), ReaderKind::OjipText);
  for (const std::string& name :
       {folder.Write("b.asc", ojip), folder.Write("c.txt", "1\r\n" + ojip),
        folder.File("missing.txt"), std::string("x.dta"), std::string("tmk.asc"), std::string()})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Ascii) << name;
  EXPECT_TRUE(SavesAsNative("a.TmK"));
  EXPECT_FALSE(SavesAsNative("a.tmk.txt"));
}

TEST(FolderList, ListsPatternsInAnyCaseButNoFoldersAndFindsOnlyTheExactOpenedName) {
  test::TempFolder folder;
  for (const char* name : {"c.asc", "b.tmk", "A.TMK", "fl.res", "plain"}) folder.Write(name, "");
  std::filesystem::create_directory(folder.File("sub.asc"));
  EXPECT_EQ(ListFolder(folder.Path(), "*.asc; *.res"),
            (std::vector<std::string>{"c.asc", "fl.res"}));
  EXPECT_EQ(ListFolder(folder.Path(), PatternOf("plain")), (std::vector<std::string>{"plain"}));
  EXPECT_EQ(PatternOf("leaf.1.dat"), "*.1.dat");
  EXPECT_TRUE(ListFolder(folder.File("missing"), "*.*").empty());
  Session session;
  session.Record.CurrentFileName = "b.tmk";
  BuildFileList(session, folder.Path(), PatternOf("b.tmk"));
  EXPECT_EQ(session.Folder.FileList, (std::vector<std::string>{"A.TMK", "b.tmk"}));
  EXPECT_EQ(session.Folder.FileIndex, 1);
  session.Record.CurrentFileName = "a.tmk";
  session.Folder.FileIndex = 5;
  BuildFileList(session, folder.Path(), "*.tmk");
  EXPECT_EQ(session.Folder.FileIndex, 5);
}

TEST(FolderList, AnUnchangedFolderIsNotReadAgainButAFileAddedOrALinkIsFound) {
  test::TempFolder folder;
  for (const char* name : {"a.tmk", "b.tmk"}) folder.Write(name, "");
  std::filesystem::create_symlink(folder.File("a.tmk"), folder.File("link.tmk"));
  const auto settle = [&] {
    std::filesystem::last_write_time(
        folder.Path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  };
  settle();
  Session session;
  session.Record.CurrentFileName = "b.tmk";
  BuildFileList(session, folder.Path(), "*.tmk");
  EXPECT_EQ(session.Folder.FileList, (std::vector<std::string>{"a.tmk", "b.tmk", "link.tmk"}));
  // Unchanged since it was read: the list stands (a marker put into it stays).
  session.Folder.FileList.push_back("marker");
  BuildFileList(session, folder.Path(), "*.tmk");
  EXPECT_EQ(session.Folder.FileList.back(), "marker");
  EXPECT_EQ(session.Folder.FileIndex, 1);
  // Another pattern, or a file added meanwhile, reads it again.
  BuildFileList(session, folder.Path(), "*.TMK");
  EXPECT_EQ(session.Folder.FileList.size(), 3u);
  folder.Write("c.tmk", "");
  BuildFileList(session, folder.Path(), "*.TMK");
  EXPECT_EQ(session.Folder.FileList.back(), "link.tmk");
  EXPECT_EQ(session.Folder.FileList.size(), 4u);
  // A folder changed within the last moments may change again within the same tick of its
  // clock unseen: it is read at every step until it has settled.
  session.Folder.FileList.push_back("marker");
  BuildFileList(session, folder.Path(), "*.TMK");
  EXPECT_EQ(session.Folder.FileList.size(), 4u);
}

}  // namespace
}  // namespace tolmek
