#pragma once

#include <QString>

namespace tamevo {

// The text of an error code zip_open gives (the archive library's own wording), for the
// messages of the backups and of the exported workbooks.
QString zipOpenErrorText(int code);

}  // namespace tamevo
