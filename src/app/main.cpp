// The window program: start-up and the event loop.
#include <QApplication>

#include "app/QtStartProgram.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("tolmek");
  QApplication::setOrganizationName("tolmek");
  return StartProgram(application);
}
