#pragma once

#include "reports/ExportLayout.h"

#include <QString>

namespace tamevo {

class Ledger;

// The message when the workbook cannot be written or opened; %1 is the reason.
inline const QString kExcelNotOpened = QStringLiteral("Excel açılamadı. Sistem Mesajı: %1");
// The reason when no program opens the written workbook; %1 is where it was written, so
// the user can still find it.
inline const QString kNoProgramForWorkbook = QStringLiteral(
    "Çalışma kitabını açacak bir program bulunamadı.\n\rDosya şuraya kaydedildi:\n\r%1");

// Writes the export as a new workbook in the export folder and opens it with the default
// program. A failure is shown with kExcelNotOpened and its reason. Returns the path of the
// written workbook (also when no program opened it), empty when none was written.
QString exportAndOpen(const ExportInput& input);

// The daily export of the ledger's selected day: the movement table as listed, the day
// start and the day's net, the closing balance as their sum, and the titles of the cash
// book's own firma record.
ExportInput dailyExportInput(const Ledger& ledger, const FirmaRecord& firma);

// "Excel" of the ledger window: a pending movement is first settled as leaving it would (a
// changed one is stored, an unchanged new one dropped), then the day is exported and
// opened. Every failure is shown and ends only this command.
void exportDayToSpreadsheet(Ledger& ledger);

}  // namespace tamevo
