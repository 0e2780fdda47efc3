#include "entry/application_setup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace voske {

namespace {
// The translator is a child of the application it serves: it goes with it,
// and a later application (the library makes one per call when the host has
// none) gets a new one.
const char* const kTranslatorName = "voske-qt-pt_BR";
}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool PrepareApplication() {
  const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
  QLocale::setDefault(brazil);
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  if (app->findChild<QTranslator*>(QString::fromLatin1(kTranslatorName), Qt::FindDirectChildrenOnly)) return true;
  auto* translator = new QTranslator(app);
  translator->setObjectName(QString::fromLatin1(kTranslatorName));
  // "qt" names the bundle of every Qt module's translation (qtbase_pt_BR and
  // the others), the same file set Qt's own tools load.
  if (!translator->load(brazil, QStringLiteral("qt"), QStringLiteral("_"), QtTranslationsFolder()) &&
      !translator->load(brazil, QStringLiteral("qtbase"), QStringLiteral("_"), QtTranslationsFolder())) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace voske
