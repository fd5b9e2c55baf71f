// "DF Min/Max": the DF peak table in a grid with its own File, Edit and Window menus: save to
// DF.RES, copy, delete a peak and move waves left or right.
#pragma once

#include "TableWindow.h"
#include "ui/gui/MenuProvider.h"

class QTableWidget;

namespace tolmek {

class ViewDFPeaks : public TableWindow, public MenuProvider {
  Q_OBJECT

 public:
  ViewDFPeaks(Session& session, Feedback& feedback, QWidget* parent = nullptr);

  QList<QMenu*> WindowMenus() override;

 public slots:
  // RefreshGrid: the table's rows 1..8 into the grid, row 0 and the labels into its headings.
  void Refresh() override;

 signals:
  // DF points were changed by an edit; the tables are recomputed already.
  void PointsChanged();
  // The chart must be drawn again (after an edit, while automatic redraw is on).
  void RedrawRequested();

 private:
  void BuildMenus();
  void Copy();
  void Delete();
  void Move(bool left);
  void AfterEdit();

  QTableWidget* Grid1 = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
};

}  // namespace tolmek
