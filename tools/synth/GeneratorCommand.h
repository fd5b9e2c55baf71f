// The command line of tolmek-gen: one synthetic measurement file per call, or the example set.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tolmek::synth {

// One file of the example set and the generator arguments that make it (without --out).
struct ExampleFile {
  std::string Name;
  std::vector<std::string> Arguments;
};

const std::vector<ExampleFile>& ExampleFiles();

// The bytes the generator writes for the arguments (without --out); throws std::invalid_argument
// with a readable reason for arguments it does not accept.
std::string GenerateContent(const std::vector<std::string>& arguments);

// Runs the generator on the arguments after the program name. Returns the exit status: 0 done,
// 1 a file could not be written, 2 a usage error (the usage text goes to err).
int RunGenerator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tolmek::synth
