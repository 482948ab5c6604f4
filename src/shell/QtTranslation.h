#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace tamevo {

// Gives Qt's own dialogs (the file and folder dialogs, the print dialog, the buttons of the
// message boxes) the user's language: Qt's translation for `locale` from `folder` (Qt's
// translations folder when empty) is installed into the application. The program's own texts
// are Turkish as they stand. False, and Qt's English stays, when there is no such
// translation: a missing file never stops the program.
bool installQtTranslation(QCoreApplication& app, const QLocale& locale = QLocale(),
                          const QString& folder = {});

}  // namespace tamevo
