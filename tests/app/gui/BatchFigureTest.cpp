// The figures of tolmek-batch (--compare, --radar, --plot-format) opened with Qt's own readers: the
// PNG as an image, the SVG as XML, the PDF by its header and its embedded font.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "support/TestSupport.h"

namespace tolmek {
namespace {

using test::Count;
using test::Slurp;
using test::TempFolder;
namespace fs = std::filesystem;

// Runs the real tolmek-batch without a display; its exit status.
int RunTolmekBatch(const std::string& arguments) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              std::string(TOLMEK_BATCH_EXE) + " " + arguments + " 2>/dev/null";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The number of lines, polylines and paths drawn with each pen ("#rrggbb width") of an SVG file;
// empty when the file is not well-formed XML.
std::map<std::string, int> LinesByPen(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader svg(&file);
  std::vector<std::string> pens{""};
  std::map<std::string, int> lines;
  while (!svg.atEnd()) {
    svg.readNext();
    if (svg.isStartElement()) {
      const auto attributes = svg.attributes();
      std::string pen = pens.back();
      if (attributes.hasAttribute("stroke"))
        pen = attributes.value("stroke").toString().toStdString() + " " +
              attributes.value("stroke-width").toString().toStdString();
      pens.push_back(pen);
      if (svg.name() == u"polyline" || svg.name() == u"path" || svg.name() == u"line") ++lines[pen];
    } else if (svg.isEndElement()) {
      pens.pop_back();
    }
  }
  if (svg.hasError()) return {};
  return lines;
}

bool HasColour(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

// The first three colours of the curves (black, orange, sky blue) and the fourth, not drawn.
const char* const kDrawn[] = {"#000000", "#e69f00", "#56b4e9"};
const char* const kNotDrawn = "#009e73";

class BatchFigures : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"control-1.tmk", "control-2.tmk", "leaf01.tmk"}) {
      fs::copy_file(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name, data_.File(name));
      files_ += " " + data_.File(name);
    }
  }

  // Checks the figure of three curves or rows in each format; lines is how many lines each
  // curve's pen draws (the legend's included).
  void ExpectFigures(const std::string& command, int lines) {
    for (const char* format : {"png", "svg", "pdf"}) {
      SCOPED_TRACE(format);
      const std::string out = data_.File(std::string("figure.") + format);
      ASSERT_EQ(RunTolmekBatch(command + " " + out + " --plot-size 600x400" + files_), 0);
      if (format == std::string("png")) {
        const QImage image(QString::fromStdString(out));
        ASSERT_EQ(image.size(), QSize(600, 400));
        for (const char* colour : kDrawn) EXPECT_TRUE(HasColour(image, QColor(colour))) << colour;
        EXPECT_FALSE(HasColour(image, QColor(kNotDrawn)));
      } else if (format == std::string("svg")) {
        const auto pens = LinesByPen(out);
        for (const char* colour : kDrawn) EXPECT_EQ(pens.at(colour + std::string(" 2")), lines);
        EXPECT_EQ(pens.count(kNotDrawn + std::string(" 2")), 0u);
        // Real text: the legend names the curves.
        EXPECT_NE(Slurp(out).find(">control-2</text>"), std::string::npos);
      } else {
        const std::string pdf = Slurp(out);
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_NE(pdf.find("/FontFile"), std::string::npos);           // the font is embedded
        EXPECT_NE(pdf.find("/MediaBox [0 0 450"), std::string::npos);  // 600 pixels at 96 dpi
      }
    }
  }

  TempFolder data_;
  std::string files_;
};

TEST_F(BatchFigures, CompareDrawsOnePathOfItsColourPerCurveInEveryFormat) {
  // The curve in one piece and the legend's line.
  ExpectFigures("--compare", 2);
}

TEST_F(BatchFigures, RadarDrawsOneOutlineOfItsColourPerRowInEveryFormat) {
  // Twelve parameters: twelve edges and the legend's line.
  ExpectFigures("--reference " + data_.File("control-1.tmk") + " --radar", 13);
}

TEST_F(BatchFigures, PlotWritesTheChartInTheFormatAsked) {
  for (const char* format : {"svg", "pdf"}) {
    ASSERT_EQ(RunTolmekBatch(std::string("--plot --plot-format ") + format + " " +
                             data_.File("leaf01.tmk")),
              0);
    const std::string out = data_.File(std::string("leaf01.") + format);
    if (format == std::string("svg")) {
      EXPECT_FALSE(LinesByPen(out).empty());                      // well-formed, with lines
      EXPECT_GT(Count(Slurp(out), "<g fill=\"#0000ff\""), 200u);  // the PF curve's dots
    } else {
      EXPECT_EQ(Slurp(out).rfind("%PDF-", 0), 0u);
    }
  }
}

}  // namespace
}  // namespace tolmek
