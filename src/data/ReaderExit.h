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

// Runs read(), which returns false when the user cancelled. The read owns its BusyScope, so the
// progress window is gone before a message appears.
template <typename Read>
ReadOutcome RunReader(Session& session, Feedback& feedback, Read&& read) {
  std::string message;
  try {
    if (read()) return ReadOutcome::Loaded;
    ResetState(session);
    return ReadOutcome::Cancelled;
  } catch (const ErrorText& error) {
    message = error.what();
  } catch (const std::bad_alloc&) {
    message = kOutOfMemoryText;
  } catch (const std::length_error&) {
    message = kOutOfMemoryText;
  }
  feedback.ShowMessage(message, MessageIcon::Critical);
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
