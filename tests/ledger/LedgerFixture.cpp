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
    if (bookOnServer()) {
        TAMEVO_REQUIRE_TEST_SERVER();
        server.emplace();
        writeServerSettings(IniFile(path(QStringLiteral("FirmaAyar.ini"))), server->settings());
    }
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
    session.ADOConnection1.close();
    ProgramFolderTest::TearDown();
    server.reset();
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

int LedgerTest::rowOfDay(const QDate& day) const
{
    const Dataset& days = ledger->dateList();
    for (int row = 0; row < days.recordCount(); ++row) {
        if (days.valueAt(row, QStringLiteral("islem_tarihi")).toDate() == day) {
            return row;
        }
    }
    return -1;
}

void LedgerTest::select(const QDate& day)
{
    const int row = rowOfDay(day);
    ASSERT_GE(row, 0) << "no " << day.toString().toStdString() << " in the date list";
    ledger->selectDay(row);
}

Money LedgerTest::figure(const Dataset& query, int row, const char* field)
{
    return Money::fromStored(query.valueAt(row, QString::fromLatin1(field)));
}

}  // namespace tamevo::test
