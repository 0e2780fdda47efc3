#pragma once
// What every application object that shows our windows needs, whoever made
// it: Qt's own dialogs and menus in Brazilian Portuguese, and dates, sizes
// and numbers in those dialogs in the pt-BR form.
#include <QString>

namespace voske {

// Installs Qt's pt_BR translation on the running application (once per
// application object; a second call does nothing) and makes pt_BR the
// default locale. False when Qt's translation files are not installed: the
// windows still work, Qt's own captions then stay in English.
bool PrepareApplication();

// The folder Qt reads its translations from.
QString QtTranslationsFolder();

}  // namespace voske
