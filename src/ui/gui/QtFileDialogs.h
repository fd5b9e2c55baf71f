// The platform's open and save dialogs with the main window's filters.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/FileDialogs.h"

namespace tolmek {

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::vector<std::string> ChooseFilesToOpen(const std::string& folder) override;
  std::vector<std::string> ChooseFilesForBatch(const std::string& folder) override;
  std::optional<std::string> ChooseFileToSave(const std::string& folder,
                                              const std::string& proposedPath) override;
  std::optional<std::string> ChooseExportFile(const std::string& title, const std::string& folder,
                                              const std::string& proposedPath,
                                              const std::vector<std::string>& filters) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& folder) override;

 private:
  std::vector<std::string> ChooseMeasurements(const QString& title, const std::string& folder);
  QPointer<QWidget> parent_;
};

// The filters of the dialogs that choose measurements: every type Tolmek reads in one, the
// combined one chosen at first.
QStringList OpenFilters();

// The folder a dialog starts in: the given one when it exists, else the home folder.
QString StartFolder(const std::string& folder);

}  // namespace tolmek
