#pragma once
// One QApplication for a whole test program, on the offscreen platform unless
// the environment asks for another.
#include <QApplication>

namespace voske::support {

inline QApplication& EnsureApp() {
  static int argc = 1;
  static char name[] = "entry_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace voske::support
