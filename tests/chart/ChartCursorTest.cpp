#include "chart/ChartCursor.h"

#include <gtest/gtest.h>

#include "chart/ChartTestSupport.h"

namespace tolmek {
namespace {

// The find tools look at every point of the span, its last one included.
TEST(FindInSpan, FindsAnExtremumAtTheLastPointOfTheSpan) {
  Session session;
  test::SetCurves(
      session, 50, [](int i) { return i; }, [](int i) { return 10.0 + i; },
      [](int i) { return 100.0 - i; });
  Measurement& m = session.Record;
  for (int i = 0; i <= 50; ++i) {
    m.PFSlope[i] = static_cast<float>(40 - i);  // flattest on PF at point 40
    m.DFSlope[i] = static_cast<float>(-50 + i);
  }
  struct Case {
    ViewMode View;
    FindKind Kind;
    int SpanEnd;
  };
  // PF rises and DF falls to the span's end; the slopes flatten towards point 40 (PF) and the
  // end (DF).
  for (const Case c :
       {Case{ViewMode::PF, FindKind::Max, 30}, Case{ViewMode::DF, FindKind::Min, 30},
        Case{ViewMode::PF, FindKind::Flattest, 40}, Case{ViewMode::DF, FindKind::Flattest, 50},
        Case{ViewMode::Both, FindKind::Min, 45}}) {
    session.View.ViewMode = c.View;
    session.Cursor.SpanStart = 20;
    session.Cursor.SpanEnd = c.SpanEnd;
    FindInSpan(session, c.Kind);
    EXPECT_EQ(session.Cursor.CursorIndex, c.SpanEnd)
        << "view " << static_cast<int>(c.View) << " kind " << static_cast<int>(c.Kind);
  }
}

}  // namespace
}  // namespace tolmek
