// The file information window.
#pragma once

#include <QDialog>
#include <array>

#include "app/FileInfo.h"

class QLabel;
class QLineEdit;

class Infofrm : public QDialog {
  Q_OBJECT

 public:
  explicit Infofrm(QWidget* parent = nullptr);
  void Fill(const tolmek::FileInfoTexts& info);

  QLabel *Panel_name, *Panel_type, *Panel_date, *Panel_Exp, *Panel_num, *Panel_PF, *Panel_DF;
  std::array<QLineEdit*, tolmek::kHeaderCommentCount> Text1{};
};
