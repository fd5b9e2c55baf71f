#include "QtFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "QtFeedback.h"

namespace tolmek {

namespace {
constexpr int kMeasurementsFilter = 1;
const QStringList kSaveFilters = {"ASCII Files (*.asc)", "Tolmek Files (*.tmk)"};
}  // namespace

QStringList OpenFilters() {
  return {"All Files (*)",        "All measurements (*.dat *.tmk *.asc *.txt)",
          "PX3310 files (*.dat)", "Tolmek files (*.tmk)",
          "ASCII files (*.asc)",  "OJIP text exports (*.txt)"};
}

QString StartFolder(const std::string& folder) {
  const QString path = ToQString(folder);
  // The start value "C:" and folders that went away open the home folder instead; the setting
  // itself is left as it is.
  if (!folder.empty() && QFileInfo(path).isDir() && QDir::isAbsolutePath(path)) return path;
  return QDir::homePath();
}

std::vector<std::string> QtFileDialogs::ChooseFilesToOpen(const std::string& folder) {
  return ChooseMeasurements("Open", folder);
}

std::vector<std::string> QtFileDialogs::ChooseFilesForBatch(const std::string& folder) {
  return ChooseMeasurements("Batch Process: choose the files", folder);
}

std::vector<std::string> QtFileDialogs::ChooseMeasurements(const QString& title,
                                                           const std::string& folder) {
  QFileDialog dialog(parent_, title, StartFolder(folder));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  const QStringList filters = OpenFilters();
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters[kMeasurementsFilter]);
  dialog.setDefaultSuffix("tmk");
  dialog.setOption(QFileDialog::ReadOnly, false);
  std::vector<std::string> paths;
  if (dialog.exec() != QDialog::Accepted) return paths;
  for (const QString& file : dialog.selectedFiles()) paths.push_back(ToStdString(file));
  return paths;
}

std::optional<std::string> QtFileDialogs::ChooseFileToSave(const std::string& folder,
                                                           const std::string& proposedPath) {
  QFileDialog dialog(parent_, "Save As", StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(kSaveFilters);
  dialog.selectNameFilter(kSaveFilters[1]);
  dialog.setDefaultSuffix("tmk");
  if (!proposedPath.empty()) dialog.selectFile(QFileInfo(ToQString(proposedPath)).fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog.selectedFiles().front());
}

std::optional<std::string> QtFileDialogs::ChooseExportFile(
    const std::string& title, const std::string& folder, const std::string& proposedPath,
    const std::vector<std::string>& filters) {
  QFileDialog dialog(parent_, ToQString(title), StartFolder(folder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList names;
  for (const std::string& filter : filters) names << ToQString(filter);
  dialog.setNameFilters(names);
  // The suffix follows the chosen filter, so "figure" with "SVG figure (*.svg)" is figure.svg.
  const auto suffixOf = [](const QString& filter) {
    const qsizetype star = filter.indexOf("*.");
    return star < 0 ? QString() : filter.mid(star + 2).section(QRegularExpression("[ )]"), 0, 0);
  };
  const QString proposed = QFileInfo(ToQString(proposedPath)).fileName();
  for (const QString& name : names)
    if (!proposed.isEmpty() && proposed.endsWith("." + suffixOf(name), Qt::CaseInsensitive))
      dialog.selectNameFilter(name);
  dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog.selectedFiles().front());
}

std::optional<std::string> QtFileDialogs::ChooseFolder(const std::string& title,
                                                       const std::string& folder) {
  const QString chosen =
      QFileDialog::getExistingDirectory(parent_, ToQString(title), StartFolder(folder));
  if (chosen.isEmpty()) return std::nullopt;
  return ToStdString(chosen);
}

}  // namespace tolmek
