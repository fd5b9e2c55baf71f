#include "FigureExport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <cmath>

#include "ui/gui/QtFeedback.h"

namespace tolmek {

namespace {
constexpr int kPixels = 0;
constexpr int kMillimetres = 1;
}  // namespace

FigureSizeDialog::FigureSizeDialog(FigureSize proposed, QWidget* parent)
    : QDialog(parent),
      width_(new QDoubleSpinBox(this)),
      height_(new QDoubleSpinBox(this)),
      unit_(new QComboBox(this)) {
  setWindowTitle("Figure Size");
  setObjectName("FigureSizeDialog");
  for (QDoubleSpinBox* box : {width_, height_}) {
    box->setDecimals(0);
    box->setRange(kMinFigureSide, kMaxFigureSide);
  }
  width_->setValue(proposed.Width);
  height_->setValue(proposed.Height);
  width_->setAccessibleName("Width");
  height_->setAccessibleName("Height");
  unit_->addItems({"pixels", "millimetres"});
  unit_->setCurrentIndex(kPixels);
  unit_->setAccessibleName("Unit");
  connect(unit_, &QComboBox::currentIndexChanged, this, &FigureSizeDialog::UnitChanged);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow("&Width:", width_);
  form->addRow("&Height:", height_);
  form->addRow("&Unit:", unit_);
  form->addRow(buttons);
}

void FigureSizeDialog::UnitChanged(int unit) {
  if (unit == shownUnit_) return;
  const double factor =
      unit == kMillimetres ? 1 / kFigurePixelsPerMillimetre : kFigurePixelsPerMillimetre;
  for (QDoubleSpinBox* box : {width_, height_}) {
    const double value = box->value() * factor;
    box->setDecimals(unit == kMillimetres ? 1 : 0);
    box->setRange(
        unit == kMillimetres ? kMinFigureSide / kFigurePixelsPerMillimetre : kMinFigureSide,
        unit == kMillimetres ? kMaxFigureSide / kFigurePixelsPerMillimetre : kMaxFigureSide);
    box->setValue(value);
  }
  shownUnit_ = unit;
}

FigureSize FigureSizeDialog::Chosen() const {
  const QString unit = shownUnit_ == kMillimetres ? "mm" : "";
  const QString text = QString::number(width_->value(), 'f', width_->decimals()) + "x" +
                       QString::number(height_->value(), 'f', height_->decimals()) + unit;
  const std::optional<FigureSize> size = ParseFigureSize(text.toStdString());
  // The spin boxes keep every side within the limits; a millimetre value at the very edge may
  // round one pixel beyond it.
  if (size) return *size;
  const auto clampSide = [&](double value) {
    const double pixels = shownUnit_ == kMillimetres ? value * kFigurePixelsPerMillimetre : value;
    return static_cast<int>(
        std::clamp(std::round(pixels), double{kMinFigureSide}, double{kMaxFigureSide}));
  };
  return {clampSide(width_->value()), clampSide(height_->value())};
}

std::vector<std::string> FigureFilters() {
  return {"PNG picture (*.png)", "SVG figure (*.svg)", "PDF document (*.pdf)"};
}

std::optional<std::string> ExportFigure(QWidget* parent, Feedback& feedback, FileDialogs& dialogs,
                                        const std::string& folder, const std::string& proposedPath,
                                        QSize size, const FigureDrawing& draw) {
  std::optional<std::string> path =
      dialogs.ChooseExportFile("Export Chart", folder, proposedPath, FigureFilters());
  if (!path) return std::nullopt;
  if (!FigureFormatOf(*path)) {
    feedback.ShowMessage(*path + " is no .png, .svg or .pdf file: the figure was not written.",
                         MessageIcon::Exclamation);
    return std::nullopt;
  }
  const FigureSize proposed{std::clamp(size.width(), kMinFigureSide, kMaxFigureSide),
                            std::clamp(size.height(), kMinFigureSide, kMaxFigureSide)};
  FigureSizeDialog dialog(proposed, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const FigureSize chosen = dialog.Chosen();
  if (!WriteFigure(*path, chosen.Width, chosen.Height, draw)) {
    feedback.ShowMessage("The figure " + *path + " could not be written.", MessageIcon::Critical);
    return std::nullopt;
  }
  return path;
}

}  // namespace tolmek
