#pragma once
// One QApplication for a whole test program, on the offscreen platform unless
// the environment asks for another; widgets found by their component names.
#include <gtest/gtest.h>

#include <QApplication>

#include <stdexcept>

namespace voske::support {

inline QApplication& EnsureApp() {
  static int argc = 1;
  static char name[] = "entry_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// The widget of `window` whose object name is the original component name
// `component` ("B_Gerar_Arquivo", "MaskEdit1"). A missing one fails the test.
template <typename W>
W* Widget(const QObject& window, const char* component) {
  W* w = window.findChild<W*>(QString::fromLatin1(component));
  if (!w) {
    ADD_FAILURE() << "no widget named " << component;
    throw std::runtime_error(component);
  }
  return w;
}

}  // namespace voske::support
