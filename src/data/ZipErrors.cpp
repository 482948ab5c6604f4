#include "data/ZipErrors.h"

#include "data/SystemLibrary.h"
#include <zip.h>

// The library is loaded on the first call (SystemLibrary).
#define ZIP(f) TAMEVO_CALL(zipLibrary, f)

namespace tamevo {

QString zipOpenErrorText(int code)
{
    zip_error_t error;
    ZIP(zip_error_init_with_code)(&error, code);
    const QString text = QString::fromLocal8Bit(ZIP(zip_error_strerror)(&error));
    ZIP(zip_error_fini)(&error);
    return text;
}

}  // namespace tamevo
