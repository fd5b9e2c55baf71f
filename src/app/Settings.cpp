#include "Settings.h"
#include "data/ReaderExit.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr const char* kSettingsFileName = "tolmek.ini";
constexpr const char* kConfigFolderName = "tolmek";
constexpr size_t kDFPatternSize = std::tuple_size_v<decltype(Settings::DFPattern)>;
// THICKLINES is read from this character of the raw line on (1-based), not from its value.
constexpr size_t kThickLinesColumn = 13;

// A value after its label: a blank (or "-"), the digits and a trailing blank.
std::string LabelNumber(const std::string& digits) {
  if (!digits.empty() && digits.front() == '-') return digits + " ";
  return " " + digits + " ";
}

std::string IntegerText(long value) {
  return std::to_string(value);
}

int16_t StateNumber(WindowState state) {
  return static_cast<int16_t>(state);
}

// An on/off setting is stored as 1 or 0.
std::string FlagText(bool flag) {
  return flag ? "1" : "0";
}

// The shortest text of at most seven significant digits that reads back to the same float;
// values that need more digits keep the shortest exact form.
std::string FloatText(float value) {
  const std::string general = FormatGeneral(value);
  if (static_cast<float>(Val(general)) == value) return general;
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string PatternText(const decltype(Settings::DFPattern)& pattern) {
  std::string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (i > 0) text += ",";
    text += pattern[i] < 0 ? IntegerText(pattern[i]) : " " + IntegerText(pattern[i]);
  }
  return text;
}

// The raw geometry values of the file, applied to the window only after the last line.
struct HeldGeometry {
  std::optional<float> Top, Left, Width, Height;
  std::optional<int16_t> State;
};

struct LineReader {
  Session& session;
  HeldGeometry geometry;
  std::string key;
  std::string value;

  void Apply(const std::string& rawLine);
  // On for any value that reads as the number 1 ("1.0" too).
  void ApplyFlag(bool& flag) const { flag = Val(value) == 1; }
  void ApplyPattern();
  void ApplyGeometry() const;
};

// A pattern holds at most 12 peaks; a number that names no peak would point outside the DF peak
// table and is dropped.
void KeepValidPatternCodes(decltype(Settings::DFPattern)& pattern) {
  const int count = std::clamp<int>(pattern[0], 0, kDFPatternSize - 1);
  int kept = 0;
  for (int i = 1; i <= count; ++i)
    if (PeakOfNumber(pattern[i]) != DFPeakCode::None) pattern[++kept] = pattern[i];
  for (size_t i = kept + 1; i < kDFPatternSize; ++i) pattern[i] = 0;
  pattern[0] = static_cast<int16_t>(kept);
}

// Each piece is stored on its own: a piece that is not a number, or does not fit 16 bits, leaves
// only its own element as it was.
void LineReader::ApplyPattern() {
  auto& pattern = session.Options.DFPattern;
  size_t start = 0;
  for (size_t index = 0; index < kDFPatternSize && start <= value.size(); ++index) {
    size_t end = value.find(',', start);
    if (end == std::string::npos) end = value.size();
    const auto number = ParseNumber(std::string_view(value).substr(start, end - start));
    start = end + 1;
    if (!number) continue;
    try {
      pattern[index] = ToInt16(*number);  // rounds halves to the even number
    } catch (const ErrorText&) {
      continue;  // too large for 16 bits
    }
  }
  KeepValidPatternCodes(pattern);
}

void LineReader::Apply(const std::string& rawLine) {
  Settings& options = session.Options;
  const std::string line = ToUpper(rawLine);
  const size_t equals = line.find('=');
  if (equals != std::string::npos) {
    key = Trim(std::string_view(line).substr(0, equals));
    value = Trim(std::string_view(line).substr(equals + 1));
  }
  if (key == "AUTOSAVE") {
    ApplyFlag(options.AutosaveEnabled);
  } else if (key == "AUTOREDRAW") {
    ApplyFlag(options.AutoRedraw);
  } else if (key == "THICKLINES") {
    const std::string tail =
        rawLine.size() >= kThickLinesColumn ? rawLine.substr(kThickLinesColumn - 1) : "";
    options.LineWidth = Val(tail) == 1 ? 2 : 1;
  } else if (key == "PATH") {
    // Folder names are case-sensitive here, so the folder keeps the case it was written in.
    if (equals != std::string::npos) options.DataFolder = Trim(rawLine.substr(equals + 1));
  } else if (key == "WINDOW.TOP") {
    geometry.Top = ToSingle(Val(value));
  } else if (key == "WINDOW.LEFT") {
    geometry.Left = ToSingle(Val(value));
  } else if (key == "WINDOW.WIDTH") {
    geometry.Width = ToSingle(Val(value));
  } else if (key == "WINDOW.HEIGHT") {
    geometry.Height = ToSingle(Val(value));
  } else if (key == "WINDOW.STATE") {
    geometry.State = ToInt16(Val(value));
  } else if (key == "DFPATTERN") {
    ApplyPattern();
  } else if (key == "KEEPPEAKS") {
    options.OptionsKeepPeaks = value == "1";
    options.OptionsAdjustEnabled = options.OptionsKeepPeaks;
  } else if (key == "ADJUSTPEAKS") {
    options.OptionsAdjust = value == "1";
  } else if (key == "ADJUSTI4") {
    options.AdjustI4 = value == "1";
  } else if (key == "STRIPFILENAME") {
    options.StripFileName = value == "1";
  } else if (key == "JIPTEST") {
    ApplyFlag(options.JipTest);
  }
}

// A maximised window ignores the stored geometry; a minimised one keeps the window as it is.
void LineReader::ApplyGeometry() const {
  WindowGeometry& window = session.Options.Window;
  const int16_t state = geometry.State.value_or(StateNumber(WindowState::Normal));
  if (state == StateNumber(WindowState::Maximised)) {
    window.State = WindowState::Maximised;
    return;
  }
  if (state != StateNumber(WindowState::Normal)) return;
  const auto setWhenGiven = [](const std::optional<float>& held, float& target) {
    if (held && *held != 0) target = *held;
  };
  setWhenGiven(geometry.Top, window.Top);
  setWhenGiven(geometry.Left, window.Left);
  setWhenGiven(geometry.Width, window.Width);
  setWhenGiven(geometry.Height, window.Height);
}

// An environment variable that holds an absolute path; empty otherwise.
std::string AbsolutePathVariable(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

std::string SettingsPath(const Session& session) {
  return JoinPath(session.Shell.ProgramFolder, kSettingsFileName);
}

std::string UserSettingsFolder() {
  const std::string config = AbsolutePathVariable("XDG_CONFIG_HOME");
  if (!config.empty()) return JoinPath(config, kConfigFolderName);
  const std::string home = AbsolutePathVariable("HOME");
  if (home.empty()) return {};
  return JoinPath(JoinPath(home, ".config"), kConfigFolderName);
}

std::string ChooseSettingsFolder(const std::string& programFolder) {
  if (FileExists(JoinPath(programFolder, kSettingsFileName))) return programFolder;
  const std::string user = UserSettingsFolder();
  return user.empty() ? programFolder : user;
}

void SetStartValues(Session& session) {
  Settings& options = session.Options;
  options.AutosaveEnabled = false;
  options.AutoRedraw = true;
  options.LineWidth = 2;
  const std::string home = AbsolutePathVariable("HOME");
  options.DataFolder = home.empty() ? "/" : home;
  options.DFPattern.fill(0);
  options.AdjustI4 = false;
  options.StripFileName = false;
  options.JipTest = false;
  options.SnapMode = DFSnap::Off;
  options.OptionsKeepPeaks = true;
  options.OptionsAdjust = false;
  options.OptionsAdjustEnabled = true;
  session.View.LogTime = true;
  session.View.AutoRange = true;
}

std::string SettingsText(const Session& session) {
  const Settings& options = session.Options;
  const WindowGeometry& window = options.Window;
  const std::string end = NewLineText;
  std::string text;
  text += "Autosave =" + LabelNumber(FlagText(options.AutosaveEnabled)) + end;
  text += "Autoredraw =" + LabelNumber(FlagText(options.AutoRedraw)) + end;
  text += "Thicklines =" + LabelNumber(IntegerText(options.LineWidth - 1)) + end;
  text += "Path = " + options.DataFolder + end;
  text += "Window.top =" + LabelNumber(FloatText(window.Top)) + end;
  text += "Window.left =" + LabelNumber(FloatText(window.Left)) + end;
  text += "Window.width =" + LabelNumber(FloatText(window.Width)) + end;
  text += "Window.height =" + LabelNumber(FloatText(window.Height)) + end;
  text += "Window.state =" + LabelNumber(IntegerText(StateNumber(window.State))) + end;
  if (options.DFPattern[0] > 0) text += "DFPattern =" + PatternText(options.DFPattern) + end;
  text += "KeepPeaks = " + FlagText(options.OptionsKeepPeaks) + end;
  text += "AdjustPeaks = " + FlagText(options.OptionsAdjust) + end;
  text += "AdjustI4 =" + LabelNumber(FlagText(options.AdjustI4)) + end;
  text += "StripFileName =" + LabelNumber(FlagText(options.StripFileName)) + end;
  // Only a user who turned the JIP-test on finds its line, so every other file stays as it was.
  if (options.JipTest) text += "JipTest =" + LabelNumber(FlagText(options.JipTest)) + end;
  return text;
}

bool WriteSettings(const Session& session, Feedback& feedback, const std::string& path) {
  return RunWriter(feedback, [&] { WriteFileReplacing(path, SettingsText(session)); });
}

void ReadSettings(Session& session, Feedback& feedback, const std::string& path) {
  // A missing file is made from the current values once; when that fails the writer has said so.
  if (!FileExists(path) && !WriteSettings(session, feedback, path)) return;
  std::string text;
  try {
    text = ReadWholeFile(path);
  } catch (const ErrorText& error) {
    feedback.ShowMessage("Cannot read the settings file " + path + ": " + error.what(),
                         MessageIcon::Critical);
    return;
  }
  LineReader reader{session, {}, {}, {}};
  for (const std::string_view line : SplitLines(text)) {
    try {
      reader.Apply(std::string(line));
    } catch (const ErrorText&) {
      // A value that does not fit its setting leaves that setting as it was.
    }
  }
  reader.ApplyGeometry();
}

}  // namespace tolmek
