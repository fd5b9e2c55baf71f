// What the main window is doing: idle, running a command, or closing, with every change of that
// state here. Commands nest (a dialog or an event-loop turn inside one lets another start), so the
// running state counts them; work that must not start inside a command waits until the window is
// idle again.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tolmek {

class CommandActivity {
 public:
  bool Idle() const { return state_ == State::Idle; }
  bool Closing() const { return state_ == State::Closing; }

  void CommandStarted() {
    ++depth_;
    if (state_ == State::Idle) state_ = State::Running;
  }
  // Returns what waited for the outermost command to end (nothing while an outer one runs).
  std::vector<std::function<void()>> CommandEnded() {
    --depth_;
    if (state_ != State::Running || depth_ > 0) return {};
    state_ = State::Idle;
    return std::exchange(waiting_, {});
  }
  // The window accepted its close: it stays closing (its own closing work still runs commands).
  void CloseAccepted() { state_ = State::Closing; }

  // Work that may not start inside a command (a close, a file handed over) runs now when the
  // window is idle, otherwise once it is idle again.
  void WhenIdle(std::function<void()> work) {
    if (Idle())
      work();
    else
      waiting_.push_back(std::move(work));
  }

 private:
  enum class State { Idle, Running, Closing };
  State state_ = State::Idle;
  int depth_ = 0;  // commands under way, the outermost included
  std::vector<std::function<void()>> waiting_;
};

}  // namespace tolmek
