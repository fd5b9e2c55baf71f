// The change of the gains of a loaded measurement and the checks of the amplification dialog.
#pragma once

#include <optional>
#include <string>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kGainRangeText = "Values must be between 0 and 1500.";
constexpr double kMaxDisplayGain = 1500;

// The gains of the record in display units (PF x 6, DF x 120).
DisplayGains CurrentDisplayGains(const Measurement& record);

// True when both display values lie in 0 < value <= 1500.
bool GainsInRange(const DisplayGains& gains);

// The dialog's OK: each text read as its leading number (no number gives 0). Nothing when either
// value is out of range (the dialog then shows kGainRangeText and stays open).
std::optional<DisplayGains> ParseGainEntry(const std::string& pfText, const std::string& dfText);

// Rescales the loaded curves, their slopes and the recording's tail to the new display gains,
// recomputes the chart maxima, the DF peak table and the results row; the point slots stay where
// they are. Nothing (cancel) leaves curves and gains exactly as they were. Throws ErrorText
// ("Overflow") when a rescaled value does not fit a 32-bit float (a tiny new gain such as 1E-30);
// the measurement is then unchanged and the caller reports the text.
void ChangeAmplification(Session& session, const std::optional<DisplayGains>& newGains);

}  // namespace tolmek
