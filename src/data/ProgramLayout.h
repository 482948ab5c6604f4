#pragma once

#include <QString>

namespace tamevo {

// Lays out a program folder: the folders AnaData, Data and Yedek, the template Kasa.mdb,
// AnaData/Genel.mdb and AnaData/Kasa.mdb created from the schema, and the files of
// `deliveredFiles` (a folder whose files are copied in). Only what is missing is made: an
// existing database or file is never touched. Throws Error.
void layOutProgramFolder(const QString& folder, const QString& deliveredFiles = {});

}  // namespace tamevo
