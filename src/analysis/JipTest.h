// The JIP-test of the PF curve (Strasser, Tsimilli-Michael and Srivastava 2004, "Analysis of the
// chlorophyll a fluorescence transient"), computed from the loaded curve and the program's own
// points: Fo is point 1, Fm the point of the Fm slot. Double precision throughout.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "data/Session.h"

namespace tolmek {

// The parameters, in the order of the columns of jip.res.
enum JipParameter : int {
  kJipFo,
  kJipFk,
  kJipFj,
  kJipFi,
  kJipFm,
  kJipTFm,
  kJipFv,
  kJipVj,
  kJipVi,
  kJipFmFo,
  kJipFvFo,
  kJipFvFm,
  kJipMo,
  kJipArea,
  kJipSm,
  kJipSs,
  kJipN,
  kJipPhiPo,
  kJipPsiO,
  kJipPhiEo,
  kJipPhiDo,
  kJipPhiPav,
  kJipPIAbs,
  kJipAbsRC,
  kJipTRoRC,
  kJipEToRC,
  kJipDIoRC,
  kJipParameterCount
};

constexpr std::array<const char*, kJipParameterCount> kJipNames = {
    "Fo",    "Fk",     "Fj",     "Fi",      "Fm",     "tFm",    "Fv",     "Vj",     "Vi",
    "Fm/Fo", "Fv/Fo",  "Fv/Fm",  "Mo",      "Area",   "Sm",     "Ss",     "N",      "Phi_Po",
    "Psi_o", "Phi_Eo", "Phi_Do", "Phi_Pav", "PI_abs", "ABS/RC", "TRo/RC", "ETo/RC", "DIo/RC"};

// The times (ms) of the K, J and I steps: the first sample at or after each.
constexpr double kJipKTime = 0.3;
constexpr double kJipJTime = 2;
constexpr double kJipITime = 30;

struct JipResult {
  // Empty where the value cannot be computed.
  std::array<std::optional<double>, kJipParameterCount> Values;
  // Why a value is empty ("the curve ends before 30 ms", "division by zero", "needs Fm", ...).
  std::array<std::string, kJipParameterCount> Reasons;

  bool Has(JipParameter p) const { return Values[p].has_value(); }
  double operator[](JipParameter p) const { return *Values[p]; }
};

// The point (1..) of the first sample at or after the time (ms), as the K, J and I steps are found;
// 0 when the curve ends before.
int JipStepPoint(const Measurement& record, double time);

// The JIP-test of the loaded measurement. Never throws for any curve or point slots.
JipResult ComputeJipTest(const Measurement& record);

// Decimals of a parameter in jip.res and the window: F values, tFm and Area two, the others three.
int JipDecimals(JipParameter p);

// "Not computable: Fi (the curve ends before 30 ms), Vi (needs Fi)"; empty when all were computed.
std::string JipGapsText(const JipResult& result);

// The text of the "JIP-test" window: one line "name = value" per parameter (nothing after "="
// for a value that cannot be computed), then the gaps line when there is one; CR LF line ends.
std::string JipTestText(const JipResult& result);

}  // namespace tolmek
