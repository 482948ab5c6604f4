#pragma once

#include <QString>

namespace tamevo::test {

// The text of a PDF file as `pdftotext -layout` reads it (poppler-utils); the test fails
// when the file cannot be read.
QString pdfText(const QString& pdfPath);

}  // namespace tamevo::test
