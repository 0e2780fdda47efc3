// Chama_VOSKE as a host program calls it: through dlopen, twice in one
// process, with and without an application object of the host's own. Each
// case runs the host in a process of its own, as the library's window starts
// the process's one Java VM.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <filesystem>

#include "support/paths.h"

namespace voske {
namespace {

struct HostRun {
  int exitCode = -1;
  QStringList lines;
  QString errors;
};

HostRun RunHost(const QStringList& extra) {
  const std::filesystem::path host = support::BinaryDir() / "tests" / "chama_host";
  const std::filesystem::path library = support::BinaryDir() / "bin" / "libvoske.so";
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // The Java client beside the real host program, not beside this helper.
  env.insert(QStringLiteral("VOSKE_CLIENT_DIR"),
             QString::fromStdString((support::BinaryDir() / "bin" / "ext" / "VOSKE").string()));
  p.setProcessEnvironment(env);
  p.start(QString::fromStdString(host.string()), QStringList{QString::fromStdString(library.string())} + extra);
  HostRun run;
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    run.errors = QStringLiteral("the host did not finish");
    return run;
  }
  run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\n'), Qt::SkipEmptyParts);
  run.errors = QString::fromUtf8(p.readAllStandardError());
  return run;
}

QStringList Starting(const QStringList& lines, const QString& prefix) {
  QStringList out;
  for (const QString& l : lines)
    if (l.startsWith(prefix)) out << l;
  return out;
}

TEST(ChamaVoske, TwiceWithoutAnApplicationOfTheHost) {
  const HostRun run = RunHost({});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QStringList windows = Starting(run.lines, QStringLiteral("janela: "));
  ASSERT_EQ(windows.size(), 2) << run.lines.join('\n').toStdString();
  for (const QString& w : windows) EXPECT_TRUE(w.startsWith(QStringLiteral("janela: VOSKE-XML 3.3 { - JRE ")));
  // Captions are shown as given: the application the library made has no
  // display name the window system would append to them ("Erro — VOSKE-XML
  // 3.3"). Qt's own texts speak Portuguese in each application it made.
  EXPECT_EQ(Starting(run.lines, QStringLiteral("aplicacao: ")),
            QStringList({QStringLiteral("aplicacao: sem-nome"), QStringLiteral("aplicacao: sem-nome")}));
  EXPECT_EQ(Starting(run.lines, QStringLiteral("qt: ")),
            QStringList({QStringLiteral("qt: Abrir|&Desfazer|pt_BR"), QStringLiteral("qt: Abrir|&Desfazer|pt_BR")}));
  EXPECT_EQ(Starting(run.lines, QStringLiteral("retornou ")),
            QStringList({QStringLiteral("retornou 1 sem-aplicacao"), QStringLiteral("retornou 2 sem-aplicacao")}));
  EXPECT_EQ(run.lines.last(), QStringLiteral("fim"));
#ifdef VOSKE_JAVA_EXECUTABLE
  // With the Java client beside it, each window starts (or finds) the VM
  // without a word to the user.
  EXPECT_TRUE(Starting(run.lines, QStringLiteral("mensagem: ")).isEmpty()) << run.lines.join('\n').toStdString();
  EXPECT_TRUE(run.lines.contains(QStringLiteral("jvm carregada")));
#endif
}

TEST(ChamaVoske, TwiceInsideTheHostsOwnApplication) {
  const HostRun run = RunHost({QStringLiteral("--com-aplicacao")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_EQ(Starting(run.lines, QStringLiteral("janela: ")).size(), 2) << run.lines.join('\n').toStdString();
  EXPECT_EQ(Starting(run.lines, QStringLiteral("retornou ")),
            QStringList({QStringLiteral("retornou 1 com-aplicacao"), QStringLiteral("retornou 2 com-aplicacao")}));
  // The host's own application gets the translation too, and only once.
  EXPECT_EQ(Starting(run.lines, QStringLiteral("qt: ")),
            QStringList({QStringLiteral("qt: Abrir|&Desfazer|pt_BR"), QStringLiteral("qt: Abrir|&Desfazer|pt_BR")}));
  EXPECT_EQ(Starting(run.lines, QStringLiteral("tradutores ")), QStringList({QStringLiteral("tradutores 1")}));
  EXPECT_EQ(run.lines.last(), QStringLiteral("fim"));
}

}  // namespace
}  // namespace voske
