// "Average": a folder, its averaging candidates ("*.asc; *.res") and the choice of averaging the
// results (FL.RES into Fl_avg.res and Fl_err.res) and the ASCII curves (into "!.avg" files).
#pragma once

#include <QDialog>

#include "data/Session.h"
#include "ui/Feedback.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tolmek {

class Avgform : public QDialog {
  Q_OBJECT

 public:
  Avgform(Session& session, Feedback& feedback, QWidget* parent = nullptr);

  // Chooses the folder and lists its candidates.
  void SetFolder(const QString& folder);

 signals:
  // The ASCII averaging replaced the file list that previous and next walk.
  void FileListReplaced();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Browse();
  void RefreshFiles();
  void OKbtn_Click();

  Session& session_;
  Feedback& feedback_;
  QCheckBox* CheckRES = nullptr;
  QCheckBox* CheckASC = nullptr;
  QLineEdit* Dir1 = nullptr;
  QPushButton* BrowseButton = nullptr;
  QListWidget* File1 = nullptr;
  QPushButton* OKbtn = nullptr;
  QPushButton* Cancelbtn = nullptr;
};

}  // namespace tolmek
