// The curves of a comparison: measurements loaded with the normal readers, normalized between the
// JIP-test's steps, as differences from a reference and as means of replicate groups.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/JipTest.h"
#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

// A measurement, group or value left out of the comparison, and why.
struct CompareExclusion {
  std::string Label;
  std::string Reason;
  bool operator==(const CompareExclusion&) const = default;
};

// The JIP-test's steps O, K, J, I and P: Fo = PF(1), FK, FJ, FI at the first sample at or after
// 0.3, 2 and 30 ms, Fm at the Fm point.
enum CompareStep : int { kStepO, kStepK, kStepJ, kStepI, kStepP, kStepCount };
constexpr std::array<const char*, kStepCount> kStepNames = {"O", "K", "J", "I", "P"};

struct StepPoint {
  std::optional<double> Time;  // ms; empty when the step cannot be found
  std::optional<double> F;
  std::string Reason;  // why it is empty
};

// One measurement as the comparison needs it: its own points 1..n as 0..n-1, gains applied.
struct CompareItem {
  std::string Path;
  std::string Label;         // the file name without its extension
  std::vector<double> Time;  // ms
  std::vector<double> PF;
  std::vector<double> DF;
  std::array<StepPoint, kStepCount> Steps;
  JipResult Jip;
  std::vector<std::string> Notes;  // messages the reader gave while loading it
};

// The measurements of a folder, one file for each name, sorted by name: of leaf1.tmk, leaf1.dat
// and leaf1.asc the .tmk (it keeps the points the user set), else the recording, else the table.
std::vector<std::string> MeasurementFilesOfFolder(const std::string& folder);

// The item of a measurement in memory (the loaded one, with an Fm the user moved).
CompareItem MakeCompareItem(const Measurement& record, const std::string& path);

struct LoadedItems {
  std::vector<CompareItem> Items;          // in the order of the paths
  std::vector<CompareExclusion> Excluded;  // files that could not be read, with the messages
  std::vector<size_t> Sources;             // for each item, the index of its path
};

// Reads every file with the reader its name chooses, each into a Session of its own. A recording
// whose header gains are out of range takes gains when given, else it is left out.
LoadedItems LoadCompareItems(const std::vector<std::string>& paths,
                             const std::optional<DisplayGains>& gains = {});

// The quantity plotted against time. DF and DFMax are the DF curve, raw or divided by its maximum.
enum class Quantity { None, Fo, OP, OK, OJ, JI, IP, DF, DFMax };
constexpr std::array<Quantity, 9> kQuantities = {Quantity::None, Quantity::Fo, Quantity::OP,
                                                 Quantity::OK,   Quantity::OJ, Quantity::JI,
                                                 Quantity::IP,   Quantity::DF, Quantity::DFMax};

// "none", "fo", "op", "ok", "oj", "ji", "ip", "df", "dfmax".
const char* QuantityKey(Quantity quantity);
std::optional<Quantity> ParseQuantity(std::string_view key);
// The name of the quantity for an axis: "F", "F/Fo", "V_OP", "W_OK", ..., "DF", "DF/DFmax".
const char* QuantityName(Quantity quantity);

// A curve as drawn and tabled. Error holds ± one standard error per point for a group and is
// empty for a single measurement.
struct CompareCurve {
  std::string Label;
  std::vector<double> Time;
  std::vector<double> Value;
  std::vector<double> Error;
  bool operator==(const CompareCurve&) const = default;
};

// The curve of one quantity, or nothing with the reason (a divisor of 0, a step it needs missing).
struct NormalizedCurve {
  std::optional<CompareCurve> Curve;
  std::string Reason;
};
NormalizedCurve Normalize(const CompareItem& item, Quantity quantity);

// curve − reference at the curve's own times, the reference interpolated linearly between its two
// neighbouring samples; points outside the reference's time range are left out. Standard errors
// add as independent ones.
CompareCurve Difference(const CompareCurve& curve, const CompareCurve& reference);

// The name rule of the averaging of replicates: the label without its last character.
std::string ReplicateKey(const std::string& label);

struct ReplicateGroup {
  std::string Name;
  std::vector<size_t> Members;  // indices into the labels
};
// Groups labels by ReplicateKey with the averaging's grouping (at most kMaxGroupMembers each);
// labels left over are named in excluded.
std::vector<ReplicateGroup> GroupReplicates(const std::vector<std::string>& labels,
                                            std::vector<CompareExclusion>& excluded);

// The mean of the curves point by point over the shortest member's points at the first member's
// times, with ± one standard error (sample standard deviation / sqrt(n); 0 for one member).
CompareCurve GroupMean(const std::string& name, const std::vector<const CompareCurve*>& members);

struct CompareChoice {
  Quantity Of = Quantity::OP;
  std::optional<size_t> Reference;  // index into the items
  bool Difference = false;          // needs Reference
  bool Groups = false;
};

struct CurveSet {
  std::vector<CompareCurve> Curves;
  std::vector<std::vector<size_t>> Members;  // for each curve, the items it stands for
  std::vector<CompareExclusion> Excluded;
  std::optional<size_t> Reference;  // index into Curves of the reference (or its group)
};

// The curves of a comparison: each item normalized, then grouped, then as differences from the
// reference's curve (or its group's).
CurveSet BuildCompareCurves(const std::vector<CompareItem>& items, const CompareChoice& choice);

// Each curve's value at time t, interpolated linearly between its two samples around t; empty
// outside the curve's time range or where a neighbouring value is not a number.
std::vector<std::optional<double>> ValuesAt(const std::vector<CompareCurve>& curves, double t);

// "a: reason" lines, one per exclusion, for a message.
std::string ExclusionsText(const std::vector<CompareExclusion>& excluded);

}  // namespace tolmek
