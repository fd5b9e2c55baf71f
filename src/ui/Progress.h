// Progress of a long loop: the bar moves and the event loop turns only when the whole percentage
// grows, and a cancel from the user reaches the loop through the CancelRequested flag.
#pragma once

#include <cstdint>

#include "Feedback.h"

namespace tolmek {

class PercentProgress {
 public:
  PercentProgress(Feedback& feedback, bool& cancelRequested)
      : feedback_(feedback), cancelRequested_(cancelRequested) {}

  // Reports done of total. Returns true when the loop must stop because the user cancelled;
  // the flag is then cleared, as the readers do.
  bool Step(double done, double total) {
    const int percent = total > 0 ? static_cast<int>(done / total * 100) : 100;
    if (percent <= last_ || percent > 100) return false;
    last_ = percent;
    feedback_.SetProgress(percent);
    if (feedback_.TurnEventLoop()) cancelRequested_ = true;
    if (!cancelRequested_) return false;
    cancelRequested_ = false;
    return true;
  }

 private:
  Feedback& feedback_;
  bool& cancelRequested_;
  int last_ = 0;
};

// Shows the busy pointer, disables the main window and shows the progress window for the
// lifetime of the object; every way out restores them.
class BusyScope {
 public:
  explicit BusyScope(Feedback& feedback) : feedback_(feedback) {
    feedback_.SetBusy(true);
    feedback_.SetMainWindowEnabled(false);
    feedback_.ShowProgress();
  }
  ~BusyScope() {
    feedback_.SetMainWindowEnabled(true);
    feedback_.HideProgress();
    feedback_.SetProgress(0);
    feedback_.SetBusy(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Feedback& feedback_;
};

}  // namespace tolmek
