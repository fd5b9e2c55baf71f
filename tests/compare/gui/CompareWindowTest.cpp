#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include "compare/gui/CompareWindow.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TestSupport.h"
#include "synth/GeneratorCommand.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// Five replicates of a control and of a treatment, each a native file with its points; the
// control's first replicate also as an ASCII table, which a folder gives only once.
class CompareWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 5; ++i) {
      Generate("ctrl" + std::to_string(i) + ".tmk", i, "tmk13");
      Generate("heat" + std::to_string(i) + ".tmk", 10 + i, "tmk13");
    }
    Generate("ctrl1.asc", 1, "asc");
    window = std::make_unique<CompareWindow>(session, feedback, dialogs);
    window->resize(1000, 600);
    window->show();
  }
  void Generate(const std::string& name, int seed, const std::string& format) {
    folder.Write(name, synth::GenerateContent({"--seed", std::to_string(seed), "--format", format,
                                               "--points", "300"}));
  }
  void Click(const char* button) { window->findChild<QPushButton*>(button)->click(); }
  void AddTheFolder() {
    dialogs.FolderAnswer = folder.Path();
    Click("AddFolder");
  }
  // The colour of an entry's swatch in the list.
  QColor SwatchColour(int row) {
    const QImage image = window->List()->topLevelItem(row)->icon(0).pixmap(14, 14).toImage();
    return image.pixelColor(7, 7);
  }

  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
  test::ScriptedFileDialogs dialogs;
  std::unique_ptr<CompareWindow> window;
};

TEST_F(CompareWindowTest, AFolderGivesOneEntryPerMeasurementEachInTheColourOfItsCurve) {
  AddTheFolder();
  ASSERT_EQ(window->Entries().size(), 10u);
  EXPECT_EQ(window->Entries()[0].Item.Path, folder.File("ctrl1.tmk"));
  EXPECT_EQ(window->Reference(), 0u);
  EXPECT_EQ(window->Curves().Curves.size(), 10u);
  EXPECT_TRUE(window->LeftOutText().empty()) << window->LeftOutText();
  // The third entry is drawn orange (the palette's second colour is the second entry's).
  EXPECT_EQ(SwatchColour(1), QColor(230, 159, 0));
  // A hidden entry leaves the chart; the others keep their colours.
  window->List()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
  EXPECT_EQ(window->Curves().Curves.size(), 9u);
  EXPECT_EQ(SwatchColour(2), QColor(86, 180, 233));
  EXPECT_EQ(SwatchColour(1).alpha(), 0);  // not drawn: an empty frame
  // The radar compares each shown measurement with the reference, which lies on the circle.
  ASSERT_EQ(window->Radar().Rows.size(), 9u);
  for (const auto& ratio : window->Radar().Rows[0].Ratios) {
    if (ratio) {
      EXPECT_DOUBLE_EQ(*ratio, 1.0);
    }
  }
}

TEST_F(CompareWindowTest, AFolderIsReadUnderTheProgressWindowAndEscKeepsWhatWasRead) {
  feedback.CancelAtTurn = 4;
  AddTheFolder();
  EXPECT_EQ(window->Entries().size(), 4u);
  EXPECT_EQ(window->Curves().Curves.size(), 4u);
  EXPECT_EQ(feedback.ProgressValues.front(), 10);
}

TEST_F(CompareWindowTest, GroupsAndDifferencesFromTheControlGroup) {
  AddTheFolder();
  window->GroupsBox()->setChecked(true);
  ASSERT_EQ(window->Curves().Curves.size(), 2u);
  EXPECT_EQ(window->Curves().Curves[0].Label, "ctrl");
  EXPECT_FALSE(window->Curves().Curves[0].Error.empty());
  window->DifferenceBox()->setChecked(true);
  ASSERT_EQ(window->Curves().Curves.size(), 2u);
  for (double value : window->Curves().Curves[0].Value) EXPECT_EQ(value, 0);
  // Another reference: the treatment's group becomes the zero line.
  window->SetReference(7);
  for (double value : window->Curves().Curves[1].Value) EXPECT_EQ(value, 0);
  EXPECT_NE(window->Curves().Curves[0].Value, window->Curves().Curves[1].Value);
  // Without a reference there are no differences, and the window says why.
  window->List()->setCurrentItem(window->List()->topLevelItem(7));
  window->List()->topLevelItem(7)->setSelected(true);
  Click("Remove");
  EXPECT_FALSE(window->Reference());
  EXPECT_TRUE(window->Curves().Curves.empty());
  EXPECT_NE(window->LeftOutLabel()->text().indexOf("differences need a reference"), -1);
}

TEST_F(CompareWindowTest, TheReadoutGivesEveryShownCurveAtThePointer) {
  AddTheFolder();
  window->GroupsBox()->setChecked(true);
  QApplication::processEvents();
  window->ChartView()->repaint();
  const ComparePlotFrame frame = window->ChartView()->Frame();
  ASSERT_TRUE(frame.Drawn);
  const int x = static_cast<int>((frame.Left + frame.Right) / 2);
  QTest::mouseMove(window->ChartView(), QPoint(x, static_cast<int>(frame.Top) + 20));
  const QString text = window->Readout()->text();
  const double time = *frame.TimeAt(x);
  EXPECT_NE(text.indexOf("t = "), -1) << text.toStdString();
  const auto values = ValuesAt(window->Curves().Curves, time);
  for (size_t c = 0; c < values.size(); ++c) {
    ASSERT_TRUE(values[c]);
    EXPECT_NE(text.indexOf(QString::number(*values[c], 'g', 4)), -1);
  }
}

TEST_F(CompareWindowTest, ExportsTheChartAsAFigureAndCopiesTheTable) {
  AddTheFolder();
  dialogs.ExportAnswer = folder.File("figure.svg");
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->accept();
  });
  window->ExportChartAction()->trigger();
  const std::string svg = test::Slurp(folder.File("figure.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_EQ(dialogs.LastExportProposal, folder.File("compare.png"));

  window->CopyAction()->trigger();
  const std::string copied = QApplication::clipboard()->text().toStdString();
  EXPECT_EQ(copied, window->TableText());
  EXPECT_EQ(copied.substr(0, copied.find('\t')), "ctrl1 t (ms)");
  dialogs.ExportAnswer = folder.File("radar.tsv");
  window->Pages()->setCurrentIndex(1);
  window->ExportTableAction()->trigger();
  EXPECT_EQ(test::Slurp(folder.File("radar.tsv")), window->TableText());
  EXPECT_EQ(window->TableText().rfind("name\tFv/Fm", 0), 0u) << window->TableText();
}

TEST_F(CompareWindowTest, TheRadarShowsTheTickedParametersInTheListsOrder) {
  AddTheFolder();
  EXPECT_EQ(window->RadarParameters(), DefaultRadarParameters());
  QListWidget* list = window->RadarParameterList();
  ASSERT_EQ(list->count(), kJipParameterCount);
  list->findItems("Vj", Qt::MatchExactly).front()->setCheckState(Qt::Unchecked);
  list->findItems("Fo", Qt::MatchExactly).front()->setCheckState(Qt::Checked);
  const auto& parameters = window->Radar().Parameters;
  ASSERT_EQ(parameters.size(), 12u);
  EXPECT_EQ(std::count(parameters.begin(), parameters.end(), kJipVj), 0);
  EXPECT_EQ(parameters.back(), kJipFo);
  window->Pages()->setCurrentIndex(1);
  EXPECT_EQ(window->TableText().rfind("name\tFv/Fm\tFv/Fo\tMo\tPsi_o", 0), 0u);
  // Fewer than three make no radar.
  for (int row = 0; row < list->count(); ++row)
    if (row > 1) list->item(row)->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(window->Radar().Rows.empty());
}

}  // namespace
}  // namespace tolmek
