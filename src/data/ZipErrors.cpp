#include "data/ZipErrors.h"

#include <zip.h>

namespace tamevo {

QString zipOpenErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

}  // namespace tamevo
