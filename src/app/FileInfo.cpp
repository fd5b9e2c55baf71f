#include "FileInfo.h"

#include <algorithm>

#include "data/FileIO.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr size_t kWholePathLength = 35;
constexpr size_t kShortenedLength = 30;
constexpr const char* kUnknown = "Unknown";
constexpr double kPFDisplayFactor = 6;
constexpr double kDFDisplayFactor = 120;

// The first point whose time reaches the end of the range; 0 when none does.
int32_t RangeEndPoint(const Measurement& record, double rangeTo) {
  const int32_t last =
      std::min<int32_t>(record.PointCount, static_cast<int32_t>(record.TimeValues.size()) - 1);
  for (int32_t i = 1; i <= last; ++i)
    if (record.TimeValues[i] >= rangeTo) return i;
  return 0;
}

}  // namespace

std::string ShortenedPath(const std::string& path, const std::string& folder,
                          const std::string& name) {
  if (path.size() <= kWholePathLength) return path;
  const std::string head =
      name.size() < kShortenedLength ? folder.substr(0, kShortenedLength - name.size()) : "";
  return head + ".../" + name;
}

FileInfoTexts DescribeLoadedFile(const Session& session) {
  const Measurement& record = session.Record;
  FileInfoTexts info;
  if (record.CurrentFilePath.empty()) return info;
  // The folder of the file itself: a dropped file need not lie in the data folder.
  info.Name = ShortenedPath(record.CurrentFilePath, FolderOf(record.CurrentFilePath),
                            record.CurrentFileName);
  const int code = record.FileTypeCode;
  info.Type = code >= 0 && code < kFileTypeCount ? kFileTypeNames[code] : "";
  info.Date = FileDateTimeText(record.CurrentFilePath);
  if (code == 1 || code == 4 || code == 5) {
    info.Experiment = info.Date;
  } else if (code == 6) {
    info.Experiment = record.ExperimentText;
  } else {
    info.Experiment = kUnknown;
  }
  info.Count = std::to_string(record.PointCount);
  if (code > 0) {
    info.PF = FormatGeneral(kPFDisplayFactor * record.PFAmplification);
    info.DF = FormatGeneral(kDFDisplayFactor * record.DFAmplification);
  }
  info.Comments = record.HeaderComments;
  return info;
}

std::string CorrectedRangeStart(const std::string& text, double timeMax) {
  const double value = Val(text);
  return value < 0 || value > timeMax ? "0" : text;
}

std::string CorrectedRangeEnd(const std::string& text, double timeMax) {
  const double value = Val(text);
  return value < 0 || value > timeMax ? FormatGeneral(timeMax) : text;
}

bool ApplyChartOptions(Session& session, const ChartOptionsChoice& choice) {
  const double from = Val(choice.From);
  const double to = Val(choice.To);
  if (!choice.Automatic && !choice.Logarithmic && !(to > from)) return false;
  ViewState& view = session.View;
  view.UniversalY = choice.Universal;
  view.AutoRange = choice.Automatic;
  session.Options.LineWidth = choice.ThickLines ? 2 : 1;
  view.LogTime = choice.Logarithmic;
  // The logarithmic axis always shows the whole range.
  if (choice.Logarithmic) view.AutoRange = true;
  session.Options.AutoRedraw = choice.AutoRedraw;
  view.RangeTo = to;
  view.RangeFrom = from;
  if (!view.AutoRange) view.RangePoints = RangeEndPoint(session.Record, view.RangeTo);
  return true;
}

}  // namespace tolmek
