#include "CommandGuard.h"

#include <exception>

#include "UserError.h"

namespace tolmek {

std::string InternalErrorText(const std::string& detail) {
  return "Internal error: " + detail;
}

bool RunReportingFailure(Feedback& feedback, const std::function<void()>& command,
                         MessageIcon icon) {
  try {
    command();
    return true;
  } catch (const UserError& error) {
    feedback.SetBusy(false);
    feedback.ShowMessage(error.what(), icon);
  } catch (const std::exception& error) {
    feedback.SetBusy(false);
    feedback.ShowMessage(InternalErrorText(error.what()), MessageIcon::Critical);
  } catch (...) {
    feedback.SetBusy(false);
    feedback.ShowMessage(InternalErrorText("a failure of an unknown kind"), MessageIcon::Critical);
  }
  return false;
}

}  // namespace tolmek
