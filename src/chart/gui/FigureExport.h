// Exporting a chart as a figure: the file (its extension chooses PNG, SVG or PDF), then the size
// in pixels or millimetres, then the chart drawn once onto the figure.
#pragma once

#include <QDialog>
#include <QSize>
#include <optional>
#include <string>

#include "chart/FigureSize.h"
#include "chart/painting/QtFigure.h"
#include "ui/Feedback.h"
#include "ui/FileDialogs.h"

class QComboBox;
class QDoubleSpinBox;

namespace tolmek {

// "Figure Size": width and height in pixels or millimetres (1 pixel = 1/96 inch in SVG and PDF).
class FigureSizeDialog : public QDialog {
  Q_OBJECT

 public:
  FigureSizeDialog(FigureSize proposed, QWidget* parent = nullptr);
  FigureSize Chosen() const;
  QDoubleSpinBox* WidthBox() const { return width_; }
  QDoubleSpinBox* HeightBox() const { return height_; }
  QComboBox* UnitBox() const { return unit_; }

 private:
  void UnitChanged(int unit);
  QDoubleSpinBox* width_;
  QDoubleSpinBox* height_;
  QComboBox* unit_;
  int shownUnit_ = 0;
};

// "PNG picture (*.png)", "SVG figure (*.svg)", "PDF document (*.pdf)".
std::vector<std::string> FigureFilters();

// Asks for the file and the size (proposed: size), writes the figure and says so when it cannot
// be written. Returns the path written, nothing when the user cancelled or the writing failed.
std::optional<std::string> ExportFigure(QWidget* parent, Feedback& feedback, FileDialogs& dialogs,
                                        const std::string& folder, const std::string& proposedPath,
                                        QSize size, const FigureDrawing& draw);

}  // namespace tolmek
