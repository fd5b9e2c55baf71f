// tolmek-gen: writes synthetic measurement files for examples, tests and trials.
#include <iostream>
#include <string>
#include <vector>

#include "synth/GeneratorCommand.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return tolmek::synth::RunGenerator(arguments, std::cout, std::cerr);
}
