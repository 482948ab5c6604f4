#include "shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tamevo {

bool installQtTranslation(QCoreApplication& app, const QLocale& locale, const QString& folder)
{
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto* translator = new QTranslator(&app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), from)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace tamevo
