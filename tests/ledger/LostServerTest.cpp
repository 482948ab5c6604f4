// The server going away under an open book: the command that meets it is told so once, in
// plain Turkish; the typed movement stays pending and nothing is reported as saved; the first
// command after the server is back connects again and carries on.
#include "LedgerFixture.h"

#include "data/Errors.h"
#include "data/JournalUpkeep.h"

using namespace tamevo;
using namespace tamevo::test;

namespace {

class LostServerTest : public LedgerTest {
protected:
    bool bookOnServer() const override { return true; }

    // Types a movement of money in on a day, pending as the movement window leaves it.
    void typeMovement(const QDate& day, double in)
    {
        ledger->setPickerDate(day);
        ledger->appendMovement();
        ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), in);
    }

    // The text of the ConnectionLost a command ends with; empty when it ends otherwise.
    template <typename Command>
    static QString lostConnectionText(Command&& command)
    {
        try {
            command();
        } catch (const ConnectionLost& lost) {
            return lost.text();
        } catch (const Error& other) {
            return QStringLiteral("another error: ") + other.text();
        }
        return {};
    }
};

}  // namespace

TEST_F(LostServerTest, ATypedMovementOutlivesTheServerAndIsSavedOnceItIsBack)
{
    const QDate day(2021, 6, 1);
    const EntryValues entry{day, QStringLiteral("TL"), {}};
    ledger->openBook();
    typeMovement(day, 125.5);

    server->refuseConnections(true);
    server->cutConnections();
    // The save that meets the lost connection, then one while the server is still away.
    EXPECT_EQ(lostConnectionText([&] { ledger->saveMovement(entry); }), kServerConnectionLost);
    EXPECT_EQ(lostConnectionText([&] { ledger->saveMovement(entry); }), kServerUnreachable);
    // The book stays open as the program sees it, with the movement as typed.
    EXPECT_TRUE(session.kasaConnection.isOpen());
    ASSERT_TRUE(ledger->hasPendingMovement());
    EXPECT_EQ(ledger->movementEntry().value(QStringLiteral("borc_tutar")).toDouble(), 125.5);

    server->refuseConnections(false);
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 0);
    ASSERT_EQ(ledger->saveMovement(entry), Ledger::SaveResult::Saved);
    EXPECT_EQ(joinedRows(bookFile(), QStringLiteral("SELECT islem_tarihi, borc_kurus, adet "
                                                    "FROM nakit_gunluk")),
              QStringLiteral("2021-06-01|12550|1"));
    EXPECT_EQ(ledger->dayFigures().in, Money::fromKurus(12550));

    // The connection made again names its desk to the journal, as the first one did.
    ledger->deleteCurrentMovement();
    EXPECT_EQ(joinedRows(bookFile(), QStringLiteral("SELECT islem, bilgisayar FROM nakit_gecmis")),
              QStringLiteral("SİLİNDİ|") + computerName());
}

TEST_F(LostServerTest, TheGeneralDatabaseConnectsAgainToo)
{
    // The lists live in the general schema, on a connection of their own.
    server->cutConnections();
    EXPECT_EQ(lostConnectionText([&] {
                  session.parabirimiTable.close();
                  session.currencyCodes();
              }),
              kServerConnectionLost);
    EXPECT_TRUE(session.currencyCodes().contains(QStringLiteral("TL")));
}
