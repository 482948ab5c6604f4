// Report templates and their expressions as a damaged or hostile file gives them: each is
// read or refused with an Error, never a crash, a hang or an exhausted stack.
#include "reportengine/Expression.h"
#include "reportengine/ReportTemplate.h"

#include "data/Errors.h"

#include "support/HostileInput.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace tamevo;
using namespace tamevo::report;
using tamevo::test::HostileInput;

namespace {

// Values of every kind for the names of an expression.
class RandomValues : public EvaluationContext {
public:
    explicit RandomValues(HostileInput& input) : input_(input) {}
    QVariant field(int) const override { return next(); }
    QVariant variable(int) const override { return next(); }
    QVariant sum(int) const override { return next(); }
    QVariant special(Special) const override { return next(); }

private:
    QVariant next() const
    {
        switch (input_.number(0, 5)) {
            case 0:
                return {};
            case 1:
                return input_.number(-1000000, 1000000) / 100.0;
            case 2:
                return 1e308;
            case 3:
                return input_.text(12);
            case 4:
                return QStringLiteral("12,5");
            default:
                return qlonglong(input_.number(-5, 5));
        }
    }
    HostileInput& input_;
};

}  // namespace

TEST(HostileExpressions, DeepAndLongTextsAreRefusedBeforeTheStackRunsOut)
{
    const int n = 100000;
    const QString refused[] = {
        QString(n, QLatin1Char('(')) + QLatin1Char('1') + QString(n, QLatin1Char(')')),
        QString(n, QLatin1Char('-')) + QLatin1Char('1'),
        QStringLiteral("1+").repeated(n) + QLatin1Char('1'),
        QStringLiteral("a-").repeated(n) + QLatin1Char('b'),
    };
    for (const QString& text : refused) {
        EXPECT_THROW(Expression::parse(text), Error) << text.left(20).toStdString();
        EXPECT_THROW(parseTextLine(QLatin1Char('[') + text + QLatin1Char(']')), Error);
    }
    // What a template writes is far shallower.
    Expression nested = Expression::parse(QString(60, QLatin1Char('(')) + QStringLiteral("1+2-3") +
                                          QString(60, QLatin1Char(')')));
    nested.bind([](const QString&, const QString&) { return Binding{}; });
    HostileInput input(1);
    EXPECT_EQ(nested.evaluate(RandomValues(input)).toDouble(), 0.0);
}

TEST(HostileExpressions, RandomTextsAreReadAndEvaluatedOrRefused)
{
    int read = 0;
    for (quint32 seed = 1; seed <= 1500; ++seed) {
        SCOPED_TRACE(seed);
        HostileInput input(seed);
        // Half of the texts follow the expressions' form, now and then with a character
        // changed; the others are any text.
        std::function<QString(int)> expression = [&](int depth) -> QString {
            const QString space = input.chance(20) ? QStringLiteral(" ") : QString();
            switch (depth > 6 ? input.number(0, 2) : input.number(0, 6)) {
                case 0:
                    return QString::number(input.number(0, 100000) / 100.0);
                case 1:
                    return input.pick({QStringLiteral("DATE"), QStringLiteral("Page#"),
                                       QStringLiteral("BorcT"), QStringLiteral("LINE#")});
                case 2:
                    return QStringLiteral("kasaRF.kasaTable.\"borc_tutar\"");
                case 3:
                    return QLatin1Char('(') + space + expression(depth + 1) + QLatin1Char(')');
                case 4:
                    return QLatin1Char('-') + expression(depth + 1);
                default:
                    return expression(depth + 1) + space +
                           input.pick({QLatin1Char('+'), QLatin1Char('-')}) + space +
                           expression(depth + 1);
            }
        };
        QString text = input.chance(50) ? input.text(40) : expression(0);
        if (input.chance(20) && !text.isEmpty()) {
            text[input.number(0, int(text.size()) - 1)] = input.pick(
                {QLatin1Char('('), QLatin1Char('"'), QLatin1Char('.'), QLatin1Char(']')});
        }
        try {
            Expression e = Expression::parse(text);
            e.bind([&](const QString&, const QString&) {
                Binding binding;
                binding.kind = input.pick({Binding::Kind::Field, Binding::Kind::Variable,
                                           Binding::Kind::Sum, Binding::Kind::Special});
                binding.special = input.pick({Special::Date, Special::Page, Special::Line});
                if (input.chance(5)) {
                    throw Error(QStringLiteral("bilinmeyen ad"));
                }
                return binding;
            });
            ++read;
            const RandomValues values(input);
            for (int i = 0; i < 3; ++i) {
                e.evaluate(values);
            }
        } catch (const Error& error) {
            EXPECT_FALSE(error.text().isEmpty());
        }
        try {
            parseTextLine(text);
        } catch (const Error& error) {
            EXPECT_FALSE(error.text().isEmpty());
        }
    }
    EXPECT_GT(read, 500);
}

TEST(HostileTemplates, DamagedTemplateFilesAreReadOrRefused)
{
    QDirIterator it(QStringLiteral(":/reports"), {QStringLiteral("*.json")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    int refused = 0;
    while (it.hasNext()) {
        const QString name = it.next();
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray good = file.readAll();
        ASSERT_NO_THROW(ReportTemplate::fromJson(good, name));
        ++files;
        for (quint32 seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(name).arg(seed).toStdString());
            HostileInput input(seed * 7919 + quint32(files));
            try {
                ReportTemplate::fromJson(input.damaged(good), name);
            } catch (const Error& error) {
                ++refused;
                EXPECT_TRUE(error.text().contains(name)) << error.what();
            }
        }
    }
    EXPECT_EQ(files, 19);  // every template of the program
    EXPECT_GT(refused, files * 20);
}
