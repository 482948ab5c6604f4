#pragma once

// The benchmarks' cash book: a program folder laid out in `folder`, made the program folder
// and the current directory, and cash book K01 "Merkez" opened for 2021 on the session.

#include "data/CashBookFiles.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"

namespace tamevo::bench {

inline void prepareProgramFolder(const QString& folder)
{
    layOutProgramFolder(folder);
    setProgramFolder(folder);
    enterProgramFolder();
}

inline void openSampleBook(Session& session)
{
    session.openStartupConnections();
    FirmaRecord record;
    record.values.fill(QVariant(), firmaFieldNames().size());
    record.values[1] = QStringLiteral("K01");
    record.values[4] = QStringLiteral("Merkez");
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), record);
}

}  // namespace tamevo::bench
