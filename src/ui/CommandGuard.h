// The one guard between a window's event and the logic it runs: no failure crosses the event loop
// and none passes unreported.
#pragma once

#include <functional>
#include <string>

#include "Feedback.h"

namespace tolmek {

// The text shown for a failure that is not a UserError: a fault of the program, not of the input.
std::string InternalErrorText(const std::string& detail);

// Runs a command. A UserError (ErrorText) is shown with its own text and the given icon; any other
// failure, an allocation failure included, is shown as an internal error. A failed command's busy
// pointer ends before its message. Returns true when the command ran to its end, so the caller can
// undo what a failed command left half done.
bool RunReportingFailure(Feedback& feedback, const std::function<void()>& command,
                         MessageIcon icon = MessageIcon::Critical);

}  // namespace tolmek
