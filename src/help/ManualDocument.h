#pragma once

#include <QHash>
#include <QImage>
#include <QString>

namespace tamevo {

// The user manual "TamevoYardim.pdf": its Markdown text laid out on A4 pages with the
// pictures the text names (![caption](ekran/kasaRF.png)), each scaled to the page's width at
// most, keeping its proportions. Written whole or not at all. Throws Error.
void writeManualPdf(const QString& markdown, const QHash<QString, QImage>& pictures,
                    const QString& pdfPath);

}  // namespace tamevo
