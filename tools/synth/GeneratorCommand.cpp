#include "synth/GeneratorCommand.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"
#include "synth/Synthetic.h"

namespace tolmek::synth {

namespace {

constexpr const char* kUsage =
    "Usage: tolmek-gen [options] --out FILE\n"
    "       tolmek-gen --examples FOLDER\n"
    "Writes one synthetic measurement file (same seed, same file).\n"
    "  --format F        asc, tmk13, tmk12, tmk32, tmk-old, dat1, dat5 or dat4\n"
    "                    (default: by the extension of FILE: asc, tmk13 or dat1)\n"
    "  --seed N          noise and replicate variation (default 1)\n"
    "  --points N        points of an asc or tmk file (default 300)\n"
    "  --separator S     asc columns: zones (default), comma, tab or space\n"
    "  --waves N         DF waves, 1..6 (default 4)\n"
    "  --M N             raw samples per channel of dat1 and dat5 (default 20000)\n"
    "  --light-off N     raw position where the light goes off (dat1, dat5; default 0: never)\n"
    "  --count-byte N    count byte c of the longer dat5 header (default 2)\n"
    "  --time-step N     time-step code of dat1 and dat5 (default 11000)\n"
    "  --df-gain TEXT    DF gain text of the header (default 10*12)\n"
    "  --pf-gain TEXT    PF gain text of the header (default 2*3)\n"
    "  --from N --to N   temperatures of dat4 (default 20 and 256; to is a multiple of 256)\n"
    "  --examples DIR    writes the example set into DIR\n"
    "  --help            shows this text\n";

const std::map<std::string, std::string> kDefaults = {
    {"--format", ""},         {"--seed", "1"},       {"--points", "300"},
    {"--separator", "zones"}, {"--waves", "4"},      {"--M", "20000"},
    {"--light-off", "0"},     {"--count-byte", "2"}, {"--time-step", "11000"},
    {"--df-gain", "10*12"},   {"--pf-gain", "2*3"},  {"--from", "20"},
    {"--to", "256"},          {"--out", ""},         {"--examples", ""}};

using Values = std::map<std::string, std::string>;

Values ParseArguments(const std::vector<std::string>& arguments) {
  Values values = kDefaults;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (!kDefaults.contains(option)) throw std::invalid_argument("unknown option " + option);
    if (i + 1 >= arguments.size()) throw std::invalid_argument(option + " needs a value");
    values[option] = arguments[++i];
  }
  return values;
}

long long Number(const Values& values, const std::string& option, long long low, long long high) {
  const std::string& text = values.at(option);
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw std::invalid_argument(option + " needs a whole number from " + std::to_string(low) +
                                " to " + std::to_string(high));
  return value;
}

std::string ToUpperExtension(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : ToUpper(name.substr(dot));
}

std::string FormatOf(const Values& values) {
  const std::string& format = values.at("--format");
  if (!format.empty()) return format;
  const std::string extension = ToUpperExtension(values.at("--out"));
  if (extension == ".ASC") return "asc";
  if (extension == ".TMK") return "tmk13";
  if (extension == ".DAT") return "dat1";
  throw std::invalid_argument("give --format (the extension of --out does not tell it)");
}

std::string CurvesContent(const Values& values, const std::string& format) {
  CurveOptions options;
  options.Seed = static_cast<uint32_t>(Number(values, "--seed", 0, 4294967295LL));
  options.Points = static_cast<int>(Number(values, "--points", 0, 32767));
  options.DFWaves = static_cast<int>(Number(values, "--waves", 1, 6));
  const Curves curves = MakeInductionCurves(options);
  if (format == "asc") {
    static const std::map<std::string, int> kStyles = {
        {"zones", 0}, {"comma", 1}, {"tab", 2}, {"space", 3}};
    const auto style = kStyles.find(values.at("--separator"));
    if (style == kStyles.end()) throw std::invalid_argument("unknown --separator");
    return AsciiText(curves, style->second);
  }
  static const std::map<std::string, NativeLayout> kLayouts = {
      {"tmk13", NativeLayout::Tolmek13},
      {"tmk12", NativeLayout::Tolmek12},
      {"tmk32", NativeLayout::Tolmek32},
      {"tmk-old", NativeLayout::Unversioned}};
  NativeHeader header = MarkPoints(curves, options.DFWaves);
  const std::string seed = std::to_string(options.Seed);
  header.Comments = {"Synthetic induction measurement", "Seed " + seed, "Dark adapted 15 min", "",
                     ""};
  header.Information = "Synthetic leaf, seed " + seed;
  return NativeText(curves, kLayouts.at(format), header);
}

std::string RecordingContent(const Values& values, const std::string& format) {
  const uint32_t seed = static_cast<uint32_t>(Number(values, "--seed", 0, 4294967295LL));
  if (format == "dat4") {
    return MakeTemperatureRecording(seed, static_cast<int>(Number(values, "--from", 1, 255)),
                                    static_cast<int>(Number(values, "--to", 256, 32512)),
                                    values.at("--df-gain"), values.at("--pf-gain"));
  }
  RecordingOptions options;
  options.Seed = seed;
  options.Type = format == "dat1" ? 1 : 5;
  options.M = static_cast<int32_t>(Number(values, "--M", 0, options.Type == 1 ? 32767 : 1000000));
  options.LightOffAt = static_cast<int32_t>(Number(values, "--light-off", 0, 1000000));
  options.CountByte = static_cast<uint8_t>(Number(values, "--count-byte", 1, 255));
  options.TimeStepCode = static_cast<int16_t>(Number(values, "--time-step", -32768, 32767));
  options.DFGain = values.at("--df-gain");
  options.PFGain = values.at("--pf-gain");
  options.HeaderLines = {"Synthetic induction recording", "", "Seed " + std::to_string(seed),
                         "Dark adapted 15 min", ""};
  return MakeRecording(options);
}

std::string ContentOf(const Values& values) {
  static const std::set<std::string> kCurveFormats = {"asc", "tmk13", "tmk12", "tmk32", "tmk-old"};
  static const std::set<std::string> kRecordingFormats = {"dat1", "dat5", "dat4"};
  const std::string format = FormatOf(values);
  if (kCurveFormats.contains(format)) return CurvesContent(values, format);
  if (kRecordingFormats.contains(format)) return RecordingContent(values, format);
  throw std::invalid_argument("unknown format " + format);
}

int WriteExamples(const std::string& folder, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const ExampleFile& example : ExampleFiles()) {
    const std::string path = JoinPath(folder, example.Name);
    try {
      WriteFileReplacing(path, GenerateContent(example.Arguments));
    } catch (const ErrorText& error) {
      err << "tolmek-gen: " << path << ": " << error.what() << "\n";
      return 1;
    }
    out << path << "\n";
  }
  return 0;
}

}  // namespace

const std::vector<ExampleFile>& ExampleFiles() {
  static const std::vector<ExampleFile> kExamples = {
      {"leaf01.asc", {"--seed", "1", "--points", "250", "--format", "asc"}},
      {"leaf02.asc", {"--seed", "2", "--points", "250", "--format", "asc"}},
      {"leaf03.asc", {"--seed", "3", "--points", "250", "--format", "asc"}},
      {"leaf01.tmk", {"--seed", "1", "--points", "250", "--format", "tmk13"}},
      {"leaf04.tmk", {"--seed", "4", "--points", "250", "--format", "tmk12"}},
      {"leaf05.tmk", {"--seed", "5", "--points", "250", "--format", "tmk32"}},
      {"leaf06.tmk", {"--seed", "6", "--points", "250", "--format", "tmk-old"}},
      {"rec01.dat", {"--seed", "11", "--format", "dat1", "--M", "20000", "--light-off", "18000"}},
      {"rec05.dat", {"--seed", "15", "--format", "dat5", "--M", "6000", "--count-byte", "2"}},
      {"temp01.dat", {"--seed", "21", "--format", "dat4", "--from", "20", "--to", "256"}},
      // Replicates of one sample, named for both averagings (docs/averaging.md).
      {"control-1.tmk", {"--seed", "31", "--points", "250", "--format", "tmk13"}},
      {"control-2.tmk", {"--seed", "32", "--points", "250", "--format", "tmk13"}},
      {"control-3.tmk", {"--seed", "33", "--points", "250", "--format", "tmk13"}},
  };
  return kExamples;
}

std::string GenerateContent(const std::vector<std::string>& arguments) {
  return ContentOf(ParseArguments(arguments));
}

int RunGenerator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return 0;
    }
  }
  try {
    const Values values = ParseArguments(arguments);
    if (!values.at("--examples").empty()) return WriteExamples(values.at("--examples"), out, err);
    if (values.at("--out").empty()) throw std::invalid_argument("give --out FILE");
    const std::string content = ContentOf(values);
    try {
      WriteFileReplacing(values.at("--out"), content);
    } catch (const ErrorText& error) {
      err << "tolmek-gen: " << values.at("--out") << ": " << error.what() << "\n";
      return 1;
    }
    return 0;
  } catch (const std::invalid_argument& error) {
    err << "tolmek-gen: " << error.what() << "\n" << kUsage;
    return 2;
  }
}

}  // namespace tolmek::synth
