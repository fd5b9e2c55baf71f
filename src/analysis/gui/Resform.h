// "Results": the results table in a grid with its own File, Edit and Window menus: save to
// FL.RES, copy, delete rows and clear.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "TableWindow.h"
#include "ui/gui/MenuProvider.h"

class QTableWidget;

namespace tolmek {

class Resform : public TableWindow, public MenuProvider {
  Q_OBJECT

 public:
  Resform(Session& session, Feedback& feedback, QWidget* parent = nullptr);

  QList<QMenu*> WindowMenus() override;

 public slots:
  // RefreshGrid: rows 1..ResultRowCount into the grid, the column names into its heading.
  void Refresh() override;

 signals:
  // Rows were deleted or the table was cleared.
  void RowsChanged();

 private:
  void BuildMenus();
  void SetColumnWidths();
  void Copy();
  void DeleteRows();
  void Clear();

  QTableWidget* Grid1 = nullptr;
  // The texts the grid shows, row by row, so that a refresh sets only the cells that changed.
  std::vector<std::array<std::string, kResultColumnCount>> shown_;
  bool widthsSet_ = false;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
};

}  // namespace tolmek
