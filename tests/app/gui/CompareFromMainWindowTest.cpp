#include <QDialog>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "analysis/PointSelection.h"
#include "chart/gui/FigureExport.h"

namespace tolmek::test {
namespace {

// The Compare window needs no loaded file, follows the loaded measurement it was given and stays
// open from file to file.
TEST_F(MainWindow, TheCompareWindowFollowsTheLoadedMeasurementAndOutlivesALoad) {
  Trigger("ViewCompare");
  CompareWindow* compare = form->Compare();
  ASSERT_NE(compare, nullptr);
  auto* addLoaded = compare->findChild<QPushButton*>("AddLoaded");
  EXPECT_FALSE(addLoaded->isEnabled());

  Open("a.tmk");
  ASSERT_EQ(form->Compare(), compare);
  ASSERT_TRUE(addLoaded->isEnabled());
  addLoaded->click();
  ASSERT_EQ(compare->Entries().size(), 1u);
  const int moved = session.Record.PFPoints[kSlotFm] - 5;
  session.Record.PFPoints[kSlotFm] = static_cast<int16_t>(moved);
  Trigger("view1");  // any command: the windows follow the Session after it
  const CompareItem& item = compare->Entries()[0].Item;
  ASSERT_TRUE(item.Steps[kStepP].Time);
  EXPECT_EQ(*item.Steps[kStepP].Time, item.Time[static_cast<size_t>(moved) - 1]);

  Open("b.tmk");
  EXPECT_EQ(form->Compare(), compare);
  EXPECT_TRUE(Children().contains(qobject_cast<QMdiSubWindow*>(compare->parentWidget())));
  // The entry keeps a.tmk's points when b.tmk's Fm moves.
  session.Record.PFPoints[kSlotFm] = static_cast<int16_t>(moved - 5);
  Trigger("view1");
  EXPECT_EQ(*compare->Entries()[0].Item.Steps[kStepP].Time,
            item.Time[static_cast<size_t>(moved) - 1]);
}

// The figure in another size than the chart on the screen, which afterwards is laid out for its
// own size again (the pointer and the cursor keys read positions through that layout).
TEST_F(MainWindow, ExportsTheMeasurementChartAsAPdfFigure) {
  Open("a.tmk");
  const ChartFrame shown = session.Frame;
  dialogs.ExportAnswer = folder.File("a.pdf");
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<FigureSizeDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->WidthBox()->setValue(300);
    dialog->HeightBox()->setValue(200);
    dialog->accept();
  });
  Trigger("FileExportChart");
  EXPECT_EQ(dialogs.LastExportProposal, folder.File("a.png"));
  const std::string pdf = Slurp(folder.File("a.pdf"));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/MediaBox [0 0 225"), std::string::npos);  // 300 pixels at 96 dpi
  EXPECT_EQ(session.Frame.XUnitsPerPixel, shown.XUnitsPerPixel);
  EXPECT_EQ(session.Frame.YUnitsPerPixel, shown.YUnitsPerPixel);
}

}  // namespace
}  // namespace tolmek::test
