#include "CompareTable.h"

#include <algorithm>

#include "data/NumberText.h"
#include "data/Session.h"

namespace tolmek {

std::string CompareColumnName(const CurveSet& set, Quantity quantity, bool difference) {
  std::string column = QuantityKey(quantity);
  if (difference && set.Reference) column += " - " + set.Curves[*set.Reference].Label;
  return column;
}

std::string CompareTableText(const CurveSet& set, const std::string& column) {
  std::string text;
  size_t rows = 0;
  for (size_t c = 0; c < set.Curves.size(); ++c) {
    const CompareCurve& curve = set.Curves[c];
    if (c > 0) text += TabText;
    text += curve.Label + " t (ms)" + TabText + curve.Label + " " + column;
    rows = std::max(rows, curve.Time.size());
  }
  text += NewLineText;
  for (size_t r = 0; r < rows; ++r) {
    for (size_t c = 0; c < set.Curves.size(); ++c) {
      const CompareCurve& curve = set.Curves[c];
      if (c > 0) text += TabText;
      if (r < curve.Time.size())
        text += FormatGeneral(curve.Time[r]) + TabText + FormatGeneral(curve.Value[r]);
      else
        text += TabText;
    }
    text += NewLineText;
  }
  return text;
}

std::string RadarTableText(const RadarTable& table) {
  std::string text = "name";
  for (JipParameter p : table.Parameters) text += std::string(TabText) + kJipNames[p];
  text += NewLineText;
  for (const RadarRow& row : table.Rows) {
    text += row.Label;
    for (const auto& ratio : row.Ratios) {
      text += TabText;
      if (ratio) text += FormatGeneral(*ratio);
    }
    text += NewLineText;
  }
  return text;
}

}  // namespace tolmek
