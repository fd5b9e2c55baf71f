// What the drawing does when a step of it fails.
#include <gtest/gtest.h>

#include <new>

#include "chart/ChartDrawing.h"
#include "chart/ChartTestSupport.h"
#include "data/Errors.h"

namespace tolmek {
namespace {

// Fails at the given dot, with an arithmetic error or for lack of memory.
class FailingSurface : public test::RecordingSurface {
 public:
  FailingSurface(int failingDot, bool outOfMemory)
      : RecordingSurface(400, 300), failingDot_(failingDot), outOfMemory_(outOfMemory) {}
  void Dot(double x, double y, Colour colour) override {
    if (++dots_ == failingDot_) {
      if (outOfMemory_) throw std::bad_alloc();
      throw ErrorText(errors::kOverflow);
    }
    RecordingSurface::Dot(x, y, colour);
  }

 private:
  int dots_ = 0;
  int failingDot_;
  bool outOfMemory_;
};

void Curves(Session& session) {
  test::SetCurves(
      session, 50, [](int i) { return i; }, [](int i) { return i; }, [](int i) { return 50 - i; });
}

TEST(DrawChartFailure, ADotWhoseArithmeticFailsIsLeftOutButRunningOutOfMemoryIsNotHidden) {
  Session session;
  Curves(session);
  session.View.LogTime = false;
  test::RecordingSurface whole(400, 300);
  DrawChart(session, whole, ChartDrawMode::Full);
  FailingSurface arithmetic(3, false);
  DrawChart(session, arithmetic, ChartDrawMode::Full);
  // The third dot is the PF dot of the second point drawn: that point's step is left out, its DF
  // dot with it, and the drawing goes on.
  EXPECT_EQ(arithmetic.Of(test::DrawnOp::Dot).size(), whole.Of(test::DrawnOp::Dot).size() - 2);

  FailingSurface memory(3, true);
  EXPECT_THROW(DrawChart(session, memory, ChartDrawMode::Full), std::bad_alloc);
}

}  // namespace
}  // namespace tolmek
