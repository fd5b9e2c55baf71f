// File dialogs answered by script, for the window tests.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/FileDialogs.h"

namespace tolmek::test {

class ScriptedFileDialogs : public FileDialogs {
 public:
  std::deque<std::vector<std::string>> OpenAnswers;  // empty list: cancel
  std::string LastOpenFolder;
  std::optional<std::string> SaveAnswer;
  std::vector<std::string> ChooseFilesToOpen(const std::string& folder) override {
    LastOpenFolder = folder;
    if (OpenAnswers.empty()) return {};
    auto answer = OpenAnswers.front();
    OpenAnswers.pop_front();
    return answer;
  }
  std::vector<std::string> ChooseFilesForBatch(const std::string& folder) override {
    LastBatchFolder = folder;
    return ChooseFilesToOpen(folder);
  }
  std::string LastBatchFolder;
  std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&) override {
    return SaveAnswer;
  }
  std::optional<std::string> ExportAnswer;
  std::string LastExportProposal;
  std::optional<std::string> ChooseExportFile(const std::string&, const std::string&,
                                              const std::string& proposedPath,
                                              const std::vector<std::string>&) override {
    LastExportProposal = proposedPath;
    return ExportAnswer;
  }
  std::optional<std::string> FolderAnswer;
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return FolderAnswer;
  }
};

}  // namespace tolmek::test
