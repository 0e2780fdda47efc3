#include "entry/browser.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

namespace voske {

void OpenInBrowser(QObject* context, const QString& url, std::function<void(const QString& reason)> failed) {
  const QString reason = QStringLiteral("Nenhum navegador abriu o endereço %1.").arg(url);
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    failed(reason);
    return;
  }
  // Without a parent: the opener may wait on the browser it started, and
  // closing the window must not end that browser. The process object goes
  // when the opener ends.
  auto* process = new QProcess;
  process->setProgram(opener);
  process->setArguments({url});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  const QPointer<QObject> alive(context);
  QObject::connect(process, &QProcess::finished, process,
                   [process, alive, failed, reason](int code, QProcess::ExitStatus status) {
                     if ((status != QProcess::NormalExit || code != 0) && alive) failed(reason);
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, alive, failed, reason](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     if (alive) failed(reason);
                     process->deleteLater();
                   });
  process->start();
}

}  // namespace voske
