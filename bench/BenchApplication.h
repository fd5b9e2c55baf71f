// The Qt application the benchmarks that draw need: text needs Qt's fonts, windows need widgets.
// Made once on the offscreen platform (unless another is chosen) and kept until the program ends.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace tolmek::bench {

template <typename Application>
void NeedApplication() {
  static Application* application = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tolmek-bench";
    static char* argv[] = {name, nullptr};
    return new Application(argc, argv);
  }();
  (void)application;
}

}  // namespace tolmek::bench
