#include "data/RowConflict.h"

#include "data/Money.h"

#include <QDate>
#include <QHash>
#include <QLocale>

namespace tamevo {

namespace {

QString fieldLines(const QList<FieldValue>& fields)
{
    QStringList lines;
    for (const FieldValue& field : fields) {
        lines << QStringLiteral("    %1: %2").arg(field.caption, fieldText(field.value));
    }
    return lines.join(QStringLiteral("\n\r"));
}

}  // namespace

QString changedRowQuestion(const QList<FieldValue>& theirs, const QList<FieldValue>& typed)
{
    return QStringLiteral(
               "Bu kaydı siz değiştirirken programın başka bir kopyası da değiştirip sakladı.\n\r"
               "Diğer kopyanın sakladığı:\n\r%1\n\rSizin yazdığınız:\n\r%2\n\r"
               "Sizin yazdığınız değerler saklansın mı?\n\r(Hayır: diğer kopyanın sakladığı "
               "değerler kalır.)")
        .arg(fieldLines(theirs), fieldLines(typed));
}

QString deletedRowQuestion(const QList<FieldValue>& theirs)
{
    return QStringLiteral(
               "Bu kaydı siz silmeden önce programın başka bir kopyası değiştirip sakladı.\n\r"
               "Diğer kopyanın sakladığı:\n\r%1\n\rKayıt yine de silinsin mi?\n\r(Hayır: "
               "kayıt silinmez, diğer kopyanın sakladığı değerler gösterilir.)")
        .arg(fieldLines(theirs));
}

QString columnCaption(const QString& table, const QString& column)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("nakit.islem_tarihi"), QStringLiteral("İşlem Tarihi")},
        {QStringLiteral("nakit.doviz_cinsi"), QStringLiteral("Para Birimi")},
        {QStringLiteral("nakit.borc_tutar"), QStringLiteral("Kasaya Giren Tutar")},
        {QStringLiteral("nakit.alacak_tutar"), QStringLiteral("Kasadan Çıkan Tutar")},
        {QStringLiteral("nakit.doviz_kuru"), QStringLiteral("Döviz Kuru")},
        {QStringLiteral("nakit.doviz_borc"), QStringLiteral("Kasaya Giren (TL)")},
        {QStringLiteral("nakit.doviz_alacak"), QStringLiteral("Kasadan Çıkan (TL)")},
        {QStringLiteral("nakit.aciklama"), QStringLiteral("Açıklama")},
        {QStringLiteral("nakit.neden"), QStringLiteral("İşlem Türü")},
        {QStringLiteral("nakit.bankaadi"), QStringLiteral("Kaynak")},
        {QStringLiteral("resimnakit.resimadi"), QStringLiteral("Evrak Adı")},
        {QStringLiteral("resimnakit.resim"), QStringLiteral("Evrak Resmi")},
        {QStringLiteral("kasaneden.kasanedenine"), QStringLiteral("İşlem Türü")},
    };
    return captions.value(table.toLower() + QLatin1Char('.') + column.toLower(), column);
}

QString fieldText(const QVariant& value)
{
    if (value.isNull()) {
        return QStringLiteral("(boş)");
    }
    const QLocale locale;
    switch (value.typeId()) {
        case QMetaType::QDate:
            return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        case QMetaType::Double: {
            // An amount shows its two decimals; a rate the four it may have.
            const double number = value.toDouble();
            const bool whole = roundedUnits(number, 2) * 100 == roundedUnits(number, 4);
            return locale.toString(number, 'f', whole ? 2 : 4);
        }
        case QMetaType::QByteArray:
            return QStringLiteral("%1 baytlık resim")
                .arg(locale.toString(value.toByteArray().size()));
        case QMetaType::QString:
            return QLatin1Char('"') + value.toString() + QLatin1Char('"');
        default:
            return value.toString();
    }
}

}  // namespace tamevo
