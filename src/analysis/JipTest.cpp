#include "JipTest.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>

#include "data/NumberText.h"

namespace tolmek {

namespace {

constexpr const char* kDivisionByZeroReason = "division by zero";

// Fills the values one at a time; a value is computed only when the ones it needs are there, and a
// quotient only when its divisor is not zero.
class JipBuilder {
 public:
  explicit JipBuilder(JipResult& result) : result_(result) {}

  void Set(JipParameter p, double value) {
    if (std::isfinite(value)) {
      result_.Values[p] = value;
    } else {
      result_.Reasons[p] = "not a finite number";
    }
  }
  void Fail(JipParameter p, const std::string& reason) { result_.Reasons[p] = reason; }

  // Runs compute when every input is there; otherwise the value names the first missing one.
  void From(JipParameter p, std::initializer_list<JipParameter> inputs,
            const std::function<double()>& compute) {
    if (Ready(p, inputs)) Set(p, compute());
  }
  // numerator / denominator of values computed before; empty when the denominator is zero.
  void Quotient(JipParameter p, std::initializer_list<JipParameter> inputs,
                const std::function<double()>& numerator,
                const std::function<double()>& denominator) {
    if (!Ready(p, inputs)) return;
    const double below = denominator();
    if (below == 0) return Fail(p, kDivisionByZeroReason);
    Set(p, numerator() / below);
  }

 private:
  bool Ready(JipParameter p, std::initializer_list<JipParameter> inputs) {
    for (JipParameter input : inputs) {
      if (!result_.Has(input)) {
        Fail(p, std::string("needs ") + kJipNames[input]);
        return false;
      }
    }
    return true;
  }

  JipResult& result_;
};

double PF(const Measurement& record, int i) {
  return record.PFValues[static_cast<size_t>(i)];
}
double Time(const Measurement& record, int i) {
  return record.TimeValues[static_cast<size_t>(i)];
}

// The number of points the arrays really hold (PointCount may claim more).
int UsablePoints(const Measurement& record) {
  const size_t held = std::min(record.TimeValues.size(), record.PFValues.size());
  if (held < 2 || record.PointCount < 1) return 0;
  return std::min(record.PointCount, static_cast<int32_t>(held - 1));
}

// The first point at or after the time, compared in the precision the times are stored in, so a
// sample written as 0.300 ms counts as at 0.3 ms. 0 when the curve ends before.
int FirstPointFrom(const Measurement& record, int points, double time) {
  const float from = static_cast<float>(time);
  for (int i = 1; i <= points; ++i)
    if (record.TimeValues[static_cast<size_t>(i)] >= from) return i;
  return 0;
}

void StepValue(JipBuilder& b, const Measurement& record, int points, JipParameter p, double time) {
  if (points == 0) return b.Fail(p, "no curve");
  const int i = FirstPointFrom(record, points, time);
  if (i == 0) return b.Fail(p, "the curve ends before " + FormatGeneral(time) + " ms");
  b.Set(p, PF(record, i));
}

// The area between the curve and the level Fm from point 1 to the Fm point: trapezoids over the
// samples, time in ms.
double AreaAboveCurve(const Measurement& record, int fmPoint, double fm) {
  double area = 0;
  for (int i = 1; i < fmPoint; ++i) {
    const double width = Time(record, i + 1) - Time(record, i);
    area += width * ((fm - PF(record, i)) + (fm - PF(record, i + 1))) / 2;
  }
  return area;
}

void CurvePoints(JipBuilder& b, JipResult& r, const Measurement& record, int points) {
  if (points == 0) {
    b.Fail(kJipFo, "no curve");
  } else {
    b.Set(kJipFo, PF(record, 1));
  }
  StepValue(b, record, points, kJipFk, kJipKTime);
  StepValue(b, record, points, kJipFj, kJipJTime);
  StepValue(b, record, points, kJipFi, kJipITime);
  const int fmPoint = record.PFPoints[kSlotFm];
  if (points == 0) {
    b.Fail(kJipFm, "no curve");
  } else if (fmPoint < 1) {
    b.Fail(kJipFm, "Fm is not set");
  } else if (fmPoint > points) {
    b.Fail(kJipFm, "the Fm point lies beyond the curve");
  } else {
    b.Set(kJipFm, PF(record, fmPoint));
    b.Set(kJipTFm, Time(record, fmPoint));
    b.Set(kJipArea, AreaAboveCurve(record, fmPoint, PF(record, fmPoint)));
  }
  for (JipParameter p : {kJipTFm, kJipArea})
    if (!r.Has(p)) b.Fail(p, "needs Fm");
}

void Ratios(JipBuilder& b, const JipResult& r) {
  b.From(kJipFv, {kJipFo, kJipFm}, [&] { return r[kJipFm] - r[kJipFo]; });
  b.Quotient(
      kJipVj, {kJipFj, kJipFv}, [&] { return r[kJipFj] - r[kJipFo]; }, [&] { return r[kJipFv]; });
  b.Quotient(
      kJipVi, {kJipFi, kJipFv}, [&] { return r[kJipFi] - r[kJipFo]; }, [&] { return r[kJipFv]; });
  b.Quotient(
      kJipFmFo, {kJipFm, kJipFo}, [&] { return r[kJipFm]; }, [&] { return r[kJipFo]; });
  b.Quotient(
      kJipFvFo, {kJipFv}, [&] { return r[kJipFv]; }, [&] { return r[kJipFo]; });
  b.Quotient(
      kJipFvFm, {kJipFv}, [&] { return r[kJipFv]; }, [&] { return r[kJipFm]; });
  b.Quotient(
      kJipMo, {kJipFk, kJipFv}, [&] { return 4 * (r[kJipFk] - r[kJipFo]); },
      [&] { return r[kJipFv]; });
  b.Quotient(
      kJipSm, {kJipArea, kJipFv}, [&] { return r[kJipArea]; }, [&] { return r[kJipFv]; });
  b.Quotient(
      kJipSs, {kJipVj, kJipMo}, [&] { return r[kJipVj]; }, [&] { return r[kJipMo]; });
  b.Quotient(
      kJipN, {kJipSm, kJipMo, kJipVj}, [&] { return r[kJipSm] * r[kJipMo]; },
      [&] { return r[kJipVj]; });
}

void YieldsAndFluxes(JipBuilder& b, const JipResult& r) {
  b.From(kJipPhiPo, {kJipFvFm}, [&] { return r[kJipFvFm]; });
  b.From(kJipPsiO, {kJipVj}, [&] { return 1 - r[kJipVj]; });
  b.From(kJipPhiEo, {kJipPhiPo, kJipPsiO}, [&] { return r[kJipPhiPo] * r[kJipPsiO]; });
  b.From(kJipPhiDo, {kJipPhiPo}, [&] { return 1 - r[kJipPhiPo]; });
  b.Quotient(
      kJipPhiPav, {kJipPhiPo, kJipSm, kJipTFm}, [&] { return r[kJipPhiPo] * r[kJipSm]; },
      [&] { return r[kJipTFm]; });
  b.Quotient(
      kJipTRoRC, {kJipMo, kJipVj}, [&] { return r[kJipMo]; }, [&] { return r[kJipVj]; });
  b.Quotient(
      kJipAbsRC, {kJipTRoRC, kJipPhiPo}, [&] { return r[kJipTRoRC]; },
      [&] { return r[kJipPhiPo]; });
  b.From(kJipEToRC, {kJipTRoRC, kJipPsiO}, [&] { return r[kJipTRoRC] * r[kJipPsiO]; });
  b.From(kJipDIoRC, {kJipAbsRC, kJipTRoRC}, [&] { return r[kJipAbsRC] - r[kJipTRoRC]; });
  // PI_abs = (1 / ABS/RC) (Phi_Po / (1 - Phi_Po)) (Psi_o / (1 - Psi_o)): one quotient whose
  // divisor is zero when any of the three is.
  b.Quotient(
      kJipPIAbs, {kJipAbsRC, kJipPhiPo, kJipPsiO}, [&] { return r[kJipPhiPo] * r[kJipPsiO]; },
      [&] { return r[kJipAbsRC] * (1 - r[kJipPhiPo]) * (1 - r[kJipPsiO]); });
}

}  // namespace

int JipStepPoint(const Measurement& record, double time) {
  return FirstPointFrom(record, UsablePoints(record), time);
}

JipResult ComputeJipTest(const Measurement& record) {
  JipResult result;
  JipBuilder builder(result);
  const int points = UsablePoints(record);
  CurvePoints(builder, result, record, points);
  Ratios(builder, result);
  YieldsAndFluxes(builder, result);
  return result;
}

int JipDecimals(JipParameter p) {
  switch (p) {
    case kJipFo:
    case kJipFk:
    case kJipFj:
    case kJipFi:
    case kJipFm:
    case kJipFv:
    case kJipTFm:
    case kJipArea:
      return 2;
    default:
      return 3;
  }
}

std::string JipGapsText(const JipResult& result) {
  std::string text;
  for (int p = 0; p < kJipParameterCount; ++p) {
    if (result.Values[p]) continue;
    text += (text.empty() ? "Not computable: " : ", ") + std::string(kJipNames[p]) + " (" +
            result.Reasons[p] + ")";
  }
  return text;
}

std::string JipTestText(const JipResult& result) {
  std::string text;
  for (int p = 0; p < kJipParameterCount; ++p) {
    const JipParameter parameter = static_cast<JipParameter>(p);
    text += std::string(kJipNames[p]) + " = ";
    if (result.Has(parameter)) text += FormatDecimals(result[parameter], JipDecimals(parameter));
    text += NewLineText;
  }
  const std::string gaps = JipGapsText(result);
  if (!gaps.empty()) text += std::string(NewLineText) + gaps + NewLineText;
  return text;
}

}  // namespace tolmek
