// tolmek-batch: the batch processing of measurement files without windows.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/BatchCommand.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tolmek::BatchEnvironment environment;
  environment.ProgramFolder = tolmek::ExecutableFolder(argc > 0 ? argv[0] : nullptr);
  environment.ProgressOnTerminal = isatty(fileno(stderr)) != 0;
  return tolmek::RunBatchCommand(arguments, environment);
}
