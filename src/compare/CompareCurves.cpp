#include "CompareCurves.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <map>

#include "analysis/Averaging.h"
#include "app/LoadSequence.h"
#include "data/FileIO.h"
#include "data/FolderList.h"

namespace tolmek {

namespace {

constexpr std::array<const char*, kStepCount> kStepValueNames = {"Fo", "FK", "FJ", "FI", "Fm"};
constexpr std::array<JipParameter, kStepCount> kStepParameters = {kJipFo, kJipFk, kJipFj, kJipFi,
                                                                  kJipFm};
constexpr std::array<double, kStepCount> kStepTimes = {0, kJipKTime, kJipJTime, kJipITime, 0};

// Keeps what the readers say, so a file that cannot be read is named with their reasons; gain
// questions get the gains given, questions their default answer.
class CollectingFeedback : public Feedback {
 public:
  explicit CollectingFeedback(const std::optional<DisplayGains>& gains) : gains_(gains) {}
  std::vector<std::string> Messages;

  void ShowMessage(const std::string& text, MessageIcon, const std::string&) override {
    Messages.push_back(text);
  }
  Answer Ask(const std::string& text, Buttons, MessageIcon, Answer defaultAnswer) override {
    Messages.push_back(text);
    return defaultAnswer;
  }
  std::optional<DisplayGains> AskGains(const GainQuestion&) override {
    if (!gains_) Messages.push_back("the gains read from the header are outside 1 to 1500");
    return gains_;
  }
  void ShowProgress() override {}
  void SetProgressText(const std::string&) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
  void SetBusy(bool) override {}
  void SetMainWindowEnabled(bool) override {}
  void Beep() override {}
  bool TurnEventLoop() override { return false; }

 private:
  std::optional<DisplayGains> gains_;
};

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string LabelOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
  std::string joined;
  for (const auto& text : texts) joined += (joined.empty() ? "" : separator) + text;
  return joined;
}

StepPoint MakeStep(const Measurement& record, const JipResult& jip, CompareStep step) {
  StepPoint point;
  const JipParameter p = kStepParameters[step];
  if (!jip.Has(p)) {
    point.Reason = jip.Reasons[p];
    return point;
  }
  point.F = jip[p];
  if (step == kStepP) {
    point.Time = jip[kJipTFm];
  } else {
    const int i = step == kStepO ? 1 : JipStepPoint(record, kStepTimes[step]);
    point.Time = record.TimeValues[static_cast<size_t>(i)];
  }
  return point;
}

// The first step of steps that is missing, as a reason; empty when all are there.
std::string MissingSteps(const CompareItem& item, std::initializer_list<CompareStep> steps) {
  for (CompareStep step : steps)
    if (!item.Steps[step].F)
      return std::string("needs ") + kStepValueNames[step] + " (" + item.Steps[step].Reason + ")";
  return {};
}

NormalizedCurve Scaled(const CompareItem& item, const std::vector<double>& values, double base,
                       double divisor, const std::string& divisorName) {
  if (divisor == 0) return {std::nullopt, divisorName + " is 0"};
  CompareCurve curve{item.Label, item.Time, {}, {}};
  curve.Value.reserve(values.size());
  for (double value : values) curve.Value.push_back((value - base) / divisor);
  return {std::move(curve), {}};
}

// (F − F_from) / (F_to − F_from).
NormalizedCurve BetweenSteps(const CompareItem& item, CompareStep from, CompareStep to) {
  if (std::string missing = MissingSteps(item, {from, to}); !missing.empty())
    return {std::nullopt, missing};
  const double low = *item.Steps[from].F;
  return Scaled(item, item.PF, low, *item.Steps[to].F - low,
                std::string(kStepValueNames[to]) + " - " + kStepValueNames[from]);
}

NormalizedCurve DFToMaximum(const CompareItem& item) {
  const auto maximum = std::max_element(item.DF.begin(), item.DF.end());
  if (maximum == item.DF.end() || *maximum <= 0)
    return {std::nullopt, "the DF curve has no maximum above 0"};
  return Scaled(item, item.DF, 0, *maximum, "DFmax");
}

// The reference's value at time t, between the two samples around it; t lies in its range.
double Interpolated(const std::vector<double>& times, const std::vector<double>& values, double t) {
  const auto above = std::upper_bound(times.begin(), times.end(), t);
  const size_t j = static_cast<size_t>(above - times.begin()) - 1;
  if (times[j] == t || above == times.end()) return values[j];
  const double share = (t - times[j]) / (times[j + 1] - times[j]);
  return values[j] + share * (values[j + 1] - values[j]);
}

}  // namespace

std::vector<std::string> MeasurementFilesOfFolder(const std::string& folder) {
  // Lower numbers are preferred.
  const auto rank = [](const std::string& name) {
    const std::string extension = LowerCase(name.substr(name.rfind('.') + 1));
    return extension == "tmk" ? 0 : extension == "dat" ? 1 : 2;
  };
  std::map<std::string, std::string> chosen;  // by the name without extension, in any case
  for (const std::string& name : ListFolder(folder, "*.tmk;*.dat;*.asc")) {
    const std::string key = LowerCase(name.substr(0, name.rfind('.')));
    auto [at, added] = chosen.emplace(key, name);
    if (!added && rank(name) < rank(at->second)) at->second = name;
  }
  std::vector<std::string> paths;
  for (const auto& [key, name] : chosen) paths.push_back(JoinPath(folder, name));
  return paths;
}

CompareItem MakeCompareItem(const Measurement& record, const std::string& path) {
  CompareItem item;
  item.Path = path;
  item.Label = LabelOf(path);
  const size_t held = std::min({record.TimeValues.size(), record.PFValues.size()});
  const size_t points =
      held < 2 ? 0
               : std::min<size_t>(static_cast<size_t>(std::max(record.PointCount, 0)), held - 1);
  for (size_t i = 1; i <= points; ++i) {
    item.Time.push_back(record.TimeValues[i]);
    item.PF.push_back(record.PFValues[i]);
    item.DF.push_back(i < record.DFValues.size() ? record.DFValues[i] : 0.0);
  }
  item.Jip = ComputeJipTest(record);
  for (int step = 0; step < kStepCount; ++step)
    item.Steps[step] = MakeStep(record, item.Jip, static_cast<CompareStep>(step));
  return item;
}

LoadedItems LoadCompareItems(const std::vector<std::string>& paths,
                             const std::optional<DisplayGains>& gains) {
  LoadedItems loaded;
  for (size_t p = 0; p < paths.size(); ++p) {
    Session session;
    CollectingFeedback feedback(gains);
    session.Record.CurrentFilePath = paths[p];
    ReadOutcome outcome = ReadOutcome::Failed;
    try {
      outcome = LoadCurrentFile(session, feedback);
    } catch (const std::exception& error) {
      feedback.Messages.push_back(error.what());
    }
    if (outcome != ReadOutcome::Loaded) {
      if (feedback.Messages.empty()) feedback.Messages.push_back("the file cannot be read");
      loaded.Excluded.push_back({LabelOf(paths[p]), Joined(feedback.Messages, "; ")});
      continue;
    }
    loaded.Items.push_back(MakeCompareItem(session.Record, paths[p]));
    loaded.Items.back().Notes = std::move(feedback.Messages);
    loaded.Sources.push_back(p);
  }
  return loaded;
}

const char* QuantityKey(Quantity quantity) {
  constexpr std::array<const char*, kQuantities.size()> keys = {"none", "fo", "op", "ok",   "oj",
                                                                "ji",   "ip", "df", "dfmax"};
  return keys[static_cast<size_t>(quantity)];
}

std::optional<Quantity> ParseQuantity(std::string_view key) {
  for (Quantity quantity : kQuantities)
    if (key == QuantityKey(quantity)) return quantity;
  return std::nullopt;
}

const char* QuantityName(Quantity quantity) {
  constexpr std::array<const char*, kQuantities.size()> names = {
      "F", "F/Fo", "V_OP", "W_OK", "W_OJ", "W_JI", "W_IP", "DF", "DF/DFmax"};
  return names[static_cast<size_t>(quantity)];
}

NormalizedCurve Normalize(const CompareItem& item, Quantity quantity) {
  switch (quantity) {
    case Quantity::None:
      return Scaled(item, item.PF, 0, 1, {});
    case Quantity::Fo:
      if (std::string missing = MissingSteps(item, {kStepO}); !missing.empty())
        return {std::nullopt, missing};
      return Scaled(item, item.PF, 0, *item.Steps[kStepO].F, "Fo");
    case Quantity::OP:
      return BetweenSteps(item, kStepO, kStepP);
    case Quantity::OK:
      return BetweenSteps(item, kStepO, kStepK);
    case Quantity::OJ:
      return BetweenSteps(item, kStepO, kStepJ);
    case Quantity::JI:
      return BetweenSteps(item, kStepJ, kStepI);
    case Quantity::IP:
      return BetweenSteps(item, kStepI, kStepP);
    case Quantity::DF:
      return Scaled(item, item.DF, 0, 1, {});
    case Quantity::DFMax:
      return DFToMaximum(item);
  }
  return {std::nullopt, "unknown quantity"};
}

CompareCurve Difference(const CompareCurve& curve, const CompareCurve& reference) {
  CompareCurve difference{curve.Label, {}, {}, {}};
  if (reference.Time.empty()) return difference;
  const bool errors = !curve.Error.empty() || !reference.Error.empty();
  for (size_t i = 0; i < curve.Time.size(); ++i) {
    const double t = curve.Time[i];
    if (t < reference.Time.front() || t > reference.Time.back()) continue;
    difference.Time.push_back(t);
    difference.Value.push_back(curve.Value[i] - Interpolated(reference.Time, reference.Value, t));
    if (!errors) continue;
    const double own = curve.Error.empty() ? 0 : curve.Error[i];
    const double other =
        reference.Error.empty() ? 0 : Interpolated(reference.Time, reference.Error, t);
    difference.Error.push_back(std::hypot(own, other));
  }
  return difference;
}

std::string ReplicateKey(const std::string& label) {
  return DropLast(label, 1);
}

std::vector<ReplicateGroup> GroupReplicates(const std::vector<std::string>& labels,
                                            std::vector<CompareExclusion>& excluded) {
  std::vector<std::string> keys;
  for (const auto& label : labels) keys.push_back(ReplicateKey(label));
  const auto named = [&](size_t i) { return !keys[i].empty(); };
  const auto always = [](size_t) { return true; };
  const ReplicateGroups found = *GroupByKey(keys, named, named, always);
  std::vector<ReplicateGroup> groups;
  std::vector<bool> grouped(labels.size(), false);
  for (const auto& members : found) {
    groups.push_back({keys[members.front()], members});
    for (size_t member : members) grouped[member] = true;
  }
  for (size_t i = 0; i < labels.size(); ++i) {
    if (grouped[i]) continue;
    excluded.push_back({labels[i], keys[i].empty() ? "the name is too short to belong to a group"
                                                   : "the group " + keys[i] + " has " +
                                                         std::to_string(kMaxGroupMembers) +
                                                         " members already"});
  }
  return groups;
}

CompareCurve GroupMean(const std::string& name, const std::vector<const CompareCurve*>& members) {
  CompareCurve mean{name, {}, {}, {}};
  if (members.empty()) return mean;
  size_t points = members.front()->Time.size();
  for (const CompareCurve* member : members) points = std::min(points, member->Value.size());
  const double n = static_cast<double>(members.size());
  for (size_t i = 0; i < points; ++i) {
    double sum = 0;
    for (const CompareCurve* member : members) sum += member->Value[i];
    const double average = sum / n;
    double squares = 0;
    for (const CompareCurve* member : members)
      squares += (member->Value[i] - average) * (member->Value[i] - average);
    mean.Time.push_back(members.front()->Time[i]);
    mean.Value.push_back(average);
    mean.Error.push_back(members.size() < 2 ? 0 : std::sqrt(squares / (n - 1)) / std::sqrt(n));
  }
  return mean;
}

CurveSet BuildCompareCurves(const std::vector<CompareItem>& items, const CompareChoice& choice) {
  CurveSet set;
  std::vector<std::optional<CompareCurve>> normalized;
  for (const CompareItem& item : items) {
    NormalizedCurve curve = Normalize(item, choice.Of);
    if (!curve.Curve) set.Excluded.push_back({item.Label, curve.Reason});
    normalized.push_back(std::move(curve.Curve));
  }
  const auto isReference = [&](size_t i) { return choice.Reference && *choice.Reference == i; };
  if (choice.Groups) {
    std::vector<std::string> labels;
    for (const CompareItem& item : items) labels.push_back(item.Label);
    for (const ReplicateGroup& group : GroupReplicates(labels, set.Excluded)) {
      std::vector<const CompareCurve*> members;
      for (size_t member : group.Members)
        if (normalized[member]) members.push_back(&*normalized[member]);
      if (members.empty()) {
        set.Excluded.push_back({group.Name, "none of its measurements can be shown"});
        continue;
      }
      if (std::any_of(group.Members.begin(), group.Members.end(), isReference))
        set.Reference = set.Curves.size();
      set.Curves.push_back(GroupMean(group.Name, members));
      set.Members.push_back(group.Members);
    }
  } else {
    for (size_t i = 0; i < items.size(); ++i) {
      if (!normalized[i]) continue;
      if (isReference(i)) set.Reference = set.Curves.size();
      set.Curves.push_back(std::move(*normalized[i]));
      set.Members.push_back({i});
    }
  }
  if (!choice.Difference) return set;
  if (!set.Reference) {
    const std::string reason =
        choice.Reference && *choice.Reference < items.size()
            ? "the reference " + items[*choice.Reference].Label + " cannot be shown"
            : std::string("differences need a reference");
    for (const CompareCurve& curve : set.Curves) set.Excluded.push_back({curve.Label, reason});
    set.Curves.clear();
    set.Members.clear();
    return set;
  }
  const CompareCurve reference = set.Curves[*set.Reference];
  for (CompareCurve& curve : set.Curves) curve = Difference(curve, reference);
  return set;
}

std::vector<std::optional<double>> ValuesAt(const std::vector<CompareCurve>& curves, double t) {
  std::vector<std::optional<double>> values;
  for (const CompareCurve& curve : curves) {
    values.emplace_back();
    if (curve.Time.empty() || !(t >= curve.Time.front() && t <= curve.Time.back())) continue;
    const double value = Interpolated(curve.Time, curve.Value, t);
    if (std::isfinite(value)) values.back() = value;
  }
  return values;
}

std::string ExclusionsText(const std::vector<CompareExclusion>& excluded) {
  std::string text;
  for (const auto& exclusion : excluded) text += exclusion.Label + ": " + exclusion.Reason + "\n";
  return text;
}

}  // namespace tolmek
