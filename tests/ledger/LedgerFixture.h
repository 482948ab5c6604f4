#pragma once

#include "data/CashBookFiles.h"
#include "data/Session.h"
#include "ledger/Ledger.h"

#include "support/MoneyPrinter.h"
#include "support/ProgramFolderFixture.h"
#include "support/ServerFixture.h"

#include <QDate>

#include <optional>

namespace tamevo::test {

// An open cash book K01 "Merkez" for 2021 with its ledger, over real database files.
class LedgerTest : public ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether the book lives on the test server; by default as the run of the tests says.
    virtual bool bookOnServer() const { return testsOnServer(); }

    // Inserts a movement straight into the open year's file (before the ledger reads it).
    void addMovement(const QDate& day, const QString& currency, std::optional<double> in,
                     std::optional<double> out, const QString& description = {},
                     const QString& type = {});
    QString bookFile(int year = 2021) const { return QStringLiteral("Data/K01%1.mdb").arg(year); }
    // The row of a day in the date list; -1 when the list does not hold it.
    int rowOfDay(const QDate& day) const;
    // Selects a day of the date list as a click does.
    void select(const QDate& day);
    // A figure of a row of a query the ledger shows (null sums read as 0).
    static Money figure(const Dataset& query, int row, const char* field);

    // The book's database on the test server, when the tests run there.
    std::optional<TestServerDatabase> server;
    Session session;
    std::optional<Ledger> ledger;
};

FirmaRecord merkezRecord();

}  // namespace tamevo::test
