// The mouse on the chart: clicks place the cursor, right clicks mark a span, and a set point under
// the mouse can be dragged along the curve.
#pragma once

#include <cstdint>

#include "data/Session.h"

namespace tolmek {

enum class PointerButton { None, Left, Right, Other };

struct PointerOutcome {
  bool PointMoved = false;  // a set point was dropped elsewhere; the results are recomputed
};

class ChartPointer {
 public:
  // A button pressed at the world position x.
  void Press(Session& session, PointerButton button, double x);
  // The mouse moved to x, with the button held (None: no button).
  void Move(Session& session, PointerButton held, double x);
  // The button released at x; inside is false when the mouse is outside the drawing area.
  PointerOutcome Release(Session& session, double x, bool inside);
  // The chart lost the mouse: a drag in progress ends and its point stays where it was.
  void Abandon();

  // True while a set point is under the mouse (the pointer is the left-right sizing arrow).
  bool Armed() const { return DragArmed; }
  bool Dragging() const { return DragArmed && DragPressed; }

  // The set point under the mouse: 0 none, k PF slot k, 10 + k the I point of DF wave k, 20 + k
  // its D point.
  int16_t DragPoint = 0;
  int16_t HoverIndex = 0;
  bool DragArmed = false;
  bool DragPressed = false;

 private:
  void Hover(const Session& session, double x);
  void PlacePoint(Session& session, int p) const;
};

}  // namespace tolmek
