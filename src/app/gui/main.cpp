// The window program: start-up and the event loop.
#include <QApplication>
#include <cstdio>

#include "app/gui/QtStartProgram.h"

int main(int argc, char* argv[]) {
  StartStartupClock();
  // --help and --version are answered before Qt starts, so they need no display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (const std::string answer = CommandLineAnswer(arguments); !answer.empty()) {
    std::fputs(answer.c_str(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("tolmek");
  QApplication::setOrganizationName("tolmek");
  return StartProgram(application);
}
