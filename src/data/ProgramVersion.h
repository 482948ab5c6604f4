#pragma once

#include <QString>

namespace tamevo {

// The program's version ("3.4"), as the build gives it.
inline QString programVersion()
{
    return QStringLiteral(TAMEVO_VERSION);
}

// The text of the version panel of the windows' status bars: " Version: 3.4 Guncelleme: 0".
inline QString versionPanelText()
{
    return QStringLiteral(" Version: %1 Guncelleme: 0").arg(programVersion());
}

}  // namespace tamevo
