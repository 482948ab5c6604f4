// The transaction types and the currencies over the real general database: adding,
// the width rules, deleting, and what ParaBirimiAyarla gives the currency boxes.
#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "lists/ReferenceLists.h"

#include "support/ProgramFolderFixture.h"

using namespace tamevo;
using tamevo::test::ProgramFolderTest;
using Answer = Dialogs::Answer;

namespace {
const QString kGenel = QStringLiteral("AnaData/Genel.mdb");
}

class ReferenceListsTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        session.openStartupConnections();
    }

    int count(const char* sql) { return queryValue(kGenel, QString::fromUtf8(sql)).toInt(); }

    Session session;
    ReferenceList types = transactionTypes(session);
    ReferenceList codes = currencies(session);
};

TEST_F(ReferenceListsTest, AddingATransactionTypeTwiceGivesTwoRows)
{
    const int before = count("SELECT count(*) FROM kasaneden");
    EXPECT_TRUE(types.add(QStringLiteral("Kira")));
    EXPECT_TRUE(types.add(QStringLiteral("Kira")));
    EXPECT_EQ(count("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'Kira'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM kasaneden"), before + 2);
    const QStringList names = types.names();
    EXPECT_EQ(names.mid(names.size() - 2),
              (QStringList{QStringLiteral("Kira"), QStringLiteral("Kira")}));
    EXPECT_EQ(session.kasanedenTable.state(), DatasetState::Browse);

    // An empty name does nothing; an apostrophe is only a letter.
    EXPECT_FALSE(types.add(QString()));
    EXPECT_TRUE(types.add(QStringLiteral("Ali'nin payı")));
    EXPECT_EQ(count("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'Ali''nin payı'"), 1);
}

TEST_F(ReferenceListsTest, NamesLongerThanTheirColumnsAreRefusedNotCut)
{
    const int typesBefore = count("SELECT count(*) FROM kasaneden");
    EXPECT_TRUE(types.add(QString(30, QLatin1Char('A'))));
    try {
        types.add(QString(31, QLatin1Char('B')));
        FAIL() << "a 31-character type was taken";
    } catch (const ValidationError& error) {
        EXPECT_EQ(error.text(), kTransactionTypeTooLong);
    }
    EXPECT_EQ(count("SELECT count(*) FROM kasaneden"), typesBefore + 1);
    EXPECT_EQ(session.kasanedenTable.state(), DatasetState::Browse);

    // A currency code longer than a movement can store (5) is refused when added, and a
    // code longer than the list's own column (15) all the more.
    EXPECT_TRUE(codes.add(QStringLiteral("CHF12")));
    for (const QString& code : {QStringLiteral("ABCDEF"), QString(16, QLatin1Char('X'))}) {
        EXPECT_THROW(codes.add(code), ValidationError);
    }
    EXPECT_EQ(count("SELECT count(*) FROM parabirimi"), 4);
    EXPECT_EQ(count("SELECT max(length(kodu)) FROM parabirimi"), 5);
    EXPECT_EQ(session.parabirimiTable.state(), DatasetState::Browse);

    // A correction in place meets the same rule when it is stored.
    Dataset& table = session.parabirimiTable;
    table.first();
    table.setValue(QStringLiteral("kodu"), QStringLiteral("TURKLIRA"));
    try {
        table.post();
        FAIL() << "a 7-character code was stored";
    } catch (const ValidationError& error) {
        EXPECT_EQ(error.text(), kCurrencyCodeTooLong);
    }
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kodu FROM parabirimi ORDER BY pid LIMIT 1"))
                  .toString(),
              QStringLiteral("TL"));
    table.setValue(QStringLiteral("kodu"), QStringLiteral("TRY"));
    table.post();
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kodu FROM parabirimi ORDER BY pid LIMIT 1"))
                  .toString(),
              QStringLiteral("TRY"));
}

TEST_F(ReferenceListsTest, AddingGbpGivesTheFourBoxesTheirContents)
{
    EXPECT_TRUE(codes.add(QStringLiteral("GBP")));
    const CurrencyBoxes boxes = currencyBoxes(session.currencyCodes());
    const QStringList codes{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                            QStringLiteral("GBP")};
    EXPECT_EQ(boxes.movement, codes);
    EXPECT_EQ(boxes.ledger, codes + QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(boxes.twoDate, codes + QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(boxes.analysis, QStringList{QStringLiteral("Hepsi")} + codes);
}

TEST_F(ReferenceListsTest, AnEmptyCurrencyListLeavesOnlyHepsi)
{
    execute(kGenel, {QStringLiteral("DELETE FROM parabirimi")});
    const CurrencyBoxes boxes = currencyBoxes(session.currencyCodes());
    EXPECT_TRUE(boxes.movement.isEmpty());
    EXPECT_EQ(boxes.ledger, QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(boxes.twoDate, QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(boxes.analysis, QStringList{QStringLiteral("Hepsi")});
}

TEST_F(ReferenceListsTest, DeletingAsksAndRemovesTheCurrentRowOnYes)
{
    Dataset& table = session.parabirimiTable;
    table.open();
    table.setCurrentIndex(1);  // USD

    dialogs().answer(Answer::No);
    EXPECT_FALSE(codes.removeCurrent());
    EXPECT_EQ(count("SELECT count(*) FROM parabirimi"), 3);

    dialogs().answer(Answer::Yes);
    EXPECT_TRUE(codes.removeCurrent());
    EXPECT_EQ(count("SELECT count(*) FROM parabirimi WHERE kodu = 'USD'"), 0);
    EXPECT_EQ(dialogs().questions(),
              QStringList(2, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?")));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));

    // With an empty list nothing is deleted.
    execute(kGenel, {QStringLiteral("DELETE FROM parabirimi")});
    table.refresh();
    dialogs().answer(Answer::Yes);
    EXPECT_FALSE(codes.removeCurrent());
}
