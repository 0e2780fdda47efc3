// A host program for the tests: loads libvoske.so by path and calls
// Chama_VOSKE twice, the way a host that reopens the window does. Every
// window that opens is answered from a timer started when the application
// object is built (inside the library, or here with "--com-aplicacao"):
// message dialogs are closed with their button, the main window with Sair.
// It prints what it saw, one line per event, for the test to read.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <link.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "host_library.h"

namespace {

void Say(const char* what, const QString& text) {
  std::printf("%s %s\n", what, text.toUtf8().constData());
  std::fflush(stdout);
}

void AnswerWindows() {
  QWidget* w = QApplication::activeModalWidget();
  if (!w || !w->isVisible()) return;
  const QByteArray kind = w->metaObject()->className();
  if (kind == "voske::TMessageForm") {
    auto* label = w->findChild<QLabel*>(QStringLiteral("M"));
    Say("mensagem:", label ? label->text().replace(QChar('\n'), QChar('|')) : QString());
    if (auto* b = w->findChild<QAbstractButton*>()) b->click();
  } else if (kind == "voske::TForm_VOSKE_XML") {
    Say("janela:", w->windowTitle());
    // A display name set by anyone would be appended by the window system
    // to every caption; unset, Qt answers the application's plain name.
    const QString display = QGuiApplication::applicationDisplayName();
    Say("aplicacao:", display == QCoreApplication::applicationName() ? QStringLiteral("sem-nome") : display);
    // Qt's own texts as the user reads them (file picker, edit menu).
    Say("qt:", QCoreApplication::translate("QFileDialog", "Open") + QChar('|') +
                   QCoreApplication::translate("QLineEdit", "&Undo") + QChar('|') + QLocale().name());
    if (auto* sair = w->findChild<QAbstractButton*>(QStringLiteral("Sair"))) sair->click();
  }
}

// Runs in the constructor of every application object of the process, so
// also in the one the library makes for each call.
void StartAnswering() {
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, &AnswerWindows);
  timer->start(20);
}

// Whether the process has loaded a Java VM library (the window starts one).
bool JavaVmLoaded() {
  bool found = false;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        if (info->dlpi_name && std::strstr(info->dlpi_name, "libjvm.so")) *static_cast<bool*>(data) = true;
        return 0;
      },
      &found);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "uso: chama_host <libvoske.so> [--com-aplicacao]\n");
    return 2;
  }
  qAddPreRoutine(StartAnswering);
  std::unique_ptr<QApplication> hostApp;
  if (argc > 2 && std::strcmp(argv[2], "--com-aplicacao") == 0) hostApp = std::make_unique<QApplication>(argc, argv);

  voske::host::LoadedLibrary library = voske::host::LoadVoskeLibrary(argv[1]);
  if (!library.chamaVoske) {
    std::fprintf(stderr, "%s\n", library.error.c_str());
    return 1;
  }
  for (int call = 1; call <= 2; ++call) {
    library.chamaVoske();
    std::printf("retornou %d %s\n", call, QCoreApplication::instance() ? "com-aplicacao" : "sem-aplicacao");
    std::fflush(stdout);
  }
  if (hostApp)
    std::printf("tradutores %d\n", static_cast<int>(hostApp->findChildren<QTranslator*>().size()));
  std::printf("jvm %s\n", JavaVmLoaded() ? "carregada" : "ausente");
  hostApp.reset();
  voske::host::UnloadVoskeLibrary(library);
  std::printf("fim\n");
  return 0;
}
