#pragma once
// Qt's own texts (standard buttons, the file dialog, the line edit's menu)
// in the user's language, so that "OK" and "Cancel" do not stand in English
// among the Japanese texts of the system.

#include <QLocale>

class QCoreApplication;

namespace morvanta::gui {

// Installs Qt's translations for `locale` from Qt's translations folder.
// False when none are installed for it (English texts stay); nothing else
// changes then.
bool installQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale());

}  // namespace morvanta::gui
