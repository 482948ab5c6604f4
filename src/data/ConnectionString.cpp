#include "data/ConnectionString.h"

#include <QStringList>

namespace tamevo {

namespace {
const QString kDataSource = QStringLiteral("Data Source=");
const QString kNextPair = QStringLiteral(";Mode=Share Deny None");
}  // namespace

QString BaglantiMetni(const QString& path)
{
    const QStringList pairs{
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0"),
        QStringLiteral("User ID=Admin"),
        kDataSource + path,
        kNextPair.mid(1),
        QStringLiteral("Extended Properties=\"\""),
        QStringLiteral("Persist Security Info=False"),
        QStringLiteral("Jet OLEDB:System database=\"\""),
        QStringLiteral("Jet OLEDB:Registry Path=\"\""),
        QStringLiteral("Jet OLEDB:Database Password=m3pqwte7RKVNB2F"),
        QStringLiteral("Jet OLEDB:Engine Type=5"),
        QStringLiteral("Jet OLEDB:Database Locking Mode=1"),
        QStringLiteral("Jet OLEDB:Global Partial Bulk Ops=2"),
        QStringLiteral("Jet OLEDB:Global Bulk Transactions=1"),
        QStringLiteral("Jet OLEDB:New Database Password=\"\""),
        QStringLiteral("Jet OLEDB:Create System Database=False"),
        QStringLiteral("Jet OLEDB:Encrypt Database=False"),
        QStringLiteral("Jet OLEDB:Don't Copy Locale on Compact=False"),
        QStringLiteral("Jet OLEDB:Compact Without Replica Repair=False"),
        QStringLiteral("Jet OLEDB:SFP=False"),
    };
    return pairs.join(QLatin1Char(';'));
}

QString dataSourceOf(const QString& connectionString)
{
    // The path runs from "Data Source=" to the pair that always follows it, so a folder
    // name with a ";" in it still reads whole.
    const qsizetype start = connectionString.indexOf(kDataSource);
    if (start < 0) {
        return {};
    }
    const qsizetype from = start + kDataSource.size();
    qsizetype end = connectionString.indexOf(kNextPair, from);
    if (end < 0) {
        end = connectionString.indexOf(QLatin1Char(';'), from);
    }
    return connectionString.mid(from, end < 0 ? -1 : end - from);
}

}  // namespace tamevo
