#include "data/CashBookFiles.h"

#include "data/Connection.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SqlFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tamevo {

const QStringList& firmaFieldNames()
{
    static const QStringList names{
        QStringLiteral("firma_ind"),
        QStringLiteral("firma_kodu"),
        QStringLiteral("firma_adi"),
        QStringLiteral("musteri_satici"),
        QStringLiteral("firma_unvani_1"),
        QStringLiteral("firma_unvani_2"),
        QStringLiteral("firma_adresi_1"),
        QStringLiteral("firma_adresi_2"),
        QStringLiteral("adres_semt"),
        QStringLiteral("adres_sehir"),
        QStringLiteral("vergi_dairesi"),
        QStringLiteral("vergi_no"),
        QStringLiteral("telefon1_no"),
        QStringLiteral("telefon2_no"),
        QStringLiteral("fax_no"),
        QStringLiteral("firma_sahibi"),
        QStringLiteral("firma_irtibat_kisi"),
        QStringLiteral("ikinci_adres1"),
        QStringLiteral("ikinci_adres2"),
        QStringLiteral("ikinci_adres_semt"),
        QStringLiteral("ikinci_adres_sehir"),
        QStringLiteral("ikinci_adres_tel_no"),
        QStringLiteral("aciklama"),
    };
    return names;
}

QString cashBookFileName(const QString& code, const QString& yearText)
{
    return code + yearText + QStringLiteral(".mdb");
}

QString cashBookRelativePath(const QString& code, const QString& yearText)
{
    const QString wanted = cashBookFileName(code, yearText);
    const QDir data(GetPathPath() + QStringLiteral("Data"));
    const QStringList present =
        data.entryList({QStringLiteral("*.mdb"), QStringLiteral("*.MDB")}, QDir::Files);
    for (const QString& name : present) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return QStringLiteral("Data/") + name;
        }
    }
    return QStringLiteral("Data/") + wanted;
}

void insertFirmaRecord(QSqlDatabase& db, const FirmaRecord& record)
{
    const QStringList& names = firmaFieldNames();
    QStringList columns;
    QStringList marks;
    for (int i = 1; i < names.size(); ++i) {
        columns << names[i];
        marks << QStringLiteral("?");
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO firma (%1) VALUES (%2)")
                       .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (int i = 1; i < names.size(); ++i) {
        insert.addBindValue(record.values.value(i));
    }
    if (!insert.exec()) {
        throwStatementError(insert);
    }
}

void createCashBookDatabase(const QString& absolutePath, const FirmaRecord& record)
{
    const QString templatePath = GetPathPath() + QStringLiteral("Kasa.mdb");
    if (!QFileInfo(templatePath).isFile()) {
        throw ValidationError(kTemplateMissing);
    }
    writeDatabaseFile(absolutePath, templatePath,
                      [&](QSqlDatabase& db) { insertFirmaRecord(db, record); });
}

FirmaRecord readFirmaRecord(Connection& connection)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM firma ORDER BY firma_ind LIMIT 1")
                        .arg(firmaFieldNames().join(QLatin1Char(','))))) {
        throwStatementError(query);
    }
    FirmaRecord record;
    if (query.next()) {
        for (int i = 0; i < firmaFieldNames().size(); ++i) {
            record.values << query.value(i);
        }
    }
    return record;
}

OpenBookTexts openBookTexts(const FirmaRecord& record, const QString& yearText)
{
    const QString separator = QStringLiteral(" - ");
    const QString kodu = record.kodu();
    const QString unvan = record.unvani1();
    return {
        QStringLiteral("Norvane Tamevo Programı - ") + unvan + separator + yearText,
        kodu + separator + unvan + separator + yearText,
        QStringLiteral("  ") + kodu + separator + unvan + separator + yearText,
    };
}

}  // namespace tamevo
