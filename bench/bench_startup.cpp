// Time from process start to the entry screen shown, beside an empty Qt window program.
#include "Measure.h"

#include "data/ProgramLayout.h"

#include <QCoreApplication>
#include <QProcess>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    tamevo::layOutProgramFolder(folder);  // the probe's program folder is this folder
    const auto run = [&](const char* program) {
        return [&folder, program] {
            QProcess process;
            process.start(folder + QLatin1Char('/') + QLatin1String(program), {});
            if (!process.waitForFinished(60000) || process.exitCode() != 0) {
                std::fprintf(stderr, "%s failed: %s\n", program,
                             process.readAllStandardError().constData());
                std::exit(1);
            }
        };
    };
    run("probe_tamevo")();  // warm the file cache once
    run("probe_empty")();
    const auto [tamevo, empty] =
        tamevo::bench::sideBySide(run("probe_tamevo"), run("probe_empty"), 15);
    tamevo::bench::report("start-up to entry screen vs empty window", tamevo, empty);
    return 0;
}
