// Build step and program folder tool. "tamevo_layout FOLDER [FILES]" lays out the program
// folder FOLDER, copying the files of the delivered-files folder FILES that it lacks (the
// build's own build/Tamevo/). "tamevo_layout --update FOLDER FILES PROGRAM [BUILT...]" brings
// a program folder kept outside the build up to date with the delivered files, the program
// file PROGRAM and other files the build made (the manual), never touching its databases or
// settings files (scripts/run).
#include "data/Errors.h"
#include "data/ProgramLayout.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool update = args.value(1) == QLatin1String("--update");
    if ((update && args.size() < 5) || (!update && args.size() < 2)) {
        std::fprintf(stderr,
                     "kullanım: tamevo_layout PROGRAM_KLASÖRÜ [DOSYA_KLASÖRÜ]\n"
                     "          tamevo_layout --update PROGRAM_KLASÖRÜ DOSYA_KLASÖRÜ PROGRAM "
                     "[DOSYA...]\n");
        return 2;
    }
    try {
        if (update) {
            tamevo::updateProgramFolder(args.at(2), args.at(3), args.at(4), args.mid(5));
        } else {
            tamevo::layOutProgramFolder(args.at(1), args.value(2));
        }
    } catch (const tamevo::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
