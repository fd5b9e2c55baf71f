// The tables of a comparison as text: TAB-separated, one heading line, numbers with "." and up to
// seven significant digits, CR LF line ends as in the program's result files.
#pragma once

#include <string>

#include "CompareCurves.h"
#include "CompareRadar.h"

namespace tolmek {

// Two columns per curve, "<label> t (ms)" and "<label> <column>", one row per point; a shorter
// curve's cells stay empty past its end. column is the quantity's key ("op"), for differences
// "op - <reference label>".
std::string CompareTableText(const CurveSet& set, const std::string& column);

// The column heading of the values of set's curves for the quantity (and the difference).
std::string CompareColumnName(const CurveSet& set, Quantity quantity, bool difference);

// One row per measurement or group and one column per parameter: the ratios; empty cells where
// a ratio cannot be computed.
std::string RadarTableText(const RadarTable& table);

}  // namespace tolmek
