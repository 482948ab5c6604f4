#include "documents/DocumentRules.h"

namespace tamevo {

QString pictureTooLargeMessage(qint64 bytes, const QLocale& locale)
{
    // Hundredths of a KB, the half rounded away from zero, counted exactly in whole numbers.
    const qint64 hundredths = (qMax<qint64>(bytes, 0) * 100 + 512) / 1024;
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    const QString size =
        plain.toString(double(hundredths) / 100.0, 'f', QLocale::FloatingPointShortest);
    return QStringLiteral("Resim Boyutu ") + size + QStringLiteral(" KB") +
           QStringLiteral(" 350 KB tan büyük resim yüklemesi yapamazsınız!");
}

QString jpegFileName(const QString& chosen)
{
    return chosen.contains(QLatin1String(".jpg"), Qt::CaseSensitive)
               ? chosen
               : chosen + QLatin1String(".jpg");
}

}  // namespace tamevo
