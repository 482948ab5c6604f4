#pragma once

#include <QString>

namespace tamevo {

// How many different texts the shared-strings table remembers to reuse their entry: enough
// for every repeated text of a cash book's export, small enough that a workbook of any
// length keeps the memory bounded. A text first met after that many gets an entry of its
// own each time it is met.
constexpr int kRememberedWorkbookTexts = 65536;

// Moves the texts of the workbook `path`'s first worksheet, written in their cells (inline
// strings), into the workbook's shared-strings table, as spreadsheet programs write them:
// each text cell then refers to its entry, repeated texts to the same entry, and the
// package lists the table among its parts and relationships. The worksheet is read and
// written as a stream, so only one cell's text and the remembered texts are held at a
// time. A workbook without such texts is left as it was. Throws Error with the reason; the
// workbook may then be incomplete and is to be thrown away.
void shareWorkbookStrings(const QString& path, int rememberedTexts = kRememberedWorkbookTexts);

}  // namespace tamevo
