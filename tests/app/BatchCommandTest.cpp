#include "app/batch/BatchCommand.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "MeasurementTexts.h"
#include "support/TestSupport.h"
#include "synth/Synthetic.h"

namespace tolmek {
namespace {

using test::Count;
using test::Slurp;
using test::TempFolder;

struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs the real tolmek-batch with the arguments (paths without blanks), no display at all, no
// settings of the user's and the same time zone everywhere.
Outcome RunTolmekBatch(const std::string& arguments) {
  const TempFolder logs;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TZ=UTC " +
                              ("XDG_CONFIG_HOME=" + logs.Path() + " ") +
                              std::string(TOLMEK_BATCH_EXE) + " " + arguments + " >" +
                              logs.File("out") + " 2>" + logs.File("err");
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(logs.File("out")), Slurp(logs.File("err"))};
}

namespace fs = std::filesystem;

// The outputs tolmek-batch writes beside its inputs: everything but the recordings and backups.
std::set<std::string> Outputs(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".dat" && extension != ".bak") names.insert(entry.path().filename().string());
  }
  return names;
}

// tolmek-batch over a copy of examples/ with the settings beside the expected files (the JIP-test
// on) writes tests/testdata/expected/examples byte for byte and the messages of examples.err. A
// recording's native file carries the recording's date and time, so the copies get a fixed one and
// the run a fixed time zone. With TOLMEK_UPDATE_EXPECTED set the outputs replace the expected files
// (tools/update-expected.sh).
TEST(ExpectedOutputs, OfTheExamplesAreWrittenByteForByte) {
  const std::string expected = std::string(TOLMEK_TEST_DATA_DIR) + "/expected";
  const auto fixedTime = std::chrono::file_clock::from_sys(std::chrono::sys_seconds{
      std::chrono::sys_days{std::chrono::year{2024} / 3 / 1} + std::chrono::hours{9}});
  TempFolder data;
  std::set<std::string> inputs;
  for (const auto& entry : fs::directory_iterator(TOLMEK_EXAMPLES_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".asc" || extension == ".tmk" || extension == ".dat")
      inputs.insert(entry.path().filename().string());
  }
  std::string files;
  for (const std::string& name : inputs) {
    fs::copy_file(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name, data.File(name));
    fs::last_write_time(data.File(name), fixedTime);
    files += " " + data.File(name);
  }
  const Outcome run = RunTolmekBatch("--settings " + expected + "/examples.ini" + files);
  EXPECT_EQ(run.Status, 0);
  std::string messages = run.Err;
  for (size_t at; (at = messages.find(data.Path())) != std::string::npos;)
    messages.replace(at, data.Path().size(), "FOLDER");

  const std::string wanted = expected + "/examples";
  if (std::getenv("TOLMEK_UPDATE_EXPECTED")) {
    std::ofstream(expected + "/examples.err", std::ios::binary) << messages;
    fs::remove_all(wanted);
    fs::create_directory(wanted);
    for (const std::string& name : Outputs(data.Path()))
      fs::copy_file(data.File(name), wanted + "/" + name);
    GTEST_SKIP() << "wrote " << wanted;
  }
  EXPECT_EQ(messages, Slurp(expected + "/examples.err"));
  ASSERT_EQ(Outputs(data.Path()), Outputs(wanted));
  for (const std::string& name : Outputs(wanted))
    EXPECT_EQ(Slurp(data.File(name)), Slurp(wanted + "/" + name)) << name;
}

TEST(BatchCommand, ProcessesEveryGoodFileOnceNamesEveryBadOneAndExitsWithOne) {
  TempFolder data;
  const std::string good = synth::MakeRecording({.M = 600});
  std::vector<std::string> bad;
  std::string names;
  for (int i = 0; i < 1000; ++i) {
    const std::string name = "r" + std::to_string(1000 + i) + ".dat";
    std::string bytes = good;
    if (i % 10 == 3) bytes.resize(300);                 // truncated
    if (i % 10 == 6) bytes[3] = 2;                      // a type the reader does not know
    if (i % 10 == 9) bytes = test::AsciiMeasurement();  // text named .dat
    if (bytes != good) bad.push_back(name);
    data.Write(name, bytes);
    names += " " + data.File(name);
  }
  const Outcome run = RunTolmekBatch(names);
  EXPECT_EQ(run.Status, 1);
  const std::string flRes = Slurp(data.File("fl.res"));
  EXPECT_EQ(Count(flRes, "\r\n"), 701u);
  EXPECT_EQ(Count(flRes, "\t"), 28u * 701);
  EXPECT_EQ(Count(flRes, "\r\nr1000.dat\t"), 1u);
  EXPECT_EQ(Count(flRes, "\r\nr1003.dat\t"), 0u);
  const std::string dfRes = Slurp(data.File("df.res"));
  EXPECT_EQ(Count(dfRes, "\r\n"), 11u * 700);
  EXPECT_EQ(Count(dfRes, "\r\n\r\n"), 700u);
  for (const std::string& name : bad) EXPECT_NE(run.Err.find(name + ": "), std::string::npos);
  EXPECT_NE(run.Err.find("r1009.dat: Cannot read file."), std::string::npos);
}

TEST(BatchCommand, TakesTheGainsOfAnOutOfRangeHeaderOnlyFromTheCommand) {
  TempFolder data;
  data.Write("leaf.dat", synth::MakeRecording({.M = 3000, .DFGain = "0*0"}));
  const Outcome without = RunTolmekBatch(data.File("leaf.dat"));
  EXPECT_EQ(without.Status, 1);
  EXPECT_NE(without.Err.find("--gains"), std::string::npos);
  EXPECT_FALSE(fs::exists(data.File("leaf.tmk")));
  const Outcome with = RunTolmekBatch("--gains 6,120 " + data.File("leaf.dat"));
  EXPECT_EQ(with.Status, 0) << with.Err;
  EXPECT_TRUE(fs::exists(data.File("leaf.tmk")));
}

TEST(BatchCommand, ReadsTheUsableLinesOfAJunkSettingsFileAndAveragesTheFolder) {
  TempFolder data;
  const std::string settings =
      data.Write("junk.ini",
                 "\xff\xfe junk\r\n=\r\nPath\r\nDFPattern = a,b,c\r\n\x01\x02\r\n"
                 "Window.state = 1E9\r\nStripFileName = 1\r\n");
  data.Write("leaf0121.txt", test::AsciiMeasurement());
  data.Write("leaf0122.txt", test::AsciiMeasurement());
  const std::string files = data.File("leaf0121.txt") + " " + data.File("leaf0122.txt");
  const Outcome run = RunTolmekBatch("--settings " + settings + " " + files);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(Slurp(data.File("fl.res")).find("\r\nleaf0121\t"), std::string::npos);

  EXPECT_EQ(RunTolmekBatch("--average " + data.Path()).Status, 0);
  EXPECT_TRUE(fs::exists(data.File("Fl_avg.res")));
  EXPECT_TRUE(fs::exists(data.File("leaf012!.avg")));
  TempFolder empty;
  EXPECT_EQ(RunTolmekBatch("--average " + empty.Path() + " --results").Status, 1);
  EXPECT_EQ(RunTolmekBatch("--average " + empty.File("missing")).Status, 1);
  EXPECT_EQ(RunTolmekBatch("--settings " + data.File("none.ini") + " " + files).Status, 1);
}

TEST(BatchCommand, WritesTheJipTestOfRealExportsAndSplitsAnExportIntoMeasurementsThatLoad) {
  TempFolder data;
  for (const char* name : {"ojip-export-2.txt", "ojip-export-5.txt"})
    fs::copy_file(std::string(TOLMEK_TEST_DATA_DIR) + "/" + name, data.File(name));
  const Outcome run = RunTolmekBatch("--jip " + data.File("ojip-export-2.txt") + " " +
                                     data.File("ojip-export-5.txt"));
  EXPECT_EQ(run.Status, 0) << run.Err;
  const std::string jipRes = Slurp(data.File("jip.res"));
  EXPECT_EQ(Count(jipRes, "\r\n"), 3u);
  EXPECT_NE(jipRes.find("\r\nojip-export-5.txt\t43369.00\t49806.00\t56471.00\t56016.00\t"
                        "59170.00\t181.62\t15801.00\t0.829\t0.800\t1.364\t0.364\t0.267\t1.630\t"),
            std::string::npos);
  EXPECT_EQ(Count(Slurp(data.File("fl.res")), "\r\n"), 3u);

  data.Write("three.txt", test::OjipExportText(3, 40));
  const Outcome split = RunTolmekBatch("--split " + data.File("three.txt"));
  EXPECT_EQ(split.Status, 0) << split.Err;
  const Outcome load = RunTolmekBatch(data.File("three-5.asc") + " " + data.File("three-6.asc") +
                                      " " + data.File("three-7.asc"));
  EXPECT_EQ(load.Status, 0) << load.Err;
  EXPECT_NE(Slurp(data.File("fl.res")).find("\r\nthree-7.asc\t3001.00\t"), std::string::npos);
  EXPECT_EQ(RunTolmekBatch("--split " + data.File("three-5.asc")).Status, 1);
}

TEST(BatchCommand, PrintsTheUsageForHelpAndForUsageErrorsAndTheVersionForVersion) {
  const Outcome help = RunTolmekBatch("--help");
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Out.rfind("Usage: tolmek-batch", 0), 0u);
  const Outcome version = RunTolmekBatch("--version");
  EXPECT_EQ(version.Status, 0);
  EXPECT_TRUE(std::regex_match(version.Out, std::regex("tolmek-batch [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.Out;
  EXPECT_EQ(version.Err, "");
  for (const char* wrong :
       {"", "--bogus x.asc", "--gains 0,5 x.asc", "--results x.asc", "--average", "--split",
        "--split --jip x.txt", "--average . --jip", "--linear x.asc", "--plot --plot-size 12 x.asc",
        "--plot --plot-format gif x.asc", "--plot-format svg x.asc", "--table t.tsv x.asc",
        "--compare c.txt x.asc", "--compare c.png --normalize vop x.asc",
        "--compare c.png --difference x.asc", "--radar r.png x.asc",
        "--radar r.png --compare c.png --reference x.asc x.asc"}) {
    const Outcome run = RunTolmekBatch(wrong);
    EXPECT_EQ(run.Status, 2) << wrong;
    EXPECT_NE(run.Err.find("Usage: tolmek-batch"), std::string::npos) << wrong;
  }
}

TEST(BatchCommand, PaintsAPictureOfEachLoadedFileWithoutADisplay) {
  TempFolder data;
  data.Write("leaf.asc", test::AsciiMeasurement());
  data.Write("broken.asc", "no numbers here\r\n");
  data.Write("temp.dat", synth::MakeTemperatureRecording(1, 20, 256));
  const Outcome run = RunTolmekBatch("--plot --plot-size 320x200 " + data.File("leaf.asc") + " " +
                                     data.File("broken.asc") + " " + data.File("temp.dat"));
#ifdef TOLMEK_BATCH_HAS_PLOT
  EXPECT_EQ(run.Status, 1) << run.Err;  // the broken file fails; the run goes on
  // A temperature curve is exported, and the run says why it has no picture.
  EXPECT_NE(run.Err.find("temp.dat: --plot draws no picture of a temperature curve\n"),
            std::string::npos)
      << run.Err;
  EXPECT_TRUE(fs::exists(data.File("temp.asc")));
  // The PNG header's width 320 and height 200.
  EXPECT_EQ(Slurp(data.File("leaf.png")).substr(16, 8), std::string("\0\0\x01\x40\0\0\0\xc8", 8));
  EXPECT_TRUE(fs::exists(data.File("leaf.tmk")));
  EXPECT_FALSE(fs::exists(data.File("broken.png")));
  EXPECT_EQ(run.Err.find("QStandardPaths"), std::string::npos) << run.Err;
#else
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Err.find("--plot is not available"), std::string::npos) << run.Err;
#endif
}

// --compare and --radar over copies of examples/: what can be shown is drawn and tabled, every file
// or curve left out is named, and the exit status says whether anything was.
TEST(BatchCommand, ComparesWhatCanBeShownNamesWhatIsLeftOutAndTablesTheCurves) {
  TempFolder data;
  for (const char* name : {"control-1.tmk", "control-2.tmk", "control-3.tmk", "leaf01.tmk"})
    fs::copy_file(std::string(TOLMEK_EXAMPLES_DIR) + "/" + name, data.File(name));
  data.Write("short.asc", test::AsciiMeasurement());  // ends at 16 ms, before FI
  data.Write("broken.asc", "no numbers here\r\n");
  const auto file = [&data](const std::string& name) { return " " + data.File(name); };

  const Outcome ji = RunTolmekBatch("--compare" + file("ji.svg") + " --normalize ji --table" +
                                    file("ji.tsv") + file("control-1.tmk") + file("leaf01.tmk") +
                                    file("short.asc") + file("broken.asc"));
#ifdef TOLMEK_BATCH_HAS_PLOT
  EXPECT_EQ(ji.Status, 1);
  EXPECT_NE(ji.Err.find("\nshort: needs FI"), std::string::npos) << ji.Err;
  EXPECT_NE(ji.Err.find("\nbroken: "), std::string::npos) << ji.Err;
  EXPECT_TRUE(fs::exists(data.File("ji.svg")));
  // Two curves of 250 points: a heading and 250 rows of four columns.
  const std::string jiTable = Slurp(data.File("ji.tsv"));
  EXPECT_EQ(jiTable.rfind("control-1 t (ms)\tcontrol-1 ji\tleaf01 t (ms)\tleaf01 ji\r\n", 0), 0u);
  EXPECT_EQ(Count(jiTable, "\r\n"), 251u);
  EXPECT_EQ(Count(jiTable, "\t"), 3u * 251);

  // The reference, not among the files, is taken in; its group's difference from itself is 0.
  const Outcome groups =
      RunTolmekBatch("--compare" + file("d.pdf") + " --reference" + file("control-1.tmk") +
                     " --difference --groups --linear --table" + file("d.tsv") +
                     file("control-2.tmk") + file("control-3.tmk") + file("leaf01.tmk"));
  EXPECT_EQ(groups.Status, 0) << groups.Err;
  EXPECT_EQ(groups.Err, "");
  const std::string dTable = Slurp(data.File("d.tsv"));
  EXPECT_EQ(dTable.rfind("control- t (ms)\tcontrol- op - control-\tleaf0 t (ms)\t"
                         "leaf0 op - control-\r\n",
                         0),
            0u);
  EXPECT_EQ(Count(dTable, "\r\n"), 251u);
  EXPECT_EQ(Count(dTable, "\t0\t"), 250u);

  const Outcome radar =
      RunTolmekBatch("--radar" + file("r.png") + " --reference" + file("control-1.tmk") +
                     " --table" + file("r.tsv") + file("control-2.tmk") + file("broken.asc"));
  EXPECT_EQ(radar.Status, 1);
  EXPECT_NE(radar.Err.find("\nbroken: "), std::string::npos) << radar.Err;
  const std::string rTable = Slurp(data.File("r.tsv"));
  EXPECT_EQ(Count(rTable, "\r\ncontrol-1\t1\t1\t"), 1u);
  EXPECT_EQ(Count(rTable, "\r\n"), 3u);
#else
  EXPECT_EQ(ji.Status, 2);
  EXPECT_NE(ji.Err.find("--compare is not available"), std::string::npos) << ji.Err;
#endif
}

}  // namespace
}  // namespace tolmek
