#pragma once

#include "data/Money.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace tamevo {

// The selected day when the date list is empty.
inline const QDate kZeroDate{1899, 12, 30};

inline const QString kNeedAmount = QStringLiteral("Borç veya alacak tutarı girmelisiniz.");
inline const QString kBothSides = QStringLiteral(
    "Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz.");
inline const QString kSavedMessage = QStringLiteral("İşlem başarıyla kayıt edildi");
inline const QString kDateNotFound = QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!");
inline const QString kDeleteQuestion = QStringLiteral("Kaydı silmek istediğinize eminmisiniz?");

// One movement as the questions about it name it: "05.01.2021  Giren: 1.234,50 TL  Peşin
// satış bedeli".
inline QString movementSummary(const QDate& day, const QVariant& in, const QVariant& out,
                               const QString& currency, const QString& description)
{
    const bool moneyIn = !in.isNull();
    const Money amount = Money::fromStored(moneyIn ? in : out);
    return day.toString(QStringLiteral("dd.MM.yyyy")) +
           (moneyIn ? QStringLiteral("  Giren: ") : QStringLiteral("  Çıkan: ")) + amount.text() +
           QLatin1Char(' ') + currency + QStringLiteral("  ") + description;
}

// The delete question of one movement: the question, then the movement as the ledger shows
// it, so the user sees what goes.
inline QString deleteMovementQuestion(const QDate& day, const QVariant& in, const QVariant& out,
                                      const QString& currency, const QString& description)
{
    return kDeleteQuestion + QStringLiteral("\n\r") +
           movementSummary(day, in, out, currency, description);
}

inline QString yearQuestion(int year)
{
    return QStringLiteral("Kayıt yılı %1 olacak. Devam etmek istediğinize eminmisiniz?").arg(year);
}

}  // namespace tamevo
