#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tamevo {

struct ExportInput;
class Progress;

// The folder spreadsheet exports are written to: the one set with setExportFolder, else the
// user's documents folder, else the temporary folder when there is no documents folder or
// it cannot be made.
QString exportFolder();
// Sets the export folder (tests write into their own folder); an empty text restores the
// default.
void setExportFolder(const QString& folder);

// The file name of an export: the cash book's code, the day or the first and last day of
// the period, and the time of the export, "K01_2021-01-05_20240312-101502.xlsx". Characters
// that a file name cannot hold become "_".
QString exportFileName(const QString& bookCode, const QDate& first, const QDate& last,
                       const QDateTime& stamp);

// Writes the export as a workbook into `folder` (made when missing) under exportFileName,
// with " (2)", " (3)"... added when a file of that name exists: an earlier export is never
// overwritten. The workbook is written under a temporary name in the folder and renamed
// into place only when complete, so a failure leaves no file behind. Returns the path.
// Throws Error with the reason.
// A cancel through `progress` stops it the same way, with no file left.
QString writeExportWorkbook(const ExportInput& input, const QString& folder,
                            const QDateTime& stamp = QDateTime::currentDateTime(),
                            Progress* progress = nullptr);

}  // namespace tamevo
