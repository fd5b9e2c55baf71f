// The window program. Until the shell arrives it shows the bare main window.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Tolmek32");
  window.setCentralWidget(new QMdiArea(&window));
  window.resize(900, 600);
  window.show();
  return application.exec();
}
