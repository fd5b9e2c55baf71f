#include "CompareRadar.h"

#include <algorithm>

namespace tolmek {

namespace {

// A measurement's or group's parameter values, each with why it is missing.
struct RadarSource {
  std::string Label;
  std::vector<size_t> Members;
};

struct SourceValue {
  std::optional<double> Value;
  std::string Reason;
};

SourceValue MeanValue(const std::vector<CompareItem>& items, const RadarSource& source,
                      JipParameter p) {
  double sum = 0;
  int count = 0;
  std::string reason;
  for (size_t member : source.Members) {
    if (items[member].Jip.Has(p)) {
      sum += items[member].Jip[p];
      ++count;
    } else if (reason.empty()) {
      reason = items[member].Jip.Reasons[p];
    }
  }
  if (count == 0) return {std::nullopt, reason};
  return {sum / count, {}};
}

}  // namespace

const std::vector<JipParameter>& DefaultRadarParameters() {
  static const std::vector<JipParameter> parameters = {kJipFvFm,  kJipFvFo,  kJipMo,    kJipVj,
                                                       kJipPsiO,  kJipPhiEo, kJipAbsRC, kJipTRoRC,
                                                       kJipEToRC, kJipDIoRC, kJipSm,    kJipPIAbs};
  return parameters;
}

RadarTable ComputeRadar(const std::vector<CompareItem>& items, size_t reference,
                        const std::vector<JipParameter>& parameters, bool groups) {
  RadarTable table;
  table.Parameters = parameters;
  std::vector<RadarSource> sources;
  if (groups) {
    std::vector<std::string> labels;
    for (const CompareItem& item : items) labels.push_back(item.Label);
    for (ReplicateGroup& group : GroupReplicates(labels, table.Excluded))
      sources.push_back({group.Name, std::move(group.Members)});
  } else {
    for (size_t i = 0; i < items.size(); ++i) sources.push_back({items[i].Label, {i}});
  }
  const auto holdsReference = [&](const RadarSource& source) {
    return std::find(source.Members.begin(), source.Members.end(), reference) !=
           source.Members.end();
  };
  const auto referenceSource = std::find_if(sources.begin(), sources.end(), holdsReference);
  for (const RadarSource& source : sources) {
    RadarRow row{source.Label, {}, source.Members};
    for (JipParameter p : parameters) {
      const std::string name = source.Label + " " + kJipNames[p];
      const SourceValue value = MeanValue(items, source, p);
      const SourceValue base = referenceSource == sources.end()
                                   ? SourceValue{std::nullopt, "there is no reference"}
                                   : MeanValue(items, *referenceSource, p);
      row.Ratios.emplace_back();
      if (!value.Value) {
        table.Excluded.push_back({name, value.Reason});
      } else if (!base.Value) {
        table.Excluded.push_back({name, "the reference has none (" + base.Reason + ")"});
      } else if (*base.Value == 0) {
        table.Excluded.push_back({name, "the reference's value is 0"});
      } else {
        row.Ratios.back() = *value.Value / *base.Value;
      }
    }
    table.Rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace tolmek
