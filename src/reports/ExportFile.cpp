#include "reports/ExportFile.h"

#include "data/Errors.h"
#include "reports/ExportLayout.h"
#include "reports/XlsxSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tamevo {

namespace {

// How many numbered names an export tries before it gives up.
constexpr int kNameAttempts = 1000;
const QString kWorkbookSuffix = QStringLiteral(".xlsx");

QString& folderSetting()
{
    static QString folder;
    return folder;
}

}  // namespace

QString exportFolder()
{
    if (!folderSetting().isEmpty()) {
        return folderSetting();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents)) {
        return documents;
    }
    return QDir::tempPath();
}

void setExportFolder(const QString& folder)
{
    folderSetting() = folder;
}

QString exportFileName(const QString& bookCode, const QDate& first, const QDate& last,
                       const QDateTime& stamp)
{
    QStringList parts{bookCode.trimmed().isEmpty() ? QStringLiteral("Kasa") : bookCode.trimmed()};
    if (first.isValid()) {
        parts << first.toString(Qt::ISODate);
    }
    if (last.isValid() && last != first) {
        parts << last.toString(Qt::ISODate);
    }
    parts << stamp.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = parts.join(QLatin1Char('_'));
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
            c = QLatin1Char('_');
        }
    }
    return name + kWorkbookSuffix;
}

QString writeExportWorkbook(const ExportInput& input, const QString& folder, const QDateTime& stamp,
                            Progress* progress)
{
    const QDir dir(folder);
    const auto failure = [&](const QString& reason) {
        return Error(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(dir.absolutePath()), reason));
    };
    // A folder that cannot be made shows as the temporary file's failure, with its reason.
    dir.mkpath(QStringLiteral("."));
    QTemporaryFile temporary(dir.filePath(QStringLiteral(".tamevo-export-XXXXXX.tmp")));
    if (!temporary.open()) {
        throw failure(temporary.errorString());
    }
    // The workbook writer makes the file anew under this name; the temporary file object
    // removes it when the export fails.
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    try {
        XlsxSheet sheet(temporaryPath);
        writeExportSheet(input, sheet, progress);
        sheet.close();
    } catch (const Error& error) {
        throw failure(error.text());
    }

    const QString name = exportFileName(input.firma.code, input.first, input.last, stamp);
    QFile written(temporaryPath);
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const QString target =
            dir.absoluteFilePath(attempt == 1 ? name
                                              : QStringLiteral("%1 (%2)%3")
                                                    .arg(name.chopped(kWorkbookSuffix.size()))
                                                    .arg(attempt)
                                                    .arg(kWorkbookSuffix));
        // A rename never replaces an existing file.
        if (written.rename(target)) {
            temporary.setAutoRemove(false);
            return target;
        }
        if (!QFileInfo::exists(target)) {
            throw failure(written.errorString());
        }
    }
    throw failure(QStringLiteral("Dosya zaten var: %1").arg(name));
}

}  // namespace tamevo
