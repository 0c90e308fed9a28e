#pragma once

class QCoreApplication;

namespace sorimu {

// Qt's own texts (file dialogs, standard buttons, context menus of the
// inputs) in Japanese, from the catalogues Debian ships in
// qt6-translations-l10n. The window speaks Japanese whatever the system's
// locale, so its dialogs do too. False when the catalogues are missing; the
// dialogs then stay in English and nothing else changes.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace sorimu
