#include "Avgform.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/Averaging.h"
#include "ui/CommandGuard.h"
#include "ui/gui/QtFeedback.h"

namespace tolmek {

Avgform::Avgform(Session& session, Feedback& feedback, QWidget* parent)
    : QDialog(parent), session_(session), feedback_(feedback) {
  setWindowTitle("Average");
  auto* options = new QGroupBox("Options", this);
  CheckRES = new QCheckBox("Average RES files:", options);
  CheckRES->setObjectName("CheckRES");
  CheckRES->setChecked(true);
  CheckASC = new QCheckBox("Average ASC files:", options);
  CheckASC->setObjectName("CheckASC");
  CheckASC->setChecked(true);
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(CheckRES);
  optionsLayout->addWidget(CheckASC);

  // A folder chooser and the list of the folder's candidates stand for the drive, folder and
  // file list boxes.
  auto* select = new QGroupBox("Select folder", this);
  Dir1 = new QLineEdit(select);
  Dir1->setObjectName("Dir1");
  BrowseButton = new QPushButton("&Browse...", select);
  File1 = new QListWidget(select);
  File1->setObjectName("File1");
  File1->setSelectionMode(QAbstractItemView::NoSelection);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(Dir1);
  folderRow->addWidget(BrowseButton);
  auto* selectLayout = new QVBoxLayout(select);
  selectLayout->addLayout(folderRow);
  selectLayout->addWidget(File1);

  OKbtn = new QPushButton("&OK", this);
  OKbtn->setObjectName("OKbtn");
  OKbtn->setDefault(true);
  Cancelbtn = new QPushButton("&Cancel", this);
  Cancelbtn->setObjectName("Cancelbtn");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKbtn);
  buttons->addWidget(Cancelbtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(options);
  layout->addWidget(select);
  layout->addLayout(buttons);
  connect(BrowseButton, &QPushButton::clicked, this, &Avgform::Browse);
  connect(Dir1, &QLineEdit::editingFinished, this, &Avgform::RefreshFiles);
  connect(OKbtn, &QPushButton::clicked, this, &Avgform::OKbtn_Click);
  connect(Cancelbtn, &QPushButton::clicked, this, &QDialog::reject);
  Dir1->setText(ToQString(session_.Options.DataFolder));
  resize(380, 420);
}

void Avgform::SetFolder(const QString& folder) {
  Dir1->setText(folder);
  RefreshFiles();
}

void Avgform::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RefreshFiles();
}

void Avgform::Browse() {
  const QString folder = QFileDialog::getExistingDirectory(this, "Select folder", Dir1->text());
  if (!folder.isEmpty()) SetFolder(folder);
}

void Avgform::RefreshFiles() {
  File1->clear();
  for (const std::string& name : ListAveragingCandidates(ToStdString(Dir1->text())))
    File1->addItem(ToQString(name));
}

void Avgform::OKbtn_Click() {
  const std::string folder = ToStdString(Dir1->text());
  const bool curves = CheckASC->isChecked();
  // The dialog goes out of the way of the progress window; the work ends it.
  hide();
  RunReportingFailure(feedback_, [&] {
    AverageFolder(session_, feedback_, folder, CheckRES->isChecked(), curves);
  });
  if (curves) emit FileListReplaced();
  accept();
}

}  // namespace tolmek
