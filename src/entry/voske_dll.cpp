// libvoske.so and its one export, Chama_VOSKE: the host program calls it,
// the main window opens modally, and the call returns when the window closes.
#include <QApplication>

#include <cstdio>
#include <memory>

#include "entry/application_setup.h"
#include "entry/icons.h"
#include "entry/main_form.h"
#include "generation/run_generation.h"
#include "transmission/java_transmission.h"

namespace {

// The application a call creates when the host has none. Qt keeps pointers
// to argc and argv for the application's whole life.
int g_argc = 1;
char g_programName[] = "voske";
char* g_argv[] = {g_programName, nullptr};

}  // namespace

extern "C" __attribute__((visibility("default"))) void Chama_VOSKE() {
  QCoreApplication* existing = QCoreApplication::instance();
  if (existing && !qobject_cast<QApplication*>(existing)) {
    // A host running a console or GUI-only application object cannot show
    // widgets, and a process holds one application object at most.
    std::fputs("Chama_VOSKE: o programa hospedeiro já tem uma aplicação Qt sem janelas.\n", stderr);
    return;
  }
  // Ours for this call only: the host gets its process back as it gave it.
  std::unique_ptr<QApplication> own;
  if (!existing) {
    own = std::make_unique<QApplication>(g_argc, g_argv);
    // Lets the desktop match the window to the installed entry and its icon.
    // No display name is set: the window system would append it to every
    // caption ("Erro — VOSKE-XML 3.3"), and a caption is shown as given.
    QGuiApplication::setDesktopFileName(QStringLiteral("voske-xml"));
    // Qt's own dialogs (the file picker) show the program's picture too; a
    // host's application keeps its own.
    QApplication::setWindowIcon(voske::ProgramIcon());
  }
  voske::PrepareApplication();

  voske::JavaTransmission transmission;
  auto form = std::make_unique<voske::TForm_VOSKE_XML>(transmission, voske::StandardGenerationServices());
  form->exec();
  // The window goes before the application that shows it.
  form.reset();
}
