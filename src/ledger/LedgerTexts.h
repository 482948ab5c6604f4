#pragma once

#include <QDate>
#include <QString>

namespace tamevo {

// The selected day when the date list is empty.
inline const QDate kZeroDate{1899, 12, 30};

inline const QString kNeedAmount = QStringLiteral("Borç veya alacak tutarı girmelisiniz.");
inline const QString kBothSides = QStringLiteral(
    "Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz.");
inline const QString kSavedMessage = QStringLiteral("İşlem başarıyla kayıt edildi");
inline const QString kDateNotFound = QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!");
inline const QString kDeleteQuestion = QStringLiteral("Kaydı silmek istediğinize eminmisiniz?");

inline QString yearQuestion(int year)
{
    return QStringLiteral("Kayıt yılı %1 olacak. Devam etmek istediğinize eminmisiniz?").arg(year);
}

}  // namespace tamevo
