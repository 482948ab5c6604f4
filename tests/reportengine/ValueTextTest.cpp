// How report values are written and how bracketed expressions are read and evaluated.
#include "reportengine/Expression.h"
#include "reportengine/ValueText.h"

#include "data/Errors.h"

#include <QHash>

#include <gtest/gtest.h>

namespace tamevo::report {

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

ValueFormat date(const char* pattern)
{
    return {ValueFormat::Kind::Date, QString::fromLatin1(pattern)};
}

}  // namespace

TEST(ValueTextTest, FormatsWriteValuesAsTheTemplatesAsk)
{
    const ValueFormat text;
    const ValueFormat amount{ValueFormat::Kind::Amount, {}};
    const ValueFormat rate{ValueFormat::Kind::Rate, {}};
    struct Case {
        QVariant value;
        ValueFormat format;
        QLocale locale;
        const char* expected;
    };
    const QList<Case> cases{
        {1234.5, amount, kTurkish, "1.234,50"},
        {-1234.5, amount, kTurkish, "-1.234,50"},
        {1234567.891, amount, kTurkish, "1.234.567,89"},
        {0.0, amount, kTurkish, "0,00"},
        {0.004, amount, kTurkish, "0,00"},
        {qlonglong(12), amount, kTurkish, "12,00"},
        // The thousands separator is the system's; the decimal separator is always a comma.
        {1234.5, amount, kEnglish, "1,234,50"},
        {QStringLiteral("yok"), amount, kTurkish, "yok"},
        {1.234567, rate, kTurkish, "1,23457"},
        {36.5, rate, kTurkish, "36,50000"},
        {QDate(2021, 1, 5), date("dd.mm.yyyy"), kTurkish, "05.01.2021"},
        {QDate(2021, 1, 5), date("dd.mmmm.yyyy"), kTurkish, "05.Ocak.2021"},
        {QDate(2021, 1, 5), date("dddd"), kTurkish, "Salı"},
        {QDate(2021, 1, 5), date("dddd"), kEnglish, "Tuesday"},
        {QStringLiteral("2021-12-31"), date("dd.mm.yyyy"), kTurkish, "31.12.2021"},
        {QDate(2021, 1, 5), text, kTurkish, "5.01.2021"},
        {1234.5, text, kTurkish, "1234,5"},
        {3.0, text, kTurkish, "3"},
        {7, text, kTurkish, "7"},
        {QStringLiteral("Açıklama"), text, kTurkish, "Açıklama"},
        // An empty value is blank whatever the format.
        {QVariant(), amount, kTurkish, ""},
        {QVariant(QMetaType::fromType<double>()), amount, kTurkish, ""},
        {QVariant(), date("dd.mm.yyyy"), kTurkish, ""},
        {QVariant(), text, kTurkish, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatValue(c.value, c.format, c.locale), QString::fromUtf8(c.expected))
            << c.value.toString().toStdString() << " " << c.expected;
    }
    EXPECT_EQ(reportTime(QTime(9, 5, 7), kTurkish), QStringLiteral("09:05:07"));
    EXPECT_EQ(reportDate(QDate(2021, 1, 5), kTurkish), QStringLiteral("5.01.2021"));
}

// A context of named values: fields "component.field", variables and specials by name.
class Values : public EvaluationContext {
public:
    QHash<QString, QVariant> values;
    QStringList slots_;

    Binding bind(const QString& component, const QString& name)
    {
        const QString key = component.isEmpty() ? name : component + QLatin1Char('.') + name;
        if (name.compare(QLatin1String("page#"), Qt::CaseInsensitive) == 0) {
            return {Binding::Kind::Special, 0, Special::Page};
        }
        if (!values.contains(key)) {
            throw Error(QStringLiteral("bilinmeyen ad %1").arg(key));
        }
        slots_ << key;
        return {Binding::Kind::Field, int(slots_.size()) - 1, {}};
    }
    QVariant field(int slot) const override { return values.value(slots_[slot]); }
    QVariant variable(int) const override { return {}; }
    QVariant sum(int) const override { return {}; }
    QVariant special(Special) const override { return 4; }
};

QVariant evaluate(Values& values, const QString& text)
{
    Expression e = Expression::parse(text);
    e.bind([&](const QString& c, const QString& n) { return values.bind(c, n); });
    return e.evaluate(values);
}

TEST(ExpressionTest, ReadsFieldsNamesAndArithmetic)
{
    Values v;
    v.values = {{QStringLiteral("q.BorcToplam"), 150.0},
                {QStringLiteral("q.AlacakToplam"), QVariant()},
                {QStringLiteral("firmaF.ffTable1.firma_unvani_1"), QStringLiteral("Merkez")},
                {QStringLiteral("BorcT"), 10.0},
                {QStringLiteral("q.metin"), QStringLiteral("abc")}};
    EXPECT_EQ(evaluate(v, QStringLiteral("q.\"BorcToplam\"-q.\"AlacakToplam\"")), QVariant(150.0));
    EXPECT_TRUE(evaluate(v, QStringLiteral("q.\"AlacakToplam\"")).isNull());
    EXPECT_EQ(evaluate(v, QStringLiteral("firmaF.ffTable1.\"firma_unvani_1\"")),
              QVariant(QStringLiteral("Merkez")));
    EXPECT_EQ(evaluate(v, QStringLiteral(" q.\"BorcToplam\" + ( BorcT - 2.5 ) ")), QVariant(157.5));
    EXPECT_EQ(evaluate(v, QStringLiteral("-(BorcT-15)")), QVariant(5.0));
    EXPECT_EQ(evaluate(v, QStringLiteral("PAGE#")), QVariant(4));
    EXPECT_THROW(evaluate(v, QStringLiteral("q.\"metin\"+1")), Error);
    EXPECT_THROW(evaluate(v, QStringLiteral("q.\"yok\"")), Error);
    for (const char* broken :
         {"", "q.\"BorcToplam", "(1+2", "1 2", "1+", "q.", "\"alan\"", "1*2"}) {
        EXPECT_THROW(Expression::parse(QString::fromLatin1(broken)), Error) << broken;
    }
}

TEST(ExpressionTest, TextLinesMixLiteralsAndBrackets)
{
    const TextLine footer = parseTextLine(QStringLiteral("Sayfa [Page#] / [TotalPages]"));
    ASSERT_EQ(footer.size(), 4);
    EXPECT_EQ(footer[0].literal, QStringLiteral("Sayfa "));
    EXPECT_EQ(footer[1].expression.text(), QStringLiteral("Page#"));
    EXPECT_EQ(footer[2].literal, QStringLiteral(" / "));
    EXPECT_EQ(footer[3].expression.text(), QStringLiteral("TotalPages"));

    // A bracket inside a quoted field name does not end the expression.
    const TextLine quoted = parseTextLine(QStringLiteral("[q.\"a]b\"] sonu"));
    ASSERT_EQ(quoted.size(), 2);
    EXPECT_EQ(quoted[0].expression.text(), QStringLiteral("q.\"a]b\""));

    // A "[" without its "]" is literal text.
    const TextLine open = parseTextLine(QStringLiteral("GİREN [PARA"));
    ASSERT_EQ(open.size(), 1);
    EXPECT_FALSE(open[0].isExpression);
    EXPECT_EQ(open[0].literal, QStringLiteral("GİREN [PARA"));
    EXPECT_THROW(parseTextLine(QStringLiteral("[1+]")), Error);
}

}  // namespace tamevo::report
