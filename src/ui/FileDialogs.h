// The file choices of the main window (open and save dialogs), behind an interface so that the
// commands run the same with the platform's dialogs and with scripted answers in tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tolmek {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  // Full paths of the chosen existing files; empty when the dialog was cancelled.
  virtual std::vector<std::string> ChooseFilesToOpen(const std::string& folder) = 0;
  // The same for the files of a batch run (two or more, chosen in one folder).
  virtual std::vector<std::string> ChooseFilesForBatch(const std::string& folder) = 0;
  // The chosen path (the platform asks before overwriting); nothing when cancelled.
  virtual std::optional<std::string> ChooseFileToSave(const std::string& folder,
                                                      const std::string& proposedPath) = 0;
  // A file to export into, with the dialog's title and its filters ("PNG picture (*.png)"); the
  // extension of the chosen filter is added when the name has none; nothing when cancelled.
  virtual std::optional<std::string> ChooseExportFile(const std::string& title,
                                                      const std::string& folder,
                                                      const std::string& proposedPath,
                                                      const std::vector<std::string>& filters) = 0;
  // An existing folder; nothing when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& folder) = 0;
};

}  // namespace tolmek
