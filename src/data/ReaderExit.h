// The one exit of the text-format readers: a failure is reported once, where it happens, and every
// way out but success leaves the empty state.
#pragma once

#include <new>
#include <stdexcept>
#include <string>

#include "Errors.h"
#include "FileChoice.h"
#include "Measurement.h"
#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

constexpr const char* kOutOfMemoryText = "Out of memory";

// Thrown inside a reader when the user cancels (Esc, or the gain question): no message.
struct ReadCancelled {};
// Thrown inside a reader when the file does not have the expected structure.
struct UnreadableFile {};

// Runs read(), which returns the outcome of a read that went through. Every other way out is
// handled here: a cancel ends quietly, a file of the wrong structure gets the unreadable-file
// message, any other error its text (after errorPrefix and a line break, when one is given).
// The read owns its BusyScope, so the progress window is gone before a message appears.
template <typename Read>
ReadOutcome RunReader(Session& session, Feedback& feedback, Read&& read,
                      const std::string& errorPrefix = {}) {
  std::string message;
  try {
    return read();
  } catch (const ReadCancelled&) {
    session.Record.CancelRequested = false;
    ResetState(session);
    return ReadOutcome::Cancelled;
  } catch (const UnreadableFile&) {
    ReportUnreadableFile(session, feedback);
    return ReadOutcome::Failed;
  } catch (const ErrorText& error) {
    message = error.what();
  } catch (const std::bad_alloc&) {
    message = kOutOfMemoryText;
  } catch (const std::length_error&) {
    message = kOutOfMemoryText;
  }
  feedback.ShowMessage(errorPrefix.empty() ? message : errorPrefix + "\r" + message,
                       MessageIcon::Critical);
  ResetState(session);
  return ReadOutcome::Failed;
}

// The writers' counterpart: builds and writes inside write(); a failure is reported and gives
// false.
template <typename Write>
bool RunWriter(Feedback& feedback, Write&& write) {
  try {
    write();
    return true;
  } catch (const ErrorText& error) {
    feedback.ShowMessage(error.what(), MessageIcon::Critical);
  } catch (const std::bad_alloc&) {
    feedback.ShowMessage(kOutOfMemoryText, MessageIcon::Critical);
  } catch (const std::length_error&) {
    feedback.ShowMessage(kOutOfMemoryText, MessageIcon::Critical);
  }
  return false;
}

}  // namespace tolmek
