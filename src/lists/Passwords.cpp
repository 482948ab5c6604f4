#include "lists/Passwords.h"

#include "data/Session.h"

namespace tamevo {

void openPasswordTables(Session& session)
{
    session.ADOConnection1.open();
    session.sifreTable.open();
    session.masterTable.open();
}

MasterCheck checkMasterPassword(Session& session, WrongPasswordCount& wrong, const QString& typed)
{
    openPasswordTables(session);
    Dataset& master = session.masterTable;
    if (master.isEmpty() || master.valueAt(0, QStringLiteral("mids")).toString() == typed) {
        return MasterCheck::Accepted;
    }
    // The same counter as the entry password; the caller asks to close the program (with
    // the exit question) once it is above 3.
    return wrong.countOne() ? MasterCheck::WrongTooOften : MasterCheck::Wrong;
}

void savePasswords(Session& session)
{
    for (Dataset* table : {&session.sifreTable, &session.masterTable}) {
        if (table->isOpen() && table->isEditing() && table->isModified()) {
            table->post();
        }
    }
}

void cancelPasswordChanges(Session& session)
{
    for (Dataset* table : {&session.sifreTable, &session.masterTable}) {
        if (table->isOpen() && table->isEditing()) {
            table->cancel();
        }
    }
}

}  // namespace tamevo
