// "Compare": many measurements on one chart, normalized between the JIP-test's steps, as
// differences from a reference and as means of replicate groups, and the JIP-test radar of their
// parameters against the reference's. The list holds the measurements, each with a check box, the
// colour it is drawn in and the reference's mark.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "compare/CompareCurves.h"
#include "compare/CompareDrawing.h"
#include "compare/CompareRadar.h"
#include "data/Session.h"
#include "ui/Feedback.h"
#include "ui/FileDialogs.h"
#include "ui/gui/MenuProvider.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tolmek {

// The chart of the compared curves; tells the time under the pointer.
class CompareChartView : public QWidget {
  Q_OBJECT

 public:
  explicit CompareChartView(QWidget* parent = nullptr);
  void Show(std::vector<CompareCurve> curves, CompareChartOptions options);
  void Draw(DrawingSurface& surface) const;
  const ComparePlotFrame& Frame() const { return frame_; }

 signals:
  // The time under the pointer; empty when it left the plot.
  void PointerTime(std::optional<double> time);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::vector<CompareCurve> curves_;
  CompareChartOptions options_;
  ComparePlotFrame frame_;
  std::optional<double> pointerX_;
};

// The radar of the JIP-test parameters.
class RadarView : public QWidget {
  Q_OBJECT

 public:
  explicit RadarView(QWidget* parent = nullptr);
  void Show(RadarTable table, std::vector<CurveStyle> styles, std::string placeholder);
  void Draw(DrawingSurface& surface) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  RadarTable table_;
  std::vector<CurveStyle> styles_;
  std::string placeholder_;  // shown instead of the radar while it has nothing to draw
};

class CompareWindow : public QWidget, public MenuProvider {
  Q_OBJECT

 public:
  CompareWindow(Session& session, Feedback& feedback, FileDialogs& dialogs,
                QWidget* parent = nullptr);

  // The measurements of the list, in its order.
  struct Entry {
    CompareItem Item;
    bool Shown = true;
    bool FollowsLoaded = false;  // added as the loaded measurement: follows its moved points
  };
  const std::vector<Entry>& Entries() const { return entries_; }
  std::optional<size_t> Reference() const { return reference_; }
  // What the chart and the radar show now.
  const CurveSet& Curves() const { return curves_; }
  const RadarTable& Radar() const { return radar_; }
  // The table of the page shown (the curves or the radar), as Copy and Export Table give it.
  std::string TableText() const;
  // Every curve, group and value left out, one "label: reason" a line.
  std::string LeftOutText() const;

  // Reads the files into the list (those that cannot be read are named in a message).
  void AddFiles(const std::vector<std::string>& paths);
  void SetShown(size_t entry, bool shown);
  void SetReference(size_t entry);

  QTreeWidget* List() const { return list_; }
  QComboBox* QuantityBox() const { return quantity_; }
  QCheckBox* DifferenceBox() const { return difference_; }
  QCheckBox* GroupsBox() const { return groups_; }
  QCheckBox* LogarithmicBox() const { return logarithmic_; }
  QCheckBox* LegendBox() const { return legend_; }
  QTabWidget* Pages() const { return pages_; }
  CompareChartView* ChartView() const { return chart_; }
  RadarView* RadarPage() const { return radarView_; }
  QLabel* Readout() const { return readout_; }
  QLabel* LeftOutLabel() const { return leftOut_; }
  QAction* ExportChartAction() const { return exportChart_; }
  QAction* ExportTableAction() const { return exportTable_; }
  QAction* CopyAction() const { return copy_; }
  // The parameters ticked for the radar, in the list's order.
  std::vector<JipParameter> RadarParameters() const;
  QListWidget* RadarParameterList() const { return parameters_; }
  // "&File", "&Edit" and "&Window": the main window shows them while this window is active.
  QList<QMenu*> WindowMenus() override { return menus_; }

 public slots:
  // Follows the loaded measurement: an entry added as the loaded one takes its moved points
  // while the same file is loaded; "Add &Loaded" is offered while a file is loaded.
  void Refresh();
  void AddFilesClicked();
  void AddFolderClicked();
  void AddLoaded();
  void RemoveSelected();
  void ReferenceClicked();
  void ExportChart();
  void ExportTable();
  void Copy();
  void CloseWindow();

 private:
  void BuildMenus();
  void BuildControls();
  // Computes the curves and the radar again and shows them, the list's colours and what was
  // left out.
  void Rebuild();
  void FillList();
  void ShowReadout(std::optional<double> time);
  bool RadarShown() const;
  std::vector<CurveStyle> CurveStyles(const std::vector<std::vector<size_t>>& members) const;

  Session& session_;
  Feedback& feedback_;
  FileDialogs& dialogs_;
  std::vector<Entry> entries_;
  std::optional<size_t> reference_;
  std::vector<size_t> shownEntries_;  // the entries behind the items of the curves and radar
  CurveSet curves_;
  RadarTable radar_;
  std::vector<CompareExclusion> radarLeftOut_;
  std::vector<std::optional<CurveStyle>> entryStyles_;  // the colour each entry is drawn in
  std::string folder_;                                  // where the dialogs start
  bool filling_ = false;

  QTreeWidget* list_ = nullptr;
  QComboBox* quantity_ = nullptr;
  QCheckBox* difference_ = nullptr;
  QCheckBox* groups_ = nullptr;
  QCheckBox* logarithmic_ = nullptr;
  QCheckBox* legend_ = nullptr;
  QPushButton* addLoaded_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* setReference_ = nullptr;
  QTabWidget* pages_ = nullptr;
  CompareChartView* chart_ = nullptr;
  RadarView* radarView_ = nullptr;
  QWidget* radarPage_ = nullptr;
  QListWidget* parameters_ = nullptr;
  QLabel* readout_ = nullptr;
  QLabel* leftOut_ = nullptr;
  QAction* exportChart_ = nullptr;
  QAction* exportTable_ = nullptr;
  QAction* copy_ = nullptr;
  QList<QMenu*> menus_;
};

}  // namespace tolmek
