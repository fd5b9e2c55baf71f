// Measurements for the chart tests and a drawing surface that records what is drawn.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/DrawingSurface.h"
#include "chart/WorldMap.h"
#include "data/Session.h"

namespace tolmek::test {

// A measurement of n points: time, PF and DF of point i from the functions; maxima over 2..n.
inline void SetCurves(Session& session, int n, const std::function<double(int)>& time,
                      const std::function<double(int)>& pf, const std::function<double(int)>& df) {
  Measurement& m = session.Record;
  for (auto* values : {&m.TimeValues, &m.PFValues, &m.DFValues, &m.PFSlope, &m.DFSlope})
    values->assign(n + 1, 0.0f);
  for (int i = 1; i <= n; ++i) {
    m.TimeValues[i] = static_cast<float>(time(i));
    m.PFValues[i] = static_cast<float>(pf(i));
    m.DFValues[i] = static_cast<float>(df(i));
  }
  m.PointCount = n;
  m.TimeMax = m.PFMax = m.DFMax = 0;
  for (int i = 2; i <= n; ++i) {
    m.TimeMax = std::max<double>(m.TimeMax, m.TimeValues[i]);
    m.PFMax = std::max<double>(m.PFMax, m.PFValues[i]);
    m.DFMax = std::max<double>(m.DFMax, m.DFValues[i]);
  }
  m.CurrentFilePath = "test.tmk";
}

// A printed text keeps its box in world units: (X1, Y1) top left, (X2, Y2) bottom right.
struct DrawnOp {
  enum Kind { Clear, World, Line, Dot, Print } What = Clear;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  Colour Pen;
  int PenWidth = 1;
  bool Dotted = false;
  bool Bold = false;
  std::string Text;
};

// Whether two text boxes share more than an edge.
inline bool BoxesOverlap(const DrawnOp& a, const DrawnOp& b) {
  return a.X1 < b.X2 && b.X1 < a.X2 && a.Y2 < b.Y1 && b.Y2 < a.Y1;
}

class RecordingSurface : public DrawingSurface {
 public:
  RecordingSurface(double width, double height) {
    world_.Width = width;
    world_.Height = height;
  }
  std::vector<DrawnOp> Ops;

  double Width() const override { return world_.Width; }
  double Height() const override { return world_.Height; }
  void Clear() override { Add(DrawnOp::Clear, 0, 0, 0, 0, {}); }
  void SetWorld(double left, double top, double right, double bottom) override {
    world_.Left = left, world_.Top = top, world_.Right = right, world_.Bottom = bottom;
    Add(DrawnOp::World, left, top, right, bottom, {});
  }
  void SetPenWidth(int pixels) override { penWidth_ = pixels; }
  void SetDotted(bool dotted) override { dotted_ = dotted; }
  void Line(double x1, double y1, double x2, double y2, Colour colour) override {
    Add(DrawnOp::Line, x1, y1, x2, y2, colour);
  }
  void Dot(double x, double y, Colour colour) override { Add(DrawnOp::Dot, x, y, x, y, colour); }
  void SetTextPosition(double x, double y) override { textX_ = x, textY_ = y; }
  void SetTextX(double x) override { textX_ = x; }
  void SetTextColour(Colour colour) override { textColour_ = colour; }
  void SetTextBold(bool bold) override { bold_ = bold; }
  void Print(const std::string& text) override {
    const double lineHeight = world_.InverseHeight(kLineHeight);
    DrawnOp& op =
        Add(DrawnOp::Print, textX_, textY_, textX_ + world_.InverseWidth(TextBounds(text).Right),
            textY_ - lineHeight, textColour_);
    op.Text = text;
    op.Bold = bold_;
    textX_ = world_.Left;
    textY_ -= lineHeight;
  }
  // The whole line of the text; bold letters are a pixel wider.
  PixelBox TextBounds(const std::string& text) const override {
    return {0, 0, static_cast<double>(text.size()) * (bold_ ? kCharWidth + 1 : kCharWidth),
            kLineHeight};
  }
  double TextHeight() const override { return kLineHeight; }

  // The operations of a kind (dots: of one colour only, if given).
  std::vector<DrawnOp> Of(DrawnOp::Kind kind, std::optional<Colour> colour = {}) const {
    std::vector<DrawnOp> found;
    for (const DrawnOp& op : Ops)
      if (op.What == kind && (!colour || op.Pen == *colour)) found.push_back(op);
    return found;
  }
  std::vector<DrawnOp> Dots(Colour colour) const { return Of(DrawnOp::Dot, colour); }
  const DrawnOp* TextOp(const std::string& text) const {
    for (const DrawnOp& op : Ops)
      if (op.What == DrawnOp::Print && op.Text == text) return &op;
    return nullptr;
  }

 private:
  DrawnOp& Add(DrawnOp::Kind kind, double x1, double y1, double x2, double y2, Colour colour) {
    Ops.push_back({kind, x1, y1, x2, y2, colour, penWidth_, dotted_, false, ""});
    return Ops.back();
  }

  static constexpr double kLineHeight = 13;
  static constexpr double kCharWidth = 7;
  WorldMap world_;
  int penWidth_ = 1;
  bool dotted_ = false;
  bool bold_ = false;
  double textX_ = 0, textY_ = 0;
  Colour textColour_;
};

}  // namespace tolmek::test
