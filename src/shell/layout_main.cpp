// Build step: lays out the program folder given as the first argument, copying the files
// of the delivered-files folder given as the second.
#include "data/Errors.h"
#include "data/ProgramLayout.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "kullanım: tamevo_layout PROGRAM_KLASÖRÜ [DOSYA_KLASÖRÜ]\n");
        return 2;
    }
    try {
        tamevo::layOutProgramFolder(args.at(1), args.value(2));
    } catch (const tamevo::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
