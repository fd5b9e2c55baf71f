// The kind of failure whose text is written for the user: the guard around window commands
// (CommandGuard.h) shows it as it stands. The data layer's ErrorText is one; the guard lives here,
// below the data layer, so it knows the kind and not the data layer.
#pragma once

#include <stdexcept>
#include <string>

namespace tolmek {

class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace tolmek
