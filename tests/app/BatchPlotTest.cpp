#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "MeasurementTexts.h"
#include "support/TestSupport.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::TempFolder;

// Runs the real tolmek-batch with no display at all; returns the exit status.
int RunWithoutDisplay(const std::string& arguments, std::string& err) {
  const TempFolder logs;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                              std::string(TOLMEK_BATCH_EXE) + " " + arguments + " >" +
                              logs.File("out") + " 2>" + logs.File("err");
  const int raw = std::system(command.c_str());
  err = Slurp(logs.File("err"));
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Width and height from a PNG file's header.
[[maybe_unused]] std::pair<int, int> PngSize(const std::string& bytes) {
  auto big = [&](size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) |
           (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) |
           static_cast<unsigned char>(bytes[at + 3]);
  };
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  return {big(16), big(20)};
}

TEST(BatchPlot, PaintsAPictureOfEachLoadedFileWithoutADisplay) {
  TempFolder data;
  data.Write("leaf.asc", test::AsciiMeasurement());
  data.Write("broken.asc", "no numbers here\r\n");
  std::string err;
  const int status = RunWithoutDisplay(
      "--plot --plot-size 320x200 " + data.File("leaf.asc") + " " + data.File("broken.asc"), err);
#ifdef TOLMEK_BATCH_HAS_PLOT
  EXPECT_EQ(status, 1) << err;  // the broken file fails; the run goes on
  EXPECT_EQ(PngSize(Slurp(data.File("leaf.png"))), std::make_pair(320, 200)) << err;
  EXPECT_TRUE(std::filesystem::exists(data.File("leaf.tmk")));
  EXPECT_FALSE(std::filesystem::exists(data.File("broken.png")));
  EXPECT_EQ(err.find("QStandardPaths"), std::string::npos) << err;
#else
  EXPECT_EQ(status, 2);
  EXPECT_NE(err.find("--plot is not available"), std::string::npos) << err;
#endif
  EXPECT_EQ(RunWithoutDisplay("--linear " + data.File("leaf.asc"), err), 2);
  EXPECT_EQ(RunWithoutDisplay("--plot --plot-size 12 " + data.File("leaf.asc"), err), 2);
}

}  // namespace
}  // namespace tolmek
