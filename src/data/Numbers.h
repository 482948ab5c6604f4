#pragma once

#include <QString>

namespace tamevo {

// Lenient number reader for numbers the user types (years, day counts): keeps every digit,
// and a "+" or "-" only as the first character, drops every other character and reads the
// rest as a whole number; 0 when nothing numeric is left. Values beyond the range of
// qint64 are held at its limits.
qint64 SayiyaCevir(const QString& text);

// The working year rule: the whole text is four digits and lies from 1970 to 2100.
bool isValidWorkingYear(const QString& yearText);

}  // namespace tamevo
