// The texts of the file information window and the checks of the chart options dialog.
#pragma once

#include <array>
#include <string>

#include "data/Session.h"

namespace tolmek {

struct FileInfoTexts {
  std::string Name;
  std::string Type;
  std::string Date;
  std::string Experiment;
  std::string Count;
  std::string PF;  // display gain, empty for files without gains (ASCII tables)
  std::string DF;
  std::array<std::string, kHeaderCommentCount> Comments;  // 8-bit header texts as stored
};

// The path as the window shows it: whole up to 35 characters, otherwise the start of the folder,
// ".../" and the file name, 30 characters of folder and name in all.
std::string ShortenedPath(const std::string& path, const std::string& folder,
                          const std::string& name);

// The information on the loaded file; everything empty when nothing is loaded.
FileInfoTexts DescribeLoadedFile(const Session& session);

// The range fields of the chart options: a start outside 0..TimeMax becomes "0", an end outside
// it becomes TimeMax. The text is returned unchanged otherwise.
std::string CorrectedRangeStart(const std::string& text, double timeMax);
std::string CorrectedRangeEnd(const std::string& text, double timeMax);

// What the chart options dialog hands over on OK.
struct ChartOptionsChoice {
  bool Universal = false;
  bool Automatic = true;
  bool Logarithmic = true;
  bool ThickLines = true;
  bool AutoRedraw = true;
  std::string From;
  std::string To;
};

constexpr const char* kRangeOrderText = "The end of the range must lie after its start.";

// Applies the choice to the view and settings. A manual range on the linear axis whose end is not
// after its start is refused (false, nothing changed).
bool ApplyChartOptions(Session& session, const ChartOptionsChoice& choice);

}  // namespace tolmek
