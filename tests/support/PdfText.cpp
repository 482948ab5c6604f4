#include "support/PdfText.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace tamevo::test {

QString pdfText(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                   pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfPath.toStdString() << ": "
                      << process.errorString().toStdString()
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace tamevo::test
