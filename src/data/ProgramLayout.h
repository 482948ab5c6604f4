#pragma once

#include <QString>
#include <QStringList>

namespace tamevo {

// Lays out a program folder: the folders AnaData, Data and Yedek, the template Kasa.mdb,
// AnaData/Genel.mdb and AnaData/Kasa.mdb created from the schema, and the files of
// `deliveredFiles` (a folder whose files are copied in). Only what is missing is made: an
// existing database or file is never touched. Throws Error.
void layOutProgramFolder(const QString& folder, const QString& deliveredFiles = {});

// The settings files of the program folder: the user's, never replaced by a delivered copy.
bool isSettingsFile(const QString& fileName);

// Brings a program folder kept outside the build up to date: lays it out as above, then
// replaces every delivered file whose content changed, except the settings files, puts the
// program file `program` in as its file name, executable, when it differs, and the files
// the build made (`builtFiles`: the manual) likewise. A database or a settings file that
// exists is never touched. Each file is written whole under a temporary name and renamed
// into place. Throws Error.
void updateProgramFolder(const QString& folder, const QString& deliveredFiles,
                         const QString& program, const QStringList& builtFiles = {});

// Lays out the user's data folder of an installed program from its own files: the folders
// AnaData, Data and Yedek, and every database and settings file of `programFiles` (the
// fresh layout the package delivers, in its folders) that the data folder lacks. The help
// texts and the manual stay with the program. A database or a settings file that exists is
// never touched, so a later version keeps the user's data. Throws Error.
void layOutDataFolder(const QString& dataFolder, const QString& programFiles);

}  // namespace tamevo
