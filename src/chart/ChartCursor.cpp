#include "ChartCursor.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChartScale.h"
#include "data/Errors.h"
#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr int kCtrlStep = 50;

// The value at index, or 0 where the array has none (nothing loaded, index 0 of an empty curve).
double ValueAt(const std::vector<float>& values, long long index) {
  return index >= 0 && index < static_cast<long long>(values.size()) ? values[index] : 0.0;
}

// "Fixed" right-aligned in a field of width characters; a longer text keeps its left part.
std::string Field(double value, size_t width) {
  const std::string text = FormatFixed(value);
  if (text.size() >= width) return text.substr(0, width);
  return std::string(width - text.size(), ' ') + text;
}

int LastIndex(const Session& session) {
  return std::min(session.Record.PointCount, kMaxPointIndex);
}

// Whether point index lies in the part of the measurement that the last drawing shows.
bool PointDrawn(const Session& session, int index) {
  if (!session.Frame.Valid) return false;
  if (session.View.LogTime || session.View.AutoRange) return true;
  return index >= NearestPoint(session, session.Frame.XFrom) && index <= session.Frame.EndIndex;
}

void SetFindAndZoomIn(Session& session, bool enabled) {
  session.ChartCommands.FindEnabled = enabled;
  session.ChartCommands.ZoomInEnabled = enabled;
}

}  // namespace

std::string CursorReadout(const Measurement& m, int index) {
  return "t=" + Field(ValueAt(m.TimeValues, index), 6) +
         " PF=" + Field(ValueAt(m.PFValues, index), 7) +
         " dPF=" + Field(ValueAt(m.PFSlope, index), 9) +
         " DF=" + Field(ValueAt(m.DFValues, index), 7) +
         " dDF=" + Field(ValueAt(m.DFSlope, index), 9);
}

void ShowCursorLine(Session& session, int index, CursorLineNumber lineNo) {
  if (session.Record.PointCount == 0) return;
  CursorState& cursor = session.Cursor;
  cursor.Readout = CursorReadout(session.Record, index);
  CursorLine& line = cursor.Lines[lineNo];
  const double time = ValueAt(session.Record.TimeValues, index);
  if (session.View.LogTime && index > 0) {
    line.X = TimeToX(session, time);
  } else if (index <= 0 && lineNo != kSpanStartLine) {
    line.Visible = false;
    return;
  } else {
    line.X = time;
  }
  line.Visible = std::isfinite(line.X) && PointDrawn(session, index);
  if (lineNo == kSpanEndLine) {
    cursor.Lines[kCursorLine].Visible = false;
    if (session.View.ViewMode != ViewMode::Both) session.ChartCommands.FindEnabled = true;
    if (!session.View.LogTime) {
      if (session.View.AutoRange) {
        session.ChartCommands.ZoomInEnabled = true;
      } else {
        session.ChartCommands.ZoomOutEnabled = true;
      }
    }
    return;
  }
  for (int other = kCursorLine; other <= kSpanEndLine; ++other)
    if (other != lineNo) cursor.Lines[other].Visible = false;
  SetFindAndZoomIn(session, false);
}

void ClampChartState(Session& session) {
  const int last = LastIndex(session);
  CursorState& cursor = session.Cursor;
  cursor.CursorIndex = std::clamp(cursor.CursorIndex, 0, last);
  cursor.SpanStart = std::clamp(cursor.SpanStart, 0, last);
  cursor.SpanEnd = std::clamp(cursor.SpanEnd, 0, last);
  session.View.RangePoints = RangeEnd(session.Record, session.View.RangeTo);
}

void SetZoomCommandStates(Session& session) {
  if (!session.View.AutoRange && !session.View.LogTime) {
    session.ChartCommands.ZoomInEnabled = false;
    session.ChartCommands.ZoomOutEnabled = true;
  } else {
    session.ChartCommands.ZoomOutEnabled = false;
  }
}

void FindInSpan(Session& session, FindKind kind) {
  const Measurement& m = session.Record;
  CursorState& cursor = session.Cursor;
  const bool pf = session.View.ViewMode == ViewMode::PF;
  const std::vector<float>& values = pf ? m.PFValues : m.DFValues;
  const std::vector<float>& slopes = pf ? m.PFSlope : m.DFSlope;
  auto better = [&](int i, int best) {
    switch (kind) {
      case FindKind::Max:
        return At(values, i) > At(values, best);
      case FindKind::Min:
        return At(values, i) < At(values, best);
      default:
        return std::fabs(At(slopes, i)) < std::fabs(At(slopes, best));
    }
  };
  int best = cursor.SpanStart;
  for (int i = cursor.SpanStart; i <= cursor.SpanEnd; ++i)
    if (better(i, best)) best = i;
  cursor.CursorIndex = best;
  cursor.SpanStart = cursor.SpanEnd = 0;
  ShowCursorLine(session, cursor.CursorIndex, kCursorLine);
}

bool ZoomChart(Session& session, ZoomDirection direction) {
  CursorState& cursor = session.Cursor;
  ViewState& view = session.View;
  if (direction == ZoomDirection::Out) {
    view.AutoRange = true;
    session.ChartCommands.ZoomInEnabled = false;
    return true;
  }
  if (cursor.SpanEnd <= cursor.SpanStart) return false;
  view.RangeFrom = At(session.Record.TimeValues, cursor.SpanStart);
  view.RangeTo = At(session.Record.TimeValues, cursor.SpanEnd);
  view.RangePoints = RangeEnd(session.Record, view.RangeTo);
  view.AutoRange = false;
  cursor.Lines[kSpanStartLine].Visible = cursor.Lines[kSpanEndLine].Visible = false;
  cursor.SpanStart = cursor.SpanEnd = 0;
  return true;
}

int LastCursorPoint(const Session& session) {
  return std::clamp(ViewRange(session).End, 0, LastIndex(session));
}

int CursorAfterKey(const Session& session, CursorKey key, bool ctrl) {
  const int last = LastCursorPoint(session);
  const int c = session.Cursor.CursorIndex;
  if (key == CursorKey::PageUp) key = CursorKey::Left, ctrl = true;
  if (key == CursorKey::PageDown) key = CursorKey::Right, ctrl = true;
  int next = c;
  switch (key) {
    case CursorKey::Left:
      next = ctrl ? (c > kCtrlStep ? c - kCtrlStep : 1) : (c >= 1 ? c - 1 : c);
      break;
    case CursorKey::Right:
      next = ctrl ? (c < last - kCtrlStep ? c + kCtrlStep : last) : (c < last ? c + 1 : c);
      break;
    case CursorKey::Home:
      next = 1;
      break;
    default:
      next = last;
  }
  return std::clamp(next, 0, LastIndex(session));
}

}  // namespace tolmek
