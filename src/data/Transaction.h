#pragma once

#include <QSqlDatabase>

namespace tamevo {

// One transaction on a database, held by a scope: begun when made, rolled back when the scope
// is left without commit(), by an exception too. Every write of several statements runs in
// one, so a failure midway leaves the database as it was.
class Transaction {
public:
    // Deferred takes the engine's locks as the statements need them; Write takes the write
    // lock at once (waiting for another copy's write to end), so what the transaction reads
    // stays as read until it commits: a row checked before it is changed is the row changed.
    enum class Mode { Deferred, Write };

    // Begins the transaction. Throws Error with the engine's text.
    explicit Transaction(const QSqlDatabase& db, Mode mode = Mode::Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the writes lasting. Throws Error with the engine's text; everything is then
    // rolled back.
    void commit();

private:
    QSqlDatabase db_;
    bool active_ = false;
};

}  // namespace tamevo
