#include "LedgerFixture.h"

namespace tamevo::test {

FirmaRecord merkezRecord()
{
    FirmaRecord record;
    record.values.fill(QVariant(), firmaFieldNames().size());
    record.values[1] = QStringLiteral("K01");
    record.values[4] = QStringLiteral("Merkez");
    return record;
}

void LedgerTest::SetUp()
{
    ProgramFolderTest::SetUp();
    session.openStartupConnections();
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), merkezRecord());
    ledger.emplace(session);
    ledger->setCurrencySelection(QStringLiteral("TL"));
    ledger->setPickerDate(QDate(2021, 6, 1));
}

void LedgerTest::TearDown()
{
    ledger.reset();
    session.kasaConnection.close();
    ProgramFolderTest::TearDown();
}

void LedgerTest::addMovement(const QDate& day, const QString& currency, std::optional<double> in,
                             std::optional<double> out, const QString& description,
                             const QString& type)
{
    const auto number = [](std::optional<double> v) {
        return v ? QString::number(*v, 'g', 17) : QStringLiteral("NULL");
    };
    const QString neden =
        type.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + type + QLatin1Char('\'');
    execute(bookFile(day.year()),
            {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "alacak_tutar, doviz_kuru, aciklama, neden) "
                            "VALUES ('%1', '%2', %3, %4, 1, '%5', %6)")
                 .arg(day.toString(Qt::ISODate), currency, number(in), number(out), description,
                      neden)});
}

void LedgerTest::select(const QDate& day)
{
    ASSERT_TRUE(ledger->kasaRQuery.locate(QStringLiteral("islem_tarihi"), day))
        << day.toString().toStdString();
    ledger->selectDay(ledger->kasaRQuery.currentIndex());
}

double LedgerTest::figure(Dataset& query, const char* field)
{
    return amountOf(query.value(QString::fromLatin1(field)));
}

}  // namespace tamevo::test
