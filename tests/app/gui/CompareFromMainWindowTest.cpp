#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "analysis/PointSelection.h"

namespace tolmek::test {
namespace {

void AcceptNextDialog() {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->accept();
  });
}

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

TEST_F(MainWindow, ExportsTheMeasurementChartAsAPdfFigure) {
  Open("a.tmk");
  dialogs.ExportAnswer = folder.File("a.pdf");
  AcceptNextDialog();
  Trigger("FileExportChart");
  EXPECT_EQ(dialogs.LastExportProposal, folder.File("a.png"));
  EXPECT_EQ(Slurp(folder.File("a.pdf")).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace tolmek::test
