#include "ChartPointer.h"

#include "ChartCursor.h"
#include "ChartScale.h"
#include "analysis/DFPeaks.h"
#include "analysis/PFResults.h"
#include "data/Errors.h"

namespace tolmek {

namespace {

constexpr int kDFIPointBase = 10;
constexpr int kDFDPointBase = 20;

void RightClick(Session& session, int p) {
  CursorState& cursor = session.Cursor;
  if (p < cursor.SpanStart || cursor.Lines[kSpanEndLine].Visible) {
    // A point before the first marker, or a complete span: a new span begins.
    cursor.SpanEnd = 0;
    cursor.SpanStart = p;
    ShowCursorLine(session, p, kSpanStartLine);
  } else if (cursor.Lines[kSpanStartLine].Visible) {
    cursor.SpanEnd = p;
    ShowCursorLine(session, p, kSpanEndLine);
  } else {
    cursor.SpanStart = p;
    ShowCursorLine(session, p, kSpanStartLine);
  }
}

}  // namespace

void ChartPointer::Press(Session& session, PointerButton button, double x) {
  if (DragArmed) {
    DragPressed = true;
    return;
  }
  if (session.Record.PointCount == 0) return;
  // With both curves on the logarithmic axis a right click counts as a left click.
  const bool spanClick = button == PointerButton::Right &&
                         (session.View.ViewMode != ViewMode::Both || !session.View.LogTime);
  if (spanClick) {
    RightClick(session, NearestPointIndex(session, x));
    return;
  }
  CursorState& cursor = session.Cursor;
  cursor.SpanStart = cursor.SpanEnd = 0;
  cursor.CursorIndex = NearestPointIndex(session, x);
  ShowCursorLine(session, cursor.CursorIndex, kCursorLine);
}

void ChartPointer::Move(Session& session, PointerButton held, double x) {
  if (held != PointerButton::None) {
    if (DragPoint == 0) {
      // The cursor or the span marker follows the mouse while the button is held.
      Press(session, held, x);
    } else if (DragPressed) {
      // The cursor shows where the dragged point will go.
      session.Cursor.CursorIndex = NearestPointIndex(session, x);
      ShowCursorLine(session, session.Cursor.CursorIndex, kCursorLine);
    }
    return;
  }
  // A drag whose release never arrived ends where it began.
  if (DragPressed) Abandon();
  Hover(session, x);
}

PointerOutcome ChartPointer::Release(Session& session, double x, bool inside) {
  if (!Dragging()) return {};
  if (!inside) {
    Abandon();
    return {};
  }
  const int p = NearestPointIndex(session, x);
  if (p == HoverIndex) {
    // Released where it was pressed: a plain click on the point.
    Abandon();
    Press(session, PointerButton::Other, x);
    return {};
  }
  PlacePoint(session, p);
  DragPoint = 0;
  FillDFPeakTable(session);
  FillPFResultRow(session);
  DragArmed = DragPressed = false;
  Hover(session, x);
  return {true};
}

void ChartPointer::Abandon() {
  DragArmed = DragPressed = false;
  DragPoint = 0;
}

void ChartPointer::Hover(const Session& session, double x) {
  DragPoint = 0;
  HoverIndex = static_cast<int16_t>(NearestPointIndex(session, x));
  const Measurement& m = session.Record;
  const ViewMode mode = session.View.ViewMode;
  for (int k = 1; k <= 6 && DragPoint == 0 && HoverIndex > 0; ++k) {
    if ((mode == ViewMode::Both || mode == ViewMode::PF) && HoverIndex == m.PFPoints[k]) {
      DragPoint = static_cast<int16_t>(k);
    } else if (mode == ViewMode::Both || mode == ViewMode::DF) {
      if (HoverIndex == m.DFPoints[k].I) {
        DragPoint = static_cast<int16_t>(kDFIPointBase + k);
      } else if (HoverIndex == m.DFPoints[k].D) {
        DragPoint = static_cast<int16_t>(kDFDPointBase + k);
      }
    }
  }
  DragArmed = DragPoint != 0;
}

void ChartPointer::PlacePoint(Session& session, int p) const {
  Measurement& m = session.Record;
  const int16_t index = ToInt16(p);
  if (DragPoint < kDFIPointBase) {
    m.PFPoints[DragPoint] = index;
  } else if (DragPoint < kDFDPointBase) {
    m.DFPoints[DragPoint - kDFIPointBase].I = index;
  } else {
    m.DFPoints[DragPoint - kDFDPointBase].D = index;
  }
}

}  // namespace tolmek
